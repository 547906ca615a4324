#pragma once
#include <functional>

#include "HttpFrontEnd.h"
#include "Scenario.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

struct CaptchaEntry {
    QString code;
    bool used = false;  // a code is checked once; the id then no longer logs in
};

// A logged-in session of the application; the token in the address names it.
struct AppSession {
    QString token;
    QString loginKind;  // "kullaniciKodu" or "tckn"
    bool ended = false;
    QSet<int> viewed;   // notifications whose envelope content was shown in this session
};

struct PortalSession {
    QString token;
    bool ended = false;
};

// What happened to one notification since the scenario was loaded.
struct NotificationState {
    bool opened = false;    // its envelope has been opened (it was read)
    QString openedAt;       // "dd.MM.yyyy HH:mm:ss"
    QString documentKey;    // the opaque key in the document's address
    int documentRequests = 0;
    QByteArray pdf;         // made once, answered the same every time
};

// Everything the two sites share: the scenario, captchas, sessions, the state of
// the notifications and the list of events the control interface reports.
class SiteState : public QObject {
public:
    explicit SiteState(const Scenario& scenario, QString siteDir, QObject* parent = nullptr);

    const Scenario& scenario() const { return scenario_; }
    const QString& siteDir() const { return siteDir_; }

    // Replaces the scenario and starts afresh; reset() starts afresh with the same one.
    void load(const Scenario& scenario);
    void reset();

    // Events, in the order they happened.
    void record(const QString& kind, QJsonObject details = {});
    const QJsonArray& events() const { return events_; }

    // Captchas: a new id per captcha frame load.
    QString issueCaptcha();
    const CaptchaEntry* captcha(const QString& id) const;
    // Checks a code against an id and uses the id up; true when it matched.
    bool checkCaptcha(const QString& id, const QString& code);

    AppSession* openSession(const QString& loginKind);
    AppSession* session(const QString& token);  // nullptr when unknown
    PortalSession* openPortalSession();
    PortalSession* portalSession(const QString& token);

    QVector<NotificationState>& notifications() { return notes_; }
    int notificationByDocumentKey(const QString& key) const;

    // Exchanges that are answered late or never; forgotten on reset and load.
    void hold(const ExchangePtr& exchange) { held_.append(exchange); }
    quint64 generation() const { return generation_; }
    // Runs an answer after delayMs (at once when it is not positive), unless the scenario was
    // reset or reloaded meanwhile.
    void later(int delayMs, QObject* context, std::function<void()> answer);

    // Page errors count down per path.
    bool takePageError(const QString& path, PageError* error);

private:
    static QString randomHex(int bytes);
    static QString randomCode();

    Scenario scenario_;
    QString siteDir_;
    QJsonArray events_;
    QHash<QString, CaptchaEntry> captchas_;
    QHash<QString, AppSession> sessions_;
    QHash<QString, PortalSession> portalSessions_;
    QVector<NotificationState> notes_;
    QHash<QString, int> pageErrorCount_;
    QList<ExchangePtr> held_;
    quint64 generation_ = 0;
    int sequence_ = 0;
};
