#pragma once
// Runs the whole tool in-process against the training site, as the host would start it:
// a scenario on the site, a fresh SQLite host database and data folder, the twelve
// arguments, the real main form and browsers, and a dialog hook that answers every window.
//
//   ToolRun run;
//   ASSERT_TRUE(run.startSite("demo"));
//   ASSERT_TRUE(run.launch(run.arguments("TebligatKontrol")));
//   run.typeCode(run.captchaCode());
//   run.press(etb::Ctl::BtnETebligatKontrol);
//   ASSERT_TRUE(run.waitClosed());
//   auto rows = run.query("SELECT * FROM E_TEBLIGAT");
#include "TrainingSite.h"
#include "app/Controls.h"
#include "dialog/DialogHook.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QVector>
#include <functional>
#include <memory>

namespace etb {
class Application;
class Session;
class TFrmETebligat;
} // namespace etb

class ToolRun {
public:
    explicit ToolRun(double timeScale = 0.1);
    ~ToolRun();

    // The training site with a scenario of tests/site/scenarios (by name) or given inline.
    bool startSite(const QString& scenarioName);
    bool startSite(const QJsonObject& scenario);

    // The host's twelve arguments for an operation; the credentials are the scenario's user.
    // The connection string names this run's fresh SQLite host database, argument 9 its
    // data folder (ending with a separator).
    QStringList arguments(const QString& keyword, const QString& loginKind = QStringLiteral("KullaniciGirisi"));

    // Creates the tool and runs its start-up (the captcha is shown when this returns).
    bool launch(const QStringList& arguments);

    // The code of the captcha the tool shows, read from the site.
    QString captchaCode();
    void typeCode(const QString& code);
    void setText(etb::Ctl control, const QString& text);
    // Presses a button as the user would; returns when its handler has returned.
    void press(etb::Ctl button);
    // Pumps events until the condition holds or the time (real milliseconds) runs out.
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 30000);
    bool waitClosed(int timeoutMs = 60000);
    bool closed() const { return closed_; }

    // Rows of the run's company database (the tool's own connection is not used).
    QVector<QVariantMap> query(const QString& sql);
    // The texts of the log as it stands in memory.
    QStringList logLines() const;
    QString dataDir() const;
    QString companyDb() const;

    etb::Session& session();
    etb::TFrmETebligat& form();
    TrainingSite site;
    etb::DialogHook dialogs;
    QJsonObject scenario;

private:
    double scale_;
    QTemporaryDir dir_;
    std::unique_ptr<etb::Application> app_;
    bool closed_ = false;
};
