#pragma once
// Stand-ins for the platform pieces of a Session: views, HTTP, host database, ticks, pump,
// dialogs and the form. Each records what it was asked and answers what the test set up.
#include "adapters/HostDatabase.h"
#include "adapters/HttpClient.h"
#include "app/FormUi.h"
#include "app/Waits.h"
#include "browser/ReadingView.h"
#include "dialog/Dialogs.h"

#include <QQueue>
#include <QSize>
#include <QStringList>
#include <QVector>
#include <functional>
#include <map>
#include <optional>

namespace etb::test {

// A tick counter that moves only when told.
class FakeTicks : public TickSource {
public:
    quint32 now = 0;
    quint32 tickCount() override { return now; }
    void advance(quint32 ms) { now += ms; }
};

// A pump that advances the fake clock by stepMs on every turn and then calls onTurn.
class FakePump : public EventPump {
public:
    explicit FakePump(FakeTicks* ticks = nullptr, quint32 stepMs = 1) : ticks(ticks), stepMs(stepMs) {}
    FakeTicks* ticks;
    quint32 stepMs;
    int turns = 0;
    QVector<int> blocks;   // the maxBlockMs of each turn
    std::function<void(int turn)> onTurn;
    void pumpOnce(int maxBlockMs) override {
        ++turns;
        blocks.append(maxBlockMs);
        if (ticks)
            ticks->advance(stepMs);
        if (onTurn)
            onTurn(turns);
    }
};

// Host database that records every call. openError makes open() fail with that text.
class FakeHostDatabase : public HostDatabase {
public:
    std::optional<QString> openError;
    std::optional<QString> execError;   // every exec fails with this text
    std::optional<Statement> failOnly;  // ... or only this statement does
    bool open_ = false;
    QStringList calls;                  // "open <string>", "close", "exec <n>"
    QVector<std::pair<Statement, QVariantMap>> executed;

    void open(const QString& connectionString) override {
        calls << QStringLiteral("open ") + connectionString;
        if (openError)
            throw DatabaseError(openError->toStdString());
        open_ = true;
    }
    bool isOpen() const override { return open_; }
    void close() override {
        calls << QStringLiteral("close");
        open_ = false;
    }
    void exec(Statement statement, const QVariantMap& params) override {
        calls << QStringLiteral("exec %1").arg(int(statement));
        if (execError && (!failOnly || *failOnly == statement))
            throw DatabaseError(execError->toStdString());
        executed.append({statement, params});
    }
    int count(Statement s) const {
        int n = 0;
        for (const auto& e : executed)
            n += e.first == s;
        return n;
    }
};

// HTTP client answering from a function (default: a transfer failure), recording requests.
class FakeHttpClient : public HttpClient {
public:
    QVector<HttpRequest> requests;
    std::function<HttpResponse(const HttpRequest&)> answer;
    HttpResponse get(const HttpRequest& request) override {
        requests.append(request);
        if (answer)
            return answer(request);
        HttpResponse r;
        r.error = QStringLiteral("no answer in this test");
        return r;
    }
};

// Acting view that records loads and scripts.
class FakeActingView : public ActingView {
public:
    QVector<QUrl> loads;
    QStringList scripts;
    QUrl current;
    std::function<void(const QString&)> onScript;
    void load(const QUrl& url) override {
        loads.append(url);
        current = url;
    }
    void runScript(const QString& code) override {
        scripts << code;
        if (onScript)
            onScript(code);
    }
    QUrl url() const override { return current; }
};

// Reading view over nothing: complete at once, no elements, no frames, no tables (unless
// the test gives a query function).
class FakeReadingView : public ReadingView {
public:
    QVector<QUrl> navigations;
    QUrl current;
    int ready = 4;
    std::function<QVector<Element>(const Query&)> onQuery;
    QVector<Element> clicked;
    void navigate(const QUrl& url) override {
        navigations.append(url);
        current = url;
    }
    QUrl url() const override { return current; }
    int readyState() override { return ready; }
    QVector<Element> query(const Query& q) override { return onQuery ? onQuery(q) : QVector<Element>{}; }
    void click(const Element& e) override { clicked.append(e); }
    void setValue(const Element&, const QString&) override {}
    QStringList frameElementHtml(const QString&) override { return {}; }
    QVector<RawTable> tables(const QVector<int>&) override { return {}; }
};

// Dialogs without windows for logic tests: records each call, answers from a queue (default:
// OK for messages, "" for folders).
class FakeDialogs : public Dialogs {
public:
    struct Box {
        QString title, heading, text;
        int buttonSet, defaultButton, icon;
    };
    QVector<Box> boxes;
    QStringList plain;
    QQueue<int> answers;
    QQueue<QString> folders;
    int DlgBoxGoster(const QString& title, const QString& heading, const QString& text, int, quint8 buttonSet,
                     quint8 defaultButton, quint8 icon) override {
        boxes.append({title, heading, text, buttonSet, defaultButton, icon});
        return answers.isEmpty() ? mrOk : answers.dequeue();
    }
    void plainMessage(const QString& text) override { plain << text; }
    QString selectFolder() override { return folders.isEmpty() ? QString() : folders.dequeue(); }
    QStringList texts() const {
        QStringList out;
        for (const Box& b : boxes)
            out << b.text;
        return out;
    }
};

// A form without widgets: remembers what the logic set.
class FakeFormUi : public FormUi {
public:
    Page page = Page::TSWeb;
    QString caption;
    bool sizeable = false;
    QSize size{805, 515};
    bool maximized = false;
    bool hidden = false;
    bool showing = false;
    int closeRequests = 0;
    std::map<Ctl, QString> texts;
    std::map<Ctl, bool> visible;     // absent: visible
    std::map<Ctl, QString> hints;
    std::optional<Ctl> focused;
    QVector<Ctl> clicks;
    std::function<void(Ctl)> onClick;
    QByteArray picture;
    bool pictureOk = true;
    bool indicators = false;
    int splashCloses = 0;

    void setActivePage(Page p) override { page = p; }
    Page activePage() const override { return page; }
    void setTabsHidden() override {}
    void setCaption(const QString& c) override { caption = c; }
    void setSizeable(bool s) override { sizeable = s; }
    void resizeWindow(int w, int h) override { size = QSize(w, h); }
    void maximize() override { maximized = true; }
    void hideForm() override { hidden = true; }
    bool isShowing() const override { return showing; }
    void requestClose() override { ++closeRequests; }
    QString text(Ctl c) const override {
        const auto it = texts.find(c);
        return it == texts.end() ? QString() : it->second;
    }
    void setText(Ctl c, const QString& t) override { texts[c] = t; }
    void setControlVisible(Ctl c, bool v) override { visible[c] = v; }
    bool controlVisible(Ctl c) const override {
        const auto it = visible.find(c);
        return it == visible.end() || it->second;
    }
    void focus(Ctl c) override { focused = c; }
    void setHint(Ctl c, const QString& h) override { hints[c] = h; }
    void click(Ctl c) override {
        clicks.append(c);
        if (onClick)
            onClick(c);
    }
    bool setCaptchaPicture(const QByteArray& image) override {
        picture = image;
        return pictureOk;
    }
    void setIndicatorsRunning(bool running) override { indicators = running; }
    void closeSplash() override { ++splashCloses; }
};

} // namespace etb::test
