#include "app/Application.h"

#include "adapters/CurlHttpClient.h"
#include "adapters/QtEventPump.h"
#include "adapters/SqlHostDatabase.h"
#include "adapters/webengine/BrowserViews.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "app/Splash.h"
#include "dialog/DlgBox.h"

#include <QCoreApplication>

namespace etb {

struct Application::Parts {
    SystemTicks ticks;
    QtEventPump pump;
    Waiter waiter{ticks, pump};
    CurlHttpClient http;
    SqlHostDatabase db;
    // Views before the form's widgets go away: declared after the form, destroyed first.
    std::unique_ptr<TFrmETebligat> form;
    std::unique_ptr<WidgetDialogs> dialogs;
    std::unique_ptr<BrowserViews> views;
    std::unique_ptr<Session> session;
    TFrmSplash* splash = nullptr;
};

Application::Application(const QStringList& arguments) : p_(std::make_unique<Parts>()) {
    QtEventPump::setTerminating(false);
    p_->form = std::make_unique<TFrmETebligat>();
    p_->dialogs = std::make_unique<WidgetDialogs>(p_->form.get());
    p_->views = std::make_unique<BrowserViews>(p_->form->pageWidget(Page::TSWeb),
                                               p_->form->pageWidget(Page::TSChrom),
                                               p_->form->pageWidget(Page::TSInteraktifVergiDairesi));
    Services services{*p_->form,         *p_->dialogs, p_->views->chrom(), p_->views->web(),
                      p_->views->portal(), p_->http,     p_->db,             p_->waiter};
    p_->session = std::make_unique<Session>(services, CommandLine(arguments));
    p_->views->attach(*p_->session);
    p_->form->setSession(p_->session.get());
}

Application::~Application() {
    // Pages before their profiles, views before the application object.
    p_->views.reset();
    p_->session.reset();
    p_->dialogs.reset();
    p_->form.reset();
}

void Application::start() {
    p_->splash = new TFrmSplash();
    QCoreApplication::processEvents();
    p_->splash->show();
    QCoreApplication::processEvents();
    TFrmSplash* splash = p_->splash;
    p_->form->setCloseSplash([this, splash] {
        if (p_->splash == splash && splash) {
            splash->close();
            p_->splash = nullptr;
        }
    });
    QCoreApplication::processEvents();
    p_->form->show();
    p_->session->guard([this] { p_->session->FormShow(); });
    p_->form->update();
}

TFrmETebligat& Application::form() { return *p_->form; }
Session& Application::session() { return *p_->session; }

} // namespace etb
