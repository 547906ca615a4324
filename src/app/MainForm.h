#pragma once
#include "app/Controls.h"
#include "app/FormUi.h"
#include "app/LoginPages.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QStackedWidget;
class QTableView;

namespace etb {

class LogTableModel;
class Session;

// The main window of the tool: the page control PC with its seven pages above the bottom bar
// PnlKapat. It is the widget side of the form; Session holds the logic and the state.
class TFrmETebligat : public QWidget, public FormUi {
    Q_OBJECT
public:
Q_SIGNALS:
    // The form has closed and its hand-back has run; the application may end.
    void closed();

public:
    explicit TFrmETebligat(QWidget* parent = nullptr);
    ~TFrmETebligat() override;

    // The logic that the form's events go to (clicks, keys, close).
    void setSession(Session* session);
    Session* session() const;
    // What closeSplash() does (the main program closes its splash window here).
    void setCloseSplash(std::function<void()> closer) { splashCloser_ = std::move(closer); }

    // Shows the form and runs the start-up to its end, as the main program's "show" step.
    void showAndStart();

    // A page of PC, for the application to put the browser views into (TSWeb, TSChrom,
    // TSInteraktifVergiDairesi have an empty layout ready).
    QWidget* pageWidget(Page p) const;
    QWidget* control(Ctl c) const;
    QStackedWidget* pageControl() const { return PC; }
    QTableView* logGrid() const { return GrdLog; }
    QTableView* tebligatGrid() const { return GrdTebligat; }
    // The window's outer size (the frame counted when the window system has one).
    QSize outerSize() const;
    // The close handler has run (it runs once per run).
    bool closeHandlerRan() const { return closeRan_; }

    // ---- FormUi ----
    void setActivePage(Page p) override;
    Page activePage() const override;
    void setTabsHidden() override {}   // the pages have no tabs
    void setCaption(const QString& caption) override;
    void setSizeable(bool sizeable) override;
    void resizeWindow(int width, int height) override;
    void maximize() override;
    void hideForm() override;
    bool isShowing() const override;
    void requestClose() override;
    QString text(Ctl c) const override;
    void setText(Ctl c, const QString& text) override;
    void setControlVisible(Ctl c, bool visible) override;
    bool controlVisible(Ctl c) const override;
    void focus(Ctl c) override;
    void setHint(Ctl c, const QString& hint) override;
    void click(Ctl c) override;
    bool setCaptchaPicture(const QByteArray& image) override;
    void setIndicatorsRunning(bool running) override;
    void closeSplash() override;

    static constexpr QSize kDesignSize{805, 515};
    static constexpr QSize kMinimumSize{400, 250};

protected:
    // The form sees every key of its window first: Shift+F9, and Enter like Tab.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void run(const std::function<void(Session&)>& handler);
    void wireButtons();
    void centre();

    QStackedWidget* PC = nullptr;
    QWidget* pages_[7] = {};
    QTableView* GrdLog = nullptr;
    QTableView* GrdTebligat = nullptr;
    LogTableModel* logModel_ = nullptr;
    DigitFilter* digits_ = nullptr;
    ControlMap controls_;
    QPointer<Session> session_;
    std::function<void()> splashCloser_;
    bool closedSignalled_ = false;
    bool closeRan_ = false;
    QSize minimum_ = kMinimumSize;
};

} // namespace etb
