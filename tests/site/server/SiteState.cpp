#include "SiteState.h"

#include <QRandomGenerator>
#include <QTimer>

SiteState::SiteState(const Scenario& scenario, QString siteDir, QObject* parent)
    : QObject(parent), scenario_(scenario), siteDir_(std::move(siteDir)) {
    reset();
}

void SiteState::load(const Scenario& scenario) {
    scenario_ = scenario;
    reset();
}

void SiteState::reset() {
    ++generation_;
    // Held answers are forgotten, not dropped: a browser still waiting for one
    // keeps waiting, as it would on a server that never answers.
    held_.clear();
    events_ = QJsonArray();
    sequence_ = 0;
    captchas_.clear();
    sessions_.clear();
    portalSessions_.clear();
    pageErrorCount_.clear();
    notes_.clear();
    for (const ScenarioNotification& n : scenario_.notifications) {
        NotificationState s;
        // An envelope shown as "Zarf İçeriği Gör" was opened before this run.
        s.opened = n.zarf == QStringLiteral("Zarf İçeriği Gör");
        if (s.opened)
            s.openedAt = n.tebligTarihi;
        s.documentKey = randomHex(12);
        notes_.append(s);
    }
}

void SiteState::record(const QString& kind, QJsonObject details) {
    details.insert(QStringLiteral("kind"), kind);
    details.insert(QStringLiteral("seq"), ++sequence_);
    details.insert(QStringLiteral("time"),
                   QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    events_.append(details);
}

QString SiteState::randomHex(int bytes) {
    QString out;
    for (int i = 0; i < bytes; ++i)
        out += QStringLiteral("%1").arg(QRandomGenerator::global()->bounded(256), 2, 16, QLatin1Char('0'));
    return out;
}

QString SiteState::randomCode() {
    static const QString alphabet = QStringLiteral("ABCDEFGHJKLMNPRSTUVYZ23456789");
    QString code;
    for (int i = 0; i < 5; ++i)
        code += alphabet.at(QRandomGenerator::global()->bounded(int(alphabet.size())));
    return code;
}

QString SiteState::issueCaptcha() {
    QString id;
    do {
        id = randomHex(10);
    } while (captchas_.contains(id));
    CaptchaEntry e;
    e.code = scenario_.captchaCode.isEmpty() ? randomCode() : scenario_.captchaCode;
    captchas_.insert(id, e);
    return id;
}

const CaptchaEntry* SiteState::captcha(const QString& id) const {
    auto it = captchas_.constFind(id);
    return it == captchas_.constEnd() ? nullptr : &it.value();
}

bool SiteState::checkCaptcha(const QString& id, const QString& code) {
    auto it = captchas_.find(id);
    if (it == captchas_.end() || it->used)
        return false;
    it->used = true;
    return it->code.compare(code.trimmed(), Qt::CaseInsensitive) == 0;
}

AppSession* SiteState::openSession(const QString& loginKind) {
    AppSession s;
    s.token = randomHex(16);
    s.loginKind = loginKind;
    return &sessions_.insert(s.token, s).value();
}

AppSession* SiteState::session(const QString& token) {
    auto it = sessions_.find(token);
    return it == sessions_.end() ? nullptr : &it.value();
}

PortalSession* SiteState::openPortalSession() {
    PortalSession s;
    s.token = randomHex(16);
    return &portalSessions_.insert(s.token, s).value();
}

PortalSession* SiteState::portalSession(const QString& token) {
    auto it = portalSessions_.find(token);
    return it == portalSessions_.end() ? nullptr : &it.value();
}

int SiteState::notificationByDocumentKey(const QString& key) const {
    for (int i = 0; i < notes_.size(); ++i)
        if (notes_.at(i).documentKey == key)
            return i;
    return -1;
}

bool SiteState::takePageError(const QString& path, PageError* error) {
    auto it = scenario_.pageErrors.constFind(path);
    if (it == scenario_.pageErrors.constEnd())
        return false;
    int& count = pageErrorCount_[path];
    if (it->times >= 0 && count >= it->times)
        return false;
    ++count;
    *error = *it;
    return true;
}

void SiteState::later(int delayMs, QObject* context, std::function<void()> answer) {
    if (delayMs <= 0) {
        answer();
        return;
    }
    const quint64 generation = generation_;
    QTimer::singleShot(delayMs, context, [this, generation, answer = std::move(answer)] {
        if (generation == generation_)
            answer();
    });
}
