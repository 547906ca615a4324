#pragma once
// Pieces shared by the end-to-end login tests: a scenario whose credentials would break a
// page statement built without escaping, the T.C. fields typed from it, and the site's
// answers to logins.
#include "app/Controls.h"
#include "support/ToolRun.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

namespace logintest {

// Fast enough for the waits of a run, slow enough for the headless browsers to keep up.
inline constexpr double kScale = 0.05;

inline const QString kNoServer = QStringLiteral("Internet Server bağlantısı kurulamıyor!... Lütfen işlemi tekrarlayınız.");

// The demo's taxpayer, with quotes, backslashes and a closing script tag in the credentials.
inline QJsonObject scenario(bool captcha) {
    QJsonObject s;
    if (captcha)
        s.insert(QStringLiteral("captcha"), QJsonObject{{QStringLiteral("enabled"), true}, {QStringLiteral("code"), QStringLiteral("K7P2M")}});
    else
        s.insert(QStringLiteral("captcha"), QJsonObject{{QStringLiteral("enabled"), false}});
    s.insert(QStringLiteral("user"),
             QJsonObject{{QStringLiteral("kullaniciKodu"), QStringLiteral("12\"34\\56'78")},
                         {QStringLiteral("parola"), QStringLiteral("Pa\"ro\\la</script>")},
                         {QStringLiteral("sifre"), QStringLiteral("Şi\"f\\re\\")},
                         {QStringLiteral("unvan"), QStringLiteral("ÖRNEK GIDA SANAYİ VE TİCARET A.Ş.")}});
    s.insert(QStringLiteral("tcUser"), QJsonObject{{QStringLiteral("tc"), QStringLiteral("10000000146")},
                                                   {QStringLiteral("gun"), QStringLiteral("07")},
                                                   {QStringLiteral("ay"), QStringLiteral("03")},
                                                   {QStringLiteral("yil"), QStringLiteral("1980")},
                                                   {QStringLiteral("ak1"), QStringLiteral("\"")},
                                                   {QStringLiteral("ak2"), QStringLiteral("\\")},
                                                   {QStringLiteral("tcYakin"), QStringLiteral("10000000078")}});
    s.insert(QStringLiteral("messagePopup"), false);
    s.insert(QStringLiteral("notifications"), QJsonArray{});
    return s;
}

// The T.C. page's fields and the scenario keys they answer, in the page's order.
struct TcField {
    etb::Ctl control;
    const char* key;
};
inline const TcField kTcFields[] = {
    {etb::Ctl::EdtTCKimlikNo, "tc"}, {etb::Ctl::EdtGun, "gun"},   {etb::Ctl::EdtAy, "ay"},
    {etb::Ctl::EdtYil, "yil"},       {etb::Ctl::EdtAnne1, "ak1"}, {etb::Ctl::EdtAnne2, "ak2"},
    {etb::Ctl::EdtYakinTCNo, "tcYakin"}};

// Types the scenario's T.C. identity data into the T.C. page.
inline void fillTcFields(ToolRun& run) {
    const QJsonObject tc = run.scenario.value(QStringLiteral("tcUser")).toObject();
    for (const TcField& f : kTcFields)
        run.setText(f.control, tc.value(QLatin1String(f.key)).toString());
}

// The site's answers to login calls so far: accepted, rejected or held.
inline QList<QJsonObject> loginCalls(ToolRun& run) {
    QList<QJsonObject> out;
    for (const QJsonValue& e : run.site.events()) {
        const QString kind = e.toObject().value(QStringLiteral("kind")).toString();
        if (kind == QLatin1String("login") || kind == QLatin1String("login-rejected") || kind == QLatin1String("login-held"))
            out.append(e.toObject());
    }
    return out;
}

} // namespace logintest
