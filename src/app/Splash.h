#pragma once
#include <QTimer>
#include <QWidget>

namespace etb {

class ActivityIndicator;

// The splash window shown while the tool starts: borderless, centred, a picture, the text
// "Program Yükleniyor. Lütfen Bekleyiniz..." and a row of dots. Closing it frees it.
class TFrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TFrmSplash(QWidget* parent = nullptr);

    ActivityIndicator* Bekle2 = nullptr;
    QTimer Timer1;   // 100 ms; moves the dots

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace etb
