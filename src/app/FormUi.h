#pragma once
#include "app/Controls.h"

#include <QByteArray>
#include <QString>

namespace etb {

// What the logic asks of the main form's widgets. The widget side (MainForm) implements it;
// tests may use a fake.
class FormUi {
public:
    virtual ~FormUi() = default;

    virtual void setActivePage(Page p) = 0;
    virtual Page activePage() const = 0;
    virtual void setTabsHidden() = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setSizeable(bool sizeable) = 0;
    virtual void resizeWindow(int width, int height) = 0;   // outer size
    virtual void maximize() = 0;
    virtual void hideForm() = 0;
    virtual bool isShowing() const = 0;
    // Ask the form to close; the close handler runs once, from the event loop.
    virtual void requestClose() = 0;

    virtual QString text(Ctl c) const = 0;
    virtual void setText(Ctl c, const QString& text) = 0;
    virtual void setControlVisible(Ctl c, bool visible) = 0;
    virtual bool controlVisible(Ctl c) const = 0;
    virtual void focus(Ctl c) = 0;
    virtual void setHint(Ctl c, const QString& hint) = 0;
    virtual void click(Ctl c) = 0;

    // Loads a picture into both captcha pictures; false when it is no picture.
    virtual bool setCaptchaPicture(const QByteArray& image) = 0;
    virtual void setIndicatorsRunning(bool running) = 0;
    virtual void closeSplash() = 0;
};

// Runs the activity indicators for as long as it lives: they stop however the handler ends.
class IndicatorsRunning {
public:
    explicit IndicatorsRunning(FormUi& ui) : ui_(ui) { ui_.setIndicatorsRunning(true); }
    ~IndicatorsRunning() { ui_.setIndicatorsRunning(false); }
    IndicatorsRunning(const IndicatorsRunning&) = delete;
    IndicatorsRunning& operator=(const IndicatorsRunning&) = delete;

private:
    FormUi& ui_;
};

} // namespace etb
