#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>

// One notification of the e-notification box, as a scenario describes it.
struct ScenarioNotification {
    QString gonderenBirim;
    QString vergiDairesi;      // shown in the document table; the sending office when absent
    QString gondermeTarihi;
    QString tebligTarihi;
    QString belgeTuru;
    QString belgeNo;
    QString zarf;              // "Zarf Aç", "Zarf İçeriği Gör" or "" (no envelope image)
    bool confirmation = true;  // the reading-confirmation pop-up appears before opening
    QString pdfText;
    QString fileName;          // suggested download name; made from the number when empty
    // Injected document failures, applied from request number documentFailFrom on
    // (0 = every request; 1 = the browser's first request succeeds, later ones fail).
    int documentStatus = 0;    // 404, 500 or 302 (redirect to a second address of the same PDF)
    int documentFailFrom = 0;
    int documentStallMs = 0;   // half the body, then this pause, then the rest
    int downloadDelayMs = 0;   // the page waits this long after the click before navigating
};

// A failure injected into one page address.
struct PageError {
    QString kind = QStringLiteral("reset");  // "reset" (connection dropped) or "status"
    int status = 500;
    int times = -1;                          // how many requests fail; -1 = all
};

// The whole scenario of a run. Field names follow the JSON keys (README.md).
struct Scenario {
    bool captchaEnabled = true;
    QString captchaCode;  // one code for every id; random codes when empty

    QString kullaniciKodu, parola, sifre;
    QString tc, gun, ay, yil, ak1, ak2, tcYakin;
    QString unvan;  // the taxpayer name shown in the application header

    bool messagePopup = true;
    bool messagePopupTamam = true;
    QString messageText;  // the message pop-up's text; a default naming the unread count when empty

    QList<ScenarioNotification> notifications;

    // Injected failures and delays.
    bool loginNeverAnswers = false;
    int loginDelayMs = 0;
    QString loginAlert;
    QHash<QString, int> pageDelayMs;        // address path -> delay of the answer
    QHash<QString, PageError> pageErrors;   // address path -> failure
    QHash<QString, int> menuDelayMs;        // menu item text -> appears this late
    QHash<QString, int> elementDelayMs;     // element text -> appears this late
    QHash<QString, QString> pageAlerts;     // page name ("giris", "uygulama", "tebligat") -> alert text
    int confirmationDelayMs = 0;
    int successPopupDelayMs = 0;

    QJsonObject source;  // the JSON it was read from

    // Reads a scenario; on failure returns false and describes the problem in *error.
    static bool fromJson(const QByteArray& json, Scenario* out, QString* error);
    static bool fromFile(const QString& path, Scenario* out, QString* error);
};
