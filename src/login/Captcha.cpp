#include "adapters/Registry.h"
#include "app/Environment.h"
#include "app/Session.h"
#include "app/Timing.h"
#include "browser/ScriptLiteral.h"
#include "login/Captcha.h"

namespace etb {

namespace {

const QString kCaptchaNotLoaded = QStringLiteral("Doğrulama kodu yüklenemedi. Lütfen Tekrar deneyiniz.");

// The seven captcha controls shown or hidden together (the T.C. page's refresh button stays).
constexpr Ctl kCaptchaControls[] = {Ctl::CaptchaImg,       Ctl::CaptchaImgTC,       Ctl::BtnCapthcaYenile,
                                    Ctl::LblDogrulamaKodu, Ctl::EdtDogrulamaKodu,   Ctl::LblDogrulamaKoduTC,
                                    Ctl::EdtDogrulamaKoduTC};

} // namespace

QUrl captchaPictureUrl(const QString& id) {
    QUrl url = Environment::get().siteUrl.resolved(QUrl(QStringLiteral("/captcha/jcaptcha")));
    url.setQuery(QStringLiteral("imageID=") + QString::fromLatin1(QUrl::toPercentEncoding(id)));
    return url;
}

// Unquoted, the value runs from after "value=" up to the last character (the closing angle
// bracket). Quoted, as Chromium writes it, the value ends at its closing quote, wherever the
// attribute stands in the element.
QString captchaIdFromMarkup(const QString& markup) {
    const qsizetype at = markup.indexOf(QStringLiteral("value="));
    if (at < 0)
        return {};
    const qsizetype p = at + 6;
    if (p < markup.size() && (markup.at(p) == QLatin1Char('"') || markup.at(p) == QLatin1Char('\''))) {
        const qsizetype end = markup.indexOf(markup.at(p), p + 1);
        if (end > p)
            return markup.mid(p + 1, end - p - 1);
    }
    return markup.mid(p, qMax<qsizetype>(0, markup.size() - 1 - p));
}

bool Session::downloadCaptchaPicture() {
    HttpRequest req;
    req.url = captchaPictureUrl(CaptchaIDValue);
    req.headers = {{"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
                   {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"}};
    req.connectTimeoutMs = scaled(Pause::HttpConnect);
    req.stallMs = scaled(Pause::HttpStall);
    req.totalMs = scaled(Pause::CaptchaTotal);
    const HttpResponse resp = s.http.get(req);
    s.waiter.pumpOnce();
    if (!resp.transferOk) {
        pr_LogYaz(QStringLiteral("Doğrulama kodu resmi alınamadı: ") + resp.error);
        return false;
    }
    // An error status is not a failure of the request itself; the answer is shown if it
    // is a picture at all.
    if (!s.ui.setCaptchaPicture(resp.body)) {
        pr_LogYaz(QStringLiteral("Doğrulama kodu resmi gösterilemedi (HTTP ") + QString::number(resp.status) +
                  QStringLiteral(")."));
    }
    return true;
}

bool Session::fn_ShowCaptchaKodu() {
    const IndicatorsRunning indicators(s.ui);
    gCaptchaYuklendi = false;

    // 2. The browser version check.
    const QString version = fn_IEVersiyonOku(QStringLiteral("Version"));
    if (!version.isEmpty()) {
        bool ok = false;
        const int major = version.section(QLatin1Char('.'), 0, 0).toInt(&ok);
        if (ok && major >= 1 && major <= 10)
            BilgiMesaji(s.dialogs, QStringLiteral("İnternet Explorer ın son sürümü de kurulu olmalıdır. Aksi halde "
                                                  "program düzgün çalışmaya bilir"));
    }

    // 3. The login page in both views.
    const QUrl root = Environment::get().siteUrl;
    s.chrom.load(root);
    Sure = s.waiter.now();
    s.web.navigate(root);
    s.waiter.whileWait(
        Sure, Sure2, [this] { return s.web.readyState() < 4; },
        [this] {
            BilgiMesaji(s.dialogs,
                        QStringLiteral("Internet Server bağlantısı kurulamıyor!... Lütfen işlemi tekrarlayınız."));
        });

    // 4.
    CaptchaIDValue.clear();
    CaptchaIDValue = fn_GetCaptchaIDValue();

    // 5.
    for (Ctl c : kCaptchaControls)
        s.ui.setControlVisible(c, gCaptchaKoduVar);
    s.ui.setHint(Ctl::CaptchaImg, CaptchaIDValue);
    s.ui.setHint(Ctl::CaptchaImgTC, CaptchaIDValue);

    // 6.
    if (!gCaptchaKoduVar)
        return false;
    const Ctl refresh = gTCKimlikNoGirisi ? Ctl::BtnCapthcaYenileTC : Ctl::BtnCapthcaYenile;
    // 7.
    if (CaptchaIDValue.isEmpty()) {
        BilgiMesaji(s.dialogs, kCaptchaNotLoaded);
        s.ui.focus(refresh);
        return false;
    }
    // 8.
    if (!downloadCaptchaPicture()) {
        BilgiMesaji(s.dialogs, kCaptchaNotLoaded);
        gCaptchaYuklendi = false;
        return false;
    }
    // 9.
    gCaptchaYuklendi = true;
    pr_SureBekle(Pause::CaptchaShown);
    // 10.
    if (gCaptchaYuklendi) {
        const QString frame = gTCKimlikNoGirisi ? QStringLiteral("captchaTCKN") : QStringLiteral("captchaKKODU");
        if (gKullaniciGirisi || gTCKimlikNoGirisi) {
            CodeStr = QStringLiteral("document.getElementById(") + jsLiteral(frame) +
                      QStringLiteral(").contentDocument.getElementById(\"cid\").value=") + jsLiteral(CaptchaIDValue);
            runChromScript(CodeStr);
        }
        if (gKullaniciGirisi)
            s.ui.focus(Ctl::EdtDogrulamaKodu);
        return true;
    }
    // 11.
    s.ui.focus(refresh);
    return false;
}

QString Session::fn_GetCaptchaIDValue() {
    pr_SureBekle(Pause::CaptchaFrameRead);
    QString result;
    gCaptchaKoduVar = false;
    QStringList frames;
    try {
        frames = s.web.frameElementHtml(QStringLiteral("cid"));
    } catch (const DomError& e) {
        pr_LogYaz(QStringLiteral("Doğrulama kodu okunamadı: ") + QString::fromUtf8(e.what()));
        return {};
    }
    for (const QString& markup : frames) {
        if (markup.isEmpty())
            continue;
        gCaptchaKoduVar = true;
        result = captchaIdFromMarkup(markup);
        if (!result.isEmpty())
            break;
    }
    return result;
}

void Session::BtnCapthcaYenileClick() {
    if (!CaptchaIDValue.isEmpty() && !gHataOlustu) {
        if (!downloadCaptchaPicture()) {
            BilgiMesaji(s.dialogs, kCaptchaNotLoaded);
            gCaptchaYuklendi = false;
            return;
        }
        gCaptchaYuklendi = true;
    } else {
        fn_ShowCaptchaKodu();
    }
    if (!CaptchaIDValue.isEmpty()) {
        s.ui.focus(gTCKimlikNoGirisi ? Ctl::EdtDogrulamaKoduTC : Ctl::EdtDogrulamaKodu);
    } else {
        BilgiMesaji(s.dialogs, kCaptchaNotLoaded);
        s.ui.focus(gTCKimlikNoGirisi ? Ctl::BtnCapthcaYenileTC : Ctl::BtnCapthcaYenile);
    }
}

} // namespace etb
