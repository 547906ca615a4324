#include "app/LoginPages.h"

#include "app/ActivityIndicator.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace etb {

bool digitFilterAccepts(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') || c == QLatin1Char('\b');
}

bool DigitFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Only characters are filtered; keys without one (arrows, Delete, Tab) pass.
        if (!text.isEmpty() && text.at(0).isPrint() && !digitFilterAccepts(text.at(0)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void makeUpperCaseAsTyped(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int pos = edit->cursorPosition();
        edit->setText(upper);
        edit->setCursorPosition(qMin(pos, int(upper.size())));
    });
}

namespace {

template <typename W>
W* add(ControlMap& controls, Ctl c, W* w) {
    w->setObjectName(ctlName(c));
    controls[c] = w;
    return w;
}

// Picture, refresh button, label and code field of one login page.
QLayout* captchaBlock(QWidget* page, ControlMap& controls, Ctl img, Ctl refresh, Ctl label, Ctl edit) {
    auto* v = new QVBoxLayout;
    v->setSpacing(4);
    auto* pics = new QHBoxLayout;
    pics->addStretch(1);
    auto* picture = add(controls, img, new QLabel(page));
    picture->setFixedSize(183, 92);
    picture->setScaledContents(true);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::Box);
    pics->addWidget(picture);
    auto* button = add(controls, refresh, new QToolButton(page));
    button->setFixedSize(61, 93);
    button->setIcon(page->style()->standardIcon(QStyle::SP_BrowserReload));
    button->setIconSize(QSize(32, 32));
    button->setToolTip(QStringLiteral("Yenile"));
    pics->addWidget(button);
    pics->addStretch(1);
    v->addLayout(pics);
    auto* codeRow = new QHBoxLayout;
    codeRow->addStretch(1);
    codeRow->addWidget(add(controls, label, new QLabel(QStringLiteral("Doğrulama Kodu"), page)));
    auto* code = add(controls, edit, new QLineEdit(page));
    code->setFixedWidth(150);
    makeUpperCaseAsTyped(code);
    codeRow->addWidget(code);
    codeRow->addStretch(1);
    v->addLayout(codeRow);
    return v;
}

// The indicator and the operation buttons, all on one spot.
QLayout* buttonBlock(QWidget* page, ControlMap& controls, Ctl indicator,
                     const std::vector<std::pair<Ctl, QString>>& buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* bekle = add(controls, indicator, new ActivityIndicator(ActivityIndicator::Shape::Ring, page));
    bekle->setFixedSize(32, 32);
    row->addWidget(bekle);
    auto* spot = new QGridLayout;
    for (const auto& [c, caption] : buttons) {
        auto* b = add(controls, c, new QPushButton(caption, page));
        b->setMinimumSize(150, 28);
        spot->addWidget(b, 0, 0);
    }
    row->addLayout(spot);
    row->addSpacing(32);
    row->addStretch(1);
    return row;
}

QLineEdit* hintedEdit(QWidget* page, ControlMap& controls, Ctl c, const QString& hint, int maxLength,
                      DigitFilter* digits) {
    auto* e = add(controls, c, new QLineEdit(page));
    QFont f = e->font();
    f.setBold(true);
    f.setPixelSize(16);
    e->setFont(f);
    e->setPlaceholderText(hint);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    if (digits)
        e->installEventFilter(digits);
    return e;
}

} // namespace

void buildUserCodePage(QWidget* page, ControlMap& controls) {
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(8, 8, 8, 4);
    v->setSpacing(6);
    v->addLayout(captchaBlock(page, controls, Ctl::CaptchaImg, Ctl::BtnCapthcaYenile, Ctl::LblDogrulamaKodu,
                              Ctl::EdtDogrulamaKodu));
    v->addLayout(buttonBlock(page, controls, Ctl::Bekle,
                             {{Ctl::BtnETebligatKontrol, QStringLiteral("e-Tebligat Kontrol")},
                              {Ctl::BtnVergiNoSgkBirlestir, QStringLiteral("SGK Birleştirme Bildirimi")},
                              {Ctl::BtnPosKontrol, QStringLiteral("Pos Kontrol")},
                              {Ctl::BtnYeniEBeyannameAracilikSozlesmesiDefter, QStringLiteral("Defter Bilgileri Girişi")},
                              {Ctl::BtnYeniEBeyannameAracilikSorumlulukSozlesmesi, QStringLiteral("Aracılık Sözleşmesi")},
                              {Ctl::BtnMeslekOdalariAracilikSorumlulukSozlesmesi,
                               QStringLiteral("Meslek Odaları Sözleşmesi")},
                              {Ctl::BtnEVergiLevhasi, QStringLiteral("E-Vergi Levhası")},
                              {Ctl::BtnGirisYap, QStringLiteral("Giriş Yap")}}));
    auto* uyari = add(controls, Ctl::LblUyari, new QLabel(page));
    uyari->setWordWrap(true);
    uyari->setAlignment(Qt::AlignCenter);
    QPalette pal = uyari->palette();
    pal.setColor(QPalette::WindowText, QColor(180, 0, 0));
    uyari->setPalette(pal);
    v->addWidget(uyari);
    v->addStretch(1);
}

void buildTcPage(QWidget* page, ControlMap& controls, DigitFilter* digits) {
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(12, 8, 12, 4);
    v->setSpacing(5);
    auto* head = new QHBoxLayout;
    auto* icon = new QLabel(page);
    icon->setObjectName(QStringLiteral("ImgTCKimlik"));
    icon->setPixmap(page->style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(24, 24));
    head->addWidget(icon);
    auto* heading = new QLabel(QStringLiteral("T.C. Kimlik Numarası ile Giriş"), page);
    heading->setObjectName(QStringLiteral("LblTCKimlikBaslik"));
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPixelSize(15);
    heading->setFont(hf);
    head->addWidget(heading);
    head->addStretch(1);
    v->addLayout(head);

    v->addWidget(hintedEdit(page, controls, Ctl::EdtTCKimlikNo, QStringLiteral("T.C. Kimlik Numarası"), 11, digits));
    auto* dogum = new QLabel(QStringLiteral("Doğum Tarihini Giriniz"), page);
    dogum->setObjectName(QStringLiteral("LblDogumTarihi"));
    v->addWidget(dogum);
    auto* date = new QHBoxLayout;
    date->addWidget(hintedEdit(page, controls, Ctl::EdtGun, QStringLiteral("Gün"), 2, digits));
    date->addWidget(hintedEdit(page, controls, Ctl::EdtAy, QStringLiteral("Ay"), 2, digits));
    date->addWidget(hintedEdit(page, controls, Ctl::EdtYil, QStringLiteral("Yıl"), 4, digits));
    v->addLayout(date);
    v->addWidget(hintedEdit(page, controls, Ctl::EdtAnne1, QStringLiteral("Anne Kızlık Soyadı 1. Harf"), 1, nullptr));
    v->addWidget(hintedEdit(page, controls, Ctl::EdtAnne2, QStringLiteral("Anne Kızlık Soyadı 2. Harf"), 1, nullptr));
    v->addWidget(hintedEdit(page, controls, Ctl::EdtYakinTCNo, QStringLiteral("TC Kimlik No (anne, baba, eş, çocuk)"),
                            0, digits));
    v->addLayout(captchaBlock(page, controls, Ctl::CaptchaImgTC, Ctl::BtnCapthcaYenileTC, Ctl::LblDogrulamaKoduTC,
                              Ctl::EdtDogrulamaKoduTC));
    v->addLayout(buttonBlock(page, controls, Ctl::BekleTC,
                             {{Ctl::BtnETebligatKontrolTC, QStringLiteral("e-Tebligat Kontrol")},
                              {Ctl::BtnVergiNoSgkBirlestirTC, QStringLiteral("SGK Birleştirme Bildirimi")},
                              {Ctl::BtnPosKontrolTC, QStringLiteral("Pos Kontrol")},
                              {Ctl::BtnYeniEBeyannameAracilikSozlesmesiDefterTC,
                               QStringLiteral("Defter Bilgileri Girişi")},
                              {Ctl::BtnYeniEBeyannameAracilikSorumlulukSozlesmesiTC,
                               QStringLiteral("Aracılık Sözleşmesi")},
                              {Ctl::BtnGirisYapTC, QStringLiteral("Giriş Yap")}}));
    v->addStretch(1);
}

} // namespace etb
