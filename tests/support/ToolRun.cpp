#include "ToolRun.h"

#include "app/Application.h"
#include "app/Environment.h"
#include "app/MainForm.h"
#include "app/Session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QUuid>

namespace {
QString sourceDir() { return qEnvironmentVariable("ETB_SOURCE_DIR", QStringLiteral(".")); }
} // namespace

ToolRun::ToolRun(double timeScale) : scale_(timeScale) {
    QDir(dir_.path()).mkpath(QStringLiteral("data"));
    QProcess make;
    make.start(QStringLiteral("bash"),
               {sourceDir() + QStringLiteral("/tools/make-host-db.sh"), dir_.path()});
    make.waitForFinished(30000);
}

ToolRun::~ToolRun() {
    app_.reset();
    QCoreApplication::processEvents();
}

bool ToolRun::startSite(const QString& scenarioName) {
    const QString path = TrainingSite::scenarioPath(scenarioName);
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        scenario = QJsonDocument::fromJson(f.readAll()).object();
    return site.start(path);
}

bool ToolRun::startSite(const QJsonObject& inline_) {
    scenario = inline_;
    const QString path = dir_.path() + QStringLiteral("/scenario.json");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(QJsonDocument(inline_).toJson());
    f.close();
    return site.start(path);
}

QString ToolRun::dataDir() const { return dir_.path() + QStringLiteral("/data/"); }
QString ToolRun::companyDb() const { return dir_.path() + QStringLiteral("/company.db"); }

QStringList ToolRun::arguments(const QString& keyword, const QString& loginKind) {
    const QJsonObject user = scenario.value(QStringLiteral("user")).toObject();
    return {QStringLiteral("58317"),
            user.value(QStringLiteral("kullaniciKodu")).toString(),
            user.value(QStringLiteral("parola")).toString(),
            user.value(QStringLiteral("sifre")).toString(),
            keyword,
            loginKind,
            QStringLiteral("Provider=SQLite;Data Source=") + companyDb(),
            QStringLiteral("00123"),
            dataDir(),
            QString(),
            QString(),
            QString()};
}

bool ToolRun::launch(const QStringList& arguments) {
    etb::Environment env = etb::Environment::fromProcess();
    env.siteUrl = site.applicationRoot();
    env.portalUrl = site.portalRoot();
    env.timeScale = scale_;
    etb::Environment::set(env);
    closed_ = false;
    app_ = std::make_unique<etb::Application>(arguments);
    QObject::connect(&app_->form(), &etb::TFrmETebligat::closed, &app_->form(), [this] { closed_ = true; });
    app_->start();
    return true;
}

QString ToolRun::captchaCode() { return site.captchaCode(session().CaptchaIDValue); }

void ToolRun::typeCode(const QString& code) {
    setText(session().gTCKimlikNoGirisi ? etb::Ctl::EdtDogrulamaKoduTC : etb::Ctl::EdtDogrulamaKodu, code);
}

void ToolRun::setText(etb::Ctl control, const QString& text) { form().setText(control, text); }

void ToolRun::press(etb::Ctl button) { form().click(button); }

bool ToolRun::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

bool ToolRun::waitClosed(int timeoutMs) {
    return waitUntil([this] { return closed_; }, timeoutMs);
}

QVector<QVariantMap> ToolRun::query(const QString& sql) {
    QVector<QVariantMap> rows;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(companyDb());
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql)) {
                while (q.next()) {
                    QVariantMap row;
                    const QSqlRecord rec = q.record();
                    for (int i = 0; i < rec.count(); ++i)
                        row.insert(rec.fieldName(i), q.value(i));
                    rows.append(row);
                }
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

QStringList ToolRun::logLines() const {
    QStringList lines;
    for (const etb::LogLine& l : app_->session().MemLog.lines())
        lines << l.LOG_ACIKLAMA;
    return lines;
}

etb::Session& ToolRun::session() { return app_->session(); }
etb::TFrmETebligat& ToolRun::form() { return app_->form(); }
