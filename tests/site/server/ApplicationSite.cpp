#include "ApplicationSite.h"

#include "CaptchaImage.h"
#include "PageTemplate.h"
#include "PdfDocument.h"
#include "StaticFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

namespace {

const QString kLoginPath = QStringLiteral("/");
const QString kAppPath = QStringLiteral("/uygulama/anasayfa");
const QString kDocumentPath = QStringLiteral("/ebelge/indir");
const QString kSessionEnded = QStringLiteral("Oturumunuz sonlanmıştır. Lütfen yeniden giriş yapınız.");

QByteArray json(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

QString now() { return QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")); }

// Field values as received, for the events.
QJsonObject received(const QJsonObject& body, const QStringList& keys) {
    QJsonObject out;
    for (const QString& k : keys)
        out.insert(k, body.value(k).toString());
    return out;
}

bool sameNumber(const QString& a, const QString& b) {
    bool okA = false, okB = false;
    const int x = a.trimmed().toInt(&okA);
    const int y = b.trimmed().toInt(&okB);
    return okA && okB ? x == y : a.trimmed() == b.trimmed();
}

bool sameLetter(const QString& a, const QString& b) {
    const QLocale tr(QLocale::Turkish);
    return tr.toUpper(a.trimmed()) == tr.toUpper(b.trimmed());
}

}  // namespace

ApplicationSite::ApplicationSite(SiteState* state, QObject* parent) : QObject(parent), state_(state) {}

void ApplicationSite::handle(const Request& request, const ExchangePtr& exchange) {
    PageError error;
    if (state_->takePageError(request.path, &error)) {
        state_->record(QStringLiteral("page-error"),
                       {{QStringLiteral("path"), request.path}, {QStringLiteral("error"), error.kind},
                        {QStringLiteral("status"), error.status}});
        if (error.kind == QStringLiteral("reset"))
            exchange->reset();
        else
            exchange->sendHtml(QStringLiteral("<html><body><h1>%1</h1><p>Sunucu hatası.</p></body></html>")
                                   .arg(error.status),
                               error.status);
        return;
    }
    state_->later(state_->scenario().pageDelayMs.value(request.path, 0), this,
                  [this, request, exchange] { dispatch(request, exchange); });
}

void ApplicationSite::dispatch(const Request& request, const ExchangePtr& exchange) {
    const QString& path = request.path;
    if (serveStaticFile(state_->siteDir(), request, exchange))
        return;
    if (path == kLoginPath || path == QStringLiteral("/index.jsp"))
        return loginPage(exchange);
    if (path == QStringLiteral("/captcha/cerceve"))
        return captchaFrame(request, exchange);
    if (path == QStringLiteral("/captcha/jcaptcha"))
        return captchaPicture(request, exchange);
    if (path == QStringLiteral("/giris") && request.isPost())
        return login(request, exchange, false);
    if (path == QStringLiteral("/giris/tckn") && request.isPost())
        return login(request, exchange, true);
    if (path == kAppPath)
        return applicationPage(request, exchange);
    if (path == kDocumentPath)
        return document(request, exchange);
    if (path == QStringLiteral("/api/cikis") && request.isPost())
        return logout(request, exchange);
    if (path.startsWith(QStringLiteral("/api/"))) {
        AppSession* session = state_->session(request.param(QStringLiteral("token")));
        if (!session || session->ended) {
            exchange->sendJson(json({{QStringLiteral("ok"), false}, {QStringLiteral("mesaj"), kSessionEnded}}), 401);
            return;
        }
        if (path == QStringLiteral("/api/tebligat/liste"))
            return notificationList(session, exchange);
        if (path == QStringLiteral("/api/tebligat/zarf") && request.isPost())
            return openEnvelope(session, request, exchange);
        if (path == QStringLiteral("/api/menu") && request.isPost())
            return menu(session, request, exchange);
    }
    if (path == QStringLiteral("/favicon.ico")) {
        exchange->send(204, {}, {});
        return;
    }
    exchange->sendHtml(QStringLiteral("<html><body><h1>404</h1><p>Sayfa bulunamadı.</p></body></html>"), 404);
}

void ApplicationSite::sendPage(const QString& name, const ExchangePtr& exchange,
                               const std::function<void(PageTemplate&)>& fill) {
    PageTemplate page;
    QString error;
    if (!page.load(state_->siteDir(), name, &error)) {
        exchange->sendText(500, error);
        return;
    }
    fill(page);
    exchange->sendHtml(page.render());
}

void ApplicationSite::loginPage(const ExchangePtr& exchange) {
    const Scenario& s = state_->scenario();
    sendPage(QStringLiteral("giris.html"), exchange, [&](PageTemplate& page) {
        page.when(QStringLiteral("captcha"), s.captchaEnabled)
            .set(QStringLiteral("ALERT"), s.pageAlerts.value(QStringLiteral("giris")));
    });
}

void ApplicationSite::captchaFrame(const Request& request, const ExchangePtr& exchange) {
    if (!state_->scenario().captchaEnabled) {
        exchange->sendHtml(QStringLiteral("<html><body></body></html>"), 404);
        return;
    }
    const QString form = request.param(QStringLiteral("form")) == QStringLiteral("TCKN") ? QStringLiteral("TCKN")
                                                                                         : QStringLiteral("KKODU");
    const QString id = state_->issueCaptcha();
    sendPage(QStringLiteral("captcha-cerceve.html"), exchange, [&](PageTemplate& page) {
        page.set(QStringLiteral("CID"), id).set(QStringLiteral("FORM"), form);
    });
}

void ApplicationSite::captchaPicture(const Request& request, const ExchangePtr& exchange) {
    const QString id = request.param(QStringLiteral("imageID"));
    const CaptchaEntry* entry = state_->captcha(id);
    state_->record(QStringLiteral("captcha-image"),
                   {{QStringLiteral("id"), id}, {QStringLiteral("known"), entry != nullptr},
                    {QStringLiteral("userAgent"), QString::fromUtf8(request.header("User-Agent"))}});
    if (!entry) {
        exchange->sendText(404, QStringLiteral("Geçersiz doğrulama kodu resmi."));
        return;
    }
    exchange->send(200, "image/jpeg", renderCaptchaJpeg(entry->code));
}

void ApplicationSite::login(const Request& request, const ExchangePtr& exchange, bool tckn) {
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(request.body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        exchange->sendJson(json({{QStringLiteral("ok"), false}, {QStringLiteral("mesaj"), QStringLiteral("Geçersiz istek.")}}), 400);
        return;
    }
    const Scenario& s = state_->scenario();
    const QJsonObject values = doc.object();
    if (s.loginNeverAnswers) {
        state_->record(QStringLiteral("login-held"), {{QStringLiteral("values"), values}});
        state_->hold(exchange);
        return;
    }
    state_->later(s.loginDelayMs, this, [this, values, exchange, tckn] { answerLogin(values, exchange, tckn); });
}

void ApplicationSite::answerLogin(const QJsonObject& body, const ExchangePtr& exchange, bool tckn) {
    const Scenario& s = state_->scenario();
    const QStringList keys = tckn ? QStringList{QStringLiteral("tc"), QStringLiteral("gun"), QStringLiteral("ay"),
                                                QStringLiteral("yil"), QStringLiteral("ak1"), QStringLiteral("ak2"),
                                                QStringLiteral("tcYakin"), QStringLiteral("dkTCKN"), QStringLiteral("cid")}
                                  : QStringList{QStringLiteral("kullaniciKodu"), QStringLiteral("parola"),
                                                QStringLiteral("sifre"), QStringLiteral("dkKKODU"), QStringLiteral("cid")};
    const QJsonObject values = received(body, keys);
    const QString loginKind = tckn ? QStringLiteral("tckn") : QStringLiteral("kullaniciKodu");
    auto v = [&](const char* key) { return values.value(QLatin1String(key)).toString(); };

    QString reason, alert;
    if (!s.loginAlert.isEmpty()) {
        reason = QStringLiteral("injected");
        alert = s.loginAlert;
    } else if (s.captchaEnabled) {
        const QString code = v(tckn ? "dkTCKN" : "dkKKODU");
        if (code.trimmed().isEmpty()) {
            reason = QStringLiteral("captcha-empty");
            alert = QStringLiteral("Doğrulama Kodu alanı boş bırakılamaz.");
        } else if (!state_->checkCaptcha(v("cid"), code)) {
            reason = QStringLiteral("captcha");
            alert = QStringLiteral("Doğrulama kodu hatalı girilmiştir. Lütfen yeni kod ile tekrar deneyiniz.");
        }
    }
    if (reason.isEmpty()) {
        if (!tckn) {
            if (v("kullaniciKodu") != s.kullaniciKodu) {
                reason = QStringLiteral("kullaniciKodu");
                alert = QStringLiteral("Kullanıcı kodu hatalı ya da sistemde kayıtlı değil.");
            } else if (v("parola") != s.parola) {
                reason = QStringLiteral("parola");
                alert = QStringLiteral("Parola hatalı. Lütfen kontrol ederek tekrar deneyiniz.");
            } else if (v("sifre") != s.sifre) {
                reason = QStringLiteral("sifre");
                alert = QStringLiteral("Şifre hatalı. Lütfen kontrol ederek tekrar deneyiniz.");
            }
        } else {
            if (s.tc.isEmpty() || v("tc").trimmed() != s.tc) {
                reason = QStringLiteral("tc");
                alert = QStringLiteral("Kullanıcı bulunamadı. T.C. Kimlik Numarasını kontrol ediniz.");
            } else if (!sameNumber(v("gun"), s.gun) || !sameNumber(v("ay"), s.ay) || !sameNumber(v("yil"), s.yil) ||
                       !sameLetter(v("ak1"), s.ak1) || !sameLetter(v("ak2"), s.ak2) ||
                       v("tcYakin").trimmed() != s.tcYakin) {
                reason = QStringLiteral("kisiselBilgi");
                alert = QStringLiteral("Kullanıcı doğrulama bilgileri (doğum tarihi, anne kızlık soyadı harfleri, "
                                       "yakın T.C. kimlik numarası) hatalı.");
            }
        }
    }
    if (!reason.isEmpty()) {
        state_->record(QStringLiteral("login-rejected"),
                       {{QStringLiteral("loginKind"), loginKind}, {QStringLiteral("reason"), reason},
                        {QStringLiteral("alert"), alert}, {QStringLiteral("values"), values}});
        exchange->sendJson(json({{QStringLiteral("ok"), false}, {QStringLiteral("mesaj"), alert}}));
        return;
    }
    AppSession* session = state_->openSession(loginKind);
    const QString address = kAppPath + QStringLiteral("?token=") + session->token;
    state_->record(QStringLiteral("login"), {{QStringLiteral("loginKind"), loginKind},
                                             {QStringLiteral("token"), session->token},
                                             {QStringLiteral("values"), values}});
    exchange->sendJson(json({{QStringLiteral("ok"), true}, {QStringLiteral("adres"), address}}));
}

void ApplicationSite::applicationPage(const Request& request, const ExchangePtr& exchange) {
    const QString token = request.param(QStringLiteral("token"));
    AppSession* session = state_->session(token);
    state_->record(QStringLiteral("page"), {{QStringLiteral("path"), request.path},
                                            {QStringLiteral("token"), token},
                                            {QStringLiteral("valid"), session && !session->ended}});
    if (!session || session->ended) {
        exchange->redirect(QStringLiteral("/?oturum=sonlandi"));
        return;
    }
    const Scenario& s = state_->scenario();
    auto numbers = [](const QHash<QString, int>& h) {
        QJsonObject o;
        for (auto it = h.begin(); it != h.end(); ++it)
            o.insert(it.key(), it.value());
        return o;
    };
    QJsonObject alerts;
    for (auto it = s.pageAlerts.begin(); it != s.pageAlerts.end(); ++it)
        alerts.insert(it.key(), it.value());
    const QJsonObject config{
        {QStringLiteral("token"), token},
        {QStringLiteral("unvan"), s.unvan},
        {QStringLiteral("kullanici"), session->loginKind == QStringLiteral("tckn") ? s.tc : s.kullaniciKodu},
        {QStringLiteral("girisZamani"), now()},
        {QStringLiteral("menuDelayMs"), numbers(s.menuDelayMs)},
        {QStringLiteral("elementDelayMs"), numbers(s.elementDelayMs)},
        {QStringLiteral("messagePopup"), s.messagePopup},
        {QStringLiteral("messagePopupTamam"), s.messagePopupTamam},
        {QStringLiteral("confirmationDelayMs"), s.confirmationDelayMs},
        {QStringLiteral("successPopupDelayMs"), s.successPopupDelayMs},
        {QStringLiteral("pageAlerts"), alerts},
    };
    sendPage(QStringLiteral("uygulama.html"), exchange, [&](PageTemplate& page) {
        page.setRaw(QStringLiteral("CONFIG"), PageTemplate::scriptSafeJson(json(config)))
            .set(QStringLiteral("UNVAN"), s.unvan);
    });
}

QString ApplicationSite::documentAddress(int index) const {
    return kDocumentPath + QStringLiteral("?anahtar=") + state_->notifications().at(index).documentKey;
}

QString ApplicationSite::documentFileName(int index) const {
    const ScenarioNotification& n = state_->scenario().notifications.at(index);
    if (!n.fileName.isEmpty())
        return n.fileName;
    QString number = n.belgeNo;
    number.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return QStringLiteral("Tebligat_%1.pdf").arg(number.isEmpty() ? QString::number(index + 1) : number);
}

void ApplicationSite::notificationList(AppSession* session, const ExchangePtr& exchange) {
    const Scenario& s = state_->scenario();
    QJsonArray list;
    int unread = 0;
    for (int i = 0; i < s.notifications.size(); ++i) {
        const ScenarioNotification& n = s.notifications.at(i);
        const NotificationState& st = state_->notifications().at(i);
        QString zarf;
        if (!n.zarf.isEmpty())
            zarf = st.opened ? QStringLiteral("Zarf İçeriği Gör") : QStringLiteral("Zarf Aç");
        if (zarf == QStringLiteral("Zarf Aç"))
            ++unread;
        QJsonObject o{{QStringLiteral("sira"), i},
                      {QStringLiteral("gonderenBirim"), n.gonderenBirim},
                      {QStringLiteral("vergiDairesi"), n.vergiDairesi},
                      {QStringLiteral("gondermeTarihi"), n.gondermeTarihi},
                      {QStringLiteral("tebligTarihi"), n.tebligTarihi},
                      {QStringLiteral("belgeTuru"), n.belgeTuru},
                      {QStringLiteral("belgeNo"), n.belgeNo},
                      {QStringLiteral("zarf"), zarf},
                      {QStringLiteral("onay"), n.confirmation},
                      {QStringLiteral("okunmaTarihi"), st.openedAt}};
        if (session->viewed.contains(i) && st.opened)
            o.insert(QStringLiteral("belge"),
                     QJsonObject{{QStringLiteral("adres"), documentAddress(i)},
                                 {QStringLiteral("dosyaAdi"), documentFileName(i)},
                                 {QStringLiteral("gecikmeMs"), n.downloadDelayMs}});
        list.append(o);
    }
    QString message = s.messageText;
    if (message.isEmpty())
        message = QStringLiteral("Posta kutunuzda okunmamış %1 adet tebligat bulunmaktadır. Tebligatlarınızı "
                                 "\"Okunmamış Tebligatlar\" bölümünden görüntüleyebilirsiniz.")
                      .arg(unread);
    exchange->sendJson(json({{QStringLiteral("ok"), true},
                             {QStringLiteral("bildirimler"), list},
                             {QStringLiteral("mesaj"), message}}));
}

void ApplicationSite::openEnvelope(AppSession* session, const Request& request, const ExchangePtr& exchange) {
    bool ok = false;
    const int i = request.param(QStringLiteral("sira")).toInt(&ok);
    const Scenario& s = state_->scenario();
    if (!ok || i < 0 || i >= s.notifications.size() || s.notifications.at(i).zarf.isEmpty()) {
        exchange->sendJson(json({{QStringLiteral("ok"), false}, {QStringLiteral("mesaj"), QStringLiteral("Zarf bulunamadı.")}}), 404);
        return;
    }
    NotificationState& st = state_->notifications()[i];
    const bool alreadyOpen = st.opened;
    if (!st.opened) {
        st.opened = true;
        st.openedAt = now();
    }
    session->viewed.insert(i);
    state_->record(QStringLiteral("envelope-open"),
                   {{QStringLiteral("token"), session->token}, {QStringLiteral("sira"), i},
                    {QStringLiteral("belgeNo"), s.notifications.at(i).belgeNo},
                    {QStringLiteral("belgeTuru"), s.notifications.at(i).belgeTuru},
                    {QStringLiteral("elementId"), request.param(QStringLiteral("eleman"))},
                    {QStringLiteral("alreadyOpen"), alreadyOpen}});
    exchange->sendJson(json({{QStringLiteral("ok"), true}, {QStringLiteral("alreadyOpen"), alreadyOpen}}));
}

void ApplicationSite::menu(AppSession* session, const Request& request, const ExchangePtr& exchange) {
    const QJsonObject body = QJsonDocument::fromJson(request.body).object();
    state_->record(QStringLiteral("menu"), {{QStringLiteral("token"), session->token},
                                            {QStringLiteral("item"), body.value(QStringLiteral("item")).toString()},
                                            {QStringLiteral("elementId"), body.value(QStringLiteral("elementId")).toString()}});
    exchange->sendJson(json({{QStringLiteral("ok"), true}}));
}

void ApplicationSite::logout(const Request& request, const ExchangePtr& exchange) {
    const QString token = request.param(QStringLiteral("token"));
    AppSession* session = state_->session(token);
    const bool known = session != nullptr;
    const bool alreadyEnded = known && session->ended;
    if (known)
        session->ended = true;
    state_->record(QStringLiteral("logout"), {{QStringLiteral("token"), token},
                                              {QStringLiteral("known"), known},
                                              {QStringLiteral("alreadyEnded"), alreadyEnded}});
    exchange->sendJson(json({{QStringLiteral("ok"), true}, {QStringLiteral("adres"), QStringLiteral("/?cikis=1")}}));
}

void ApplicationSite::document(const Request& request, const ExchangePtr& exchange) {
    const int i = state_->notificationByDocumentKey(request.param(QStringLiteral("anahtar")));
    if (i < 0) {
        state_->record(QStringLiteral("document"), {{QStringLiteral("sira"), -1}, {QStringLiteral("status"), 404}});
        exchange->sendHtml(QStringLiteral("<html><body><h1>404</h1><p>Belge bulunamadı.</p></body></html>"), 404);
        return;
    }
    const ScenarioNotification& n = state_->scenario().notifications.at(i);
    NotificationState& st = state_->notifications()[i];
    const int requestNumber = st.documentRequests++;
    const bool redirected = request.param(QStringLiteral("yonlendirme")) == QStringLiteral("1");
    const bool failing = !redirected && requestNumber >= n.documentFailFrom;
    int status = 200;
    if (failing && (n.documentStatus == 404 || n.documentStatus == 500 || n.documentStatus == 302))
        status = n.documentStatus;
    const bool stall = failing && status == 200 && n.documentStallMs > 0;
    state_->record(QStringLiteral("document"),
                   {{QStringLiteral("sira"), i}, {QStringLiteral("belgeNo"), n.belgeNo},
                    {QStringLiteral("request"), requestNumber}, {QStringLiteral("status"), status},
                    {QStringLiteral("redirected"), redirected}, {QStringLiteral("stalled"), stall},
                    {QStringLiteral("userAgent"), QString::fromUtf8(request.header("User-Agent"))}});
    if (status == 302) {
        exchange->redirect(documentAddress(i) + QStringLiteral("&yonlendirme=1"));
        return;
    }
    if (status != 200) {
        exchange->sendHtml(QStringLiteral("<html><body><h1>%1</h1><p>Belge şu anda verilemiyor.</p></body></html>")
                               .arg(status),
                           status);
        return;
    }
    if (st.pdf.isEmpty())
        st.pdf = renderNotificationPdf(n);
    const QString name = documentFileName(i);
    QString plain = name;
    for (QChar& c : plain)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == QLatin1Char('"') || c == QLatin1Char('\\'))
            c = QLatin1Char('_');
    const QByteArray disposition = "attachment; filename=\"" + plain.toLatin1() + "\"; filename*=UTF-8''" +
                                   QUrl::toPercentEncoding(name);
    const HeaderList headers{{"Content-Disposition", disposition}};
    if (!stall) {
        exchange->send(200, "application/pdf", st.pdf, headers);
        return;
    }
    const QByteArray pdf = st.pdf;
    const qsizetype half = pdf.size() / 2;
    exchange->begin(200, "application/pdf", pdf.size(), headers);
    exchange->write(pdf.left(half));
    state_->hold(exchange);
    QTimer::singleShot(n.documentStallMs, this, [exchange, pdf, half] { exchange->write(pdf.mid(half)); });
}
