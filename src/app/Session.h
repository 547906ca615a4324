#pragma once
#include "adapters/HostDatabase.h"
#include "adapters/HttpClient.h"
#include "app/ActivityLog.h"
#include "app/CommandLine.h"
#include "app/Controls.h"
#include "app/FormUi.h"
#include "app/Modes.h"
#include "app/Waits.h"
#include "browser/MenuStep.h"
#include "browser/ReadingView.h"
#include "browser/TextMatrix.h"
#include "dialog/Dialogs.h"
#include "operations/tebligat/TebligatList.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace etb {

// The platform pieces a session works with. The application wires the real ones; tests
// wire real browsers with fakes for the rest, or fakes throughout.
struct Services {
    FormUi& ui;
    Dialogs& dialogs;
    ActingView& chrom;                      // Chrom
    ReadingView& web;                       // WebBrowser
    ActingView& portal;                     // chrInteraktifVergiDairesi
    HttpClient& http;                       // our own requests (captcha picture, documents)
    HostDatabase& db;                       // ADOConnection
    Waiter& waiter;
};

// The main form's logic (TFrmETebligat without its widgets): its state fields and every
// handler. The handlers live in the files of their subject (start-up, browser events,
// queries, login, operations); each is entered through guard() at an event boundary.
class Session : public QObject {
    Q_OBJECT
public:
    Session(Services services, CommandLine commandLine, QObject* parent = nullptr);

    Services s;
    CommandLine cmd;

    // ---- state fields of the form, as the tool names them ----
    QString CodeStr;
    bool gCaptchaYuklendi = false;
    bool gGirisBasarili = false;
    bool gSayfaYuklendi = false;
    bool gHataOlustu = false;
    qint32 Sure = 0;
    qint32 Sure2 = 0;
    QString CaptchaIDValue;
    QStringList gButtonList;
    qint16 gDogurlamaKoduHatasi = 0;
    bool gETebligatIndirilemedi = false;
    bool gETebligatKontrolIcinAcildi = false;
    bool gVergiNoSgkNoBirlestir = false;
    bool gInteraktifVergiDairesi = false;
    bool gPosKontrol = false;
    bool gYeniEBeyannameAracilikSozlesmesiDefter = false;
    bool gYeniEBeyannameAracilikSorumlulukSozlesmesi = false;
    bool gMeslekOdalariAracilikSorumlulukSozlesmesi = false;
    bool gEVergiLevhasi = false;
    QString gKlavuzListesi;
    bool gGiris = false;
    QString gKlavuz;
    QString gVergiLevhasiYil;
    QString gVergiLevhasiTarih;
    bool gKullaniciGirisi = false;
    bool gTCKimlikNoGirisi = false;
    QString gLoginHata;
    bool gCaptchaKoduVar = false;
    bool gInteraktifVergiDairesiYuklendi = false;
    bool gInteraktifVergiDairesineGirisYapildi = false;
    bool gInteraktifVergiDairesiSifreGir = false;
    QString gPosDonemAy;
    QString gPosDonemYil;
    QString gParametreList;
    QStringList gEVergiLevhasiIndirilenFirmaListesi;
    QString gAnaDizin;
    // The latest alert was a rejected captcha code, answered by the alert handler itself.
    bool codeRejected = false;

    ActivityLog MemLog;
    TebligatList MemTebligatList;
    TextMatrix SGrd;

    // ---- event boundaries ----
    // Runs a handler: the silent abort ends it quietly; any other error reaches the default
    // error display (a plain message box with the error text). Nothing escapes.
    void guard(const std::function<void()>& handler);
    // Runs a handler later, from the event loop, inside guard().
    void post(std::function<void()> handler);

    // ---- shell (app/) ----
    void FormShow();
    void BtnKapatClick();
    void FormKeyDownShiftF9();
    // The close handler; runs its hand-back once per run however often it is called.
    void FormClose();
    bool closeHandled() const { return closeHandled_; }
    void pr_LogYaz(const QString& text) { MemLog.pr_LogYaz(text); }
    void pr_SureBekle(int ms) { s.waiter.pr_SureBekle(ms); }
    Mode mode() const;
    LoginKind loginKind() const;
    // The operation button that Enter in a code field clicks (none: Enter does nothing).
    std::optional<Ctl> enterButton(bool tcPage) const;

    // ---- browser driver (browser/) ----
    void runChromScript(const QString& code);
    void pr_ChromButtonClik(const QString& id);
    bool fn_ElemanBulTikla(const QString& text, const QString& cls, const QString& tag, bool flag);
    void ChromLoadEnd();
    void ChromLoadError(const QString& errorText);
    void ChromAddressChange(const QUrl& url);
    // Sends the reading view to an address and waits until it is complete; past the limit:
    // the log line, the message, the close, gGirisBasarili cleared and the silent abort.
    void mirrorIntoReadingView(const QUrl& url);
    void WebBrowserDownloadComplete();
    void WebBrowserShowScriptError();
    void WebBrowserWebWorkerFinsihed() { gCaptchaYuklendi = true; }

    // ---- element queries and menu steps (browser/) ----
    bool fn_ElemanAra(const QString& text, const QString& cls);
    QString fn_ElemanSiraBul(const QString& text, const QString& tag);
    void pr_SinifElemanTikla(const QString& cls, const QString& text, bool flag);
    void fn_DegerleTikla(const QString& text, const QString& cls, bool flag);
    void pr_AlanDoldur(const QString& marker, const QString& cls, const QString& value, bool dateFlag);
    void pr_IdDegerYaz(const QString& tag, const QString& titleText, const QString& value, const QString& cls,
                       const QString& marker);
    void pr_ElemanBekle(const QString& text, const QString& cls);
    // Runs one instance of the menu step; false when the run must end (gHataOlustu found set).
    bool pr_MenuSayfasinaGit(const MenuStep& step);
    void pr_AltMenuTikla(const QString& text);

    // ---- documents (browser/) ----
    // Chromium's download event: called inside the browser's callback, answers at once.
    void ChromBeforeDownload(const QUrl& url, const QString& suggestedName);
    QString fn_BelgeIndir(const QString& url, const QString& fileName);
    QString fn_DosyaIndir(const QString& url, const QString& fileName, const QString& folder);

    // ---- captcha and login (login/) ----
    bool fn_ShowCaptchaKodu();
    // The picture for CaptchaIDValue into both pictures; false when the request failed.
    bool downloadCaptchaPicture();
    QString fn_GetCaptchaIDValue();
    void BtnCapthcaYenileClick();
    bool pr_VedopGiris();
    enum class Operation { Tebligat, Pos, Levha, Sozlesme, SozlesmeDefter, MeslekOdalari, SgkBirlestir, Giris };
    // The login prologue; true when logged in and the operation goes on.
    bool pr_OturumAc(Operation op);
    void BtnGirisYapClick();
    // Chromium's script dialog: called inside the browser's callback, answers at once.
    void ChromJsdialog(const QString& message);
    void EdtDogrulamaKoduKeyDownEnter(bool tcPage);
    void pr_GuvenliCikis();
    void portalStartFirstHalf();
    void portalStartSecondHalf();
    void chrInteraktifVergiDairesiLoadEnd() { gInteraktifVergiDairesiYuklendi = true; }
    void chrInteraktifVergiDairesiAddressChange(const QUrl& url);
    void portalLogout();

    // ---- e-notifications (operations/tebligat/) ----
    void BtnETebligatKontrolClick();
    void pr_ETebligatKontrolIslemleri();
    void pr_ZarfAc(const QString& id);
    void pr_GetETebligatList(bool pBelgeDetay);
    // The e-notification reader's take-over of the table now in SGrd.
    void takeOverTebligatTable(bool pBelgeDetay);
    void storeTebligatRows();

private:
    bool closeHandled_ = false;

public:
    // Download bookkeeping of the e-notification download phase: the row whose button was
    // clicked and is waiting for its download event (-1: none waits).
    int downloadWaitingRow = -1;
    bool downloadEventArrived = false;
};

} // namespace etb
