#include "Scenario.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString text(const QJsonObject& o, const char* key, const QString& fallback = {}) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 15);
    return fallback;
}

int number(const QJsonObject& o, const char* key, int fallback = 0) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? v.toInt() : fallback;
}

bool flag(const QJsonObject& o, const char* key, bool fallback) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isBool() ? v.toBool() : fallback;
}

QHash<QString, int> numberMap(const QJsonObject& o, const char* key) {
    QHash<QString, int> out;
    const QJsonObject m = o.value(QLatin1String(key)).toObject();
    for (auto it = m.begin(); it != m.end(); ++it)
        out.insert(it.key(), it.value().toInt());
    return out;
}

}  // namespace

bool Scenario::fromJson(const QByteArray& json, Scenario* out, QString* error) {
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("scenario is not valid JSON: %1 at offset %2")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    if (!doc.isObject()) {
        *error = QStringLiteral("scenario must be a JSON object");
        return false;
    }
    const QJsonObject root = doc.object();
    Scenario s;
    s.source = root;

    const QJsonValue captcha = root.value(QLatin1String("captcha"));
    if (captcha.isBool()) {
        s.captchaEnabled = captcha.toBool();
    } else {
        const QJsonObject c = captcha.toObject();
        s.captchaEnabled = flag(c, "enabled", true);
        s.captchaCode = text(c, "code");
    }

    const QJsonObject user = root.value(QLatin1String("user")).toObject();
    s.kullaniciKodu = text(user, "kullaniciKodu");
    s.parola = text(user, "parola");
    s.sifre = text(user, "sifre");
    s.unvan = text(user, "unvan", QStringLiteral("EĞİTİM MÜKELLEFİ A.Ş."));

    const QJsonObject tcUser = root.value(QLatin1String("tcUser")).toObject();
    s.tc = text(tcUser, "tc");
    s.gun = text(tcUser, "gun");
    s.ay = text(tcUser, "ay");
    s.yil = text(tcUser, "yil");
    s.ak1 = text(tcUser, "ak1");
    s.ak2 = text(tcUser, "ak2");
    s.tcYakin = text(tcUser, "tcYakin");

    s.messagePopup = flag(root, "messagePopup", true);
    s.messagePopupTamam = flag(root, "messagePopupTamam", true);
    s.messageText = text(root, "messageText");

    const QJsonValue list = root.value(QLatin1String("notifications"));
    if (!list.isUndefined() && !list.isArray()) {
        *error = QStringLiteral("\"notifications\" must be an array");
        return false;
    }
    for (const QJsonValue& v : list.toArray()) {
        if (!v.isObject()) {
            *error = QStringLiteral("every notification must be an object");
            return false;
        }
        const QJsonObject n = v.toObject();
        ScenarioNotification sn;
        sn.gonderenBirim = text(n, "gonderenBirim");
        sn.vergiDairesi = text(n, "vergiDairesi", sn.gonderenBirim);
        sn.gondermeTarihi = text(n, "gondermeTarihi");
        sn.tebligTarihi = text(n, "tebligTarihi");
        sn.belgeTuru = text(n, "belgeTuru");
        sn.belgeNo = text(n, "belgeNo");
        sn.zarf = text(n, "zarf", QStringLiteral("Zarf Aç"));
        if (!sn.zarf.isEmpty() && sn.zarf != QStringLiteral("Zarf Aç") &&
            sn.zarf != QStringLiteral("Zarf İçeriği Gör")) {
            *error = QStringLiteral("notification \"zarf\" must be \"Zarf Aç\", \"Zarf İçeriği Gör\" or \"\"");
            return false;
        }
        sn.confirmation = flag(n, "confirmation", true);
        sn.pdfText = text(n, "pdfText");
        sn.fileName = text(n, "fileName");
        sn.documentStatus = number(n, "documentStatus");
        sn.documentFailFrom = number(n, "documentFailFrom");
        sn.documentStallMs = number(n, "documentStallMs");
        sn.downloadDelayMs = number(n, "downloadDelayMs");
        s.notifications.append(sn);
    }

    s.loginNeverAnswers = flag(root, "loginNeverAnswers", false);
    s.loginDelayMs = number(root, "loginDelayMs");
    s.loginAlert = text(root, "loginAlert");
    s.pageDelayMs = numberMap(root, "pageDelayMs");
    s.menuDelayMs = numberMap(root, "menuDelayMs");
    s.elementDelayMs = numberMap(root, "elementDelayMs");
    s.confirmationDelayMs = number(root, "confirmationDelayMs");
    s.successPopupDelayMs = number(root, "successPopupDelayMs");

    const QJsonObject errors = root.value(QLatin1String("pageErrors")).toObject();
    for (auto it = errors.begin(); it != errors.end(); ++it) {
        PageError e;
        if (it.value().isDouble()) {
            e.kind = QStringLiteral("status");
            e.status = it.value().toInt();
        } else if (it.value().isString()) {
            e.kind = it.value().toString();
        } else {
            const QJsonObject o = it.value().toObject();
            e.kind = text(o, "kind", QStringLiteral("reset"));
            e.status = number(o, "status", 500);
            e.times = number(o, "times", -1);
        }
        if (e.kind != QStringLiteral("reset") && e.kind != QStringLiteral("status")) {
            *error = QStringLiteral("page error kind must be \"reset\" or \"status\"");
            return false;
        }
        s.pageErrors.insert(it.key(), e);
    }

    const QJsonObject alerts = root.value(QLatin1String("pageAlerts")).toObject();
    for (auto it = alerts.begin(); it != alerts.end(); ++it)
        s.pageAlerts.insert(it.key(), it.value().toString());

    *out = s;
    return true;
}

bool Scenario::fromFile(const QString& path, Scenario* out, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read scenario %1: %2").arg(path, f.errorString());
        return false;
    }
    return fromJson(f.readAll(), out, error);
}
