#include "adapters/webengine/WebEngineReadingView.h"

#include "adapters/webengine/ReadingScript.h"
#include "app/Timing.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <algorithm>
#include <memory>

namespace etb {

namespace {
struct Answer {
    bool arrived = false;
    QVariant value;
};

QJsonArray toJson(const QVector<int>& values) {
    QJsonArray a;
    for (int v : values)
        a.append(v);
    return a;
}
} // namespace

WebEngineReadingView::WebEngineReadingView(QWebEnginePage* page, QObject* parent) : QObject(parent), page_(page) {
    // A navigation asked for by navigate() is loading until its own load has finished; the
    // finish of a load that was under way before it does not count.
    connect(page, &QWebEnginePage::loadStarted, this, [this] { load_ = Load::Loading; });
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool) {
        if (load_ == Load::Loading)
            load_ = Load::Idle;
    });
}

void WebEngineReadingView::navigate(const QUrl& url) {
    if (!page_)
        throw DomError("the reading view is gone");
    load_ = Load::Requested;
    page_->load(url);
}

QUrl WebEngineReadingView::url() const { return page_ ? page_->url() : QUrl(); }

int WebEngineReadingView::readyState() {
    if (!page_)
        return 0;
    if (load_ != Load::Idle)
        return 1;
    try {
        const QString state = call({{QStringLiteral("op"), QStringLiteral("ready")}}, Await::Query).toString();
        if (state == QLatin1String("complete"))
            return 4;
        if (state == QLatin1String("interactive"))
            return 3;
        return 1;
    } catch (const DomError&) {
        return 0;
    }
}

QJsonValue WebEngineReadingView::call(const QJsonObject& request, Await kind) {
    if (!page_)
        throw DomError("the reading view is gone");
    const QString script = readingScriptFor(QJsonDocument(request).toJson(QJsonDocument::Compact));

    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    QPointer<QEventLoop> loopRef(&loop);
    bool navigated = false;
    bool died = false;
    connect(page_.data(), &QWebEnginePage::loadStarted, &loop, [&] {
        navigated = true;
        loop.quit();
    });
    connect(page_.data(), &QWebEnginePage::renderProcessTerminated, &loop, [&] {
        died = true;
        loop.quit();
    });
    connect(page_.data(), &QObject::destroyed, &loop, [&] {
        died = true;
        loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);

    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer, loopRef](const QVariant& v) {
        answer->arrived = true;
        answer->value = v;
        if (loopRef)
            loopRef->quit();
    });
    if (!answer->arrived) {
        limit.start(std::max(scaled(Pause::ScriptAnswer), kAnswerFloorMs));
        loop.exec();
    }

    if (!answer->arrived) {
        // An action that set off a navigation did its work; only its answer is lost.
        if (navigated && kind == Await::Action)
            return QJsonValue(true);
        if (died)
            throw DomError("the reading view's page stopped");
        if (navigated)
            throw DomError("the reading view navigated while it was read");
        throw DomError("the reading view did not answer in time");
    }
    if (!answer->value.isValid() || answer->value.typeId() != QMetaType::QString)
        throw DomError("the reading view gave no answer");
    const QJsonDocument doc = QJsonDocument::fromJson(answer->value.toString().toUtf8());
    const QJsonObject obj = doc.object();
    if (!obj.value(QStringLiteral("ok")).toBool())
        throw DomError(obj.value(QStringLiteral("e")).toString(QStringLiteral("the page refused the request")).toStdString());
    return obj.value(QStringLiteral("r"));
}

QVector<Element> WebEngineReadingView::query(const Query& q) {
    QJsonArray rules;
    for (const Rule& rule : q.any) {
        QJsonArray tests;
        for (const Test& t : rule.all)
            tests.append(QJsonObject{{QStringLiteral("p"), int(t.prop)},
                                     {QStringLiteral("o"), int(t.op)},
                                     {QStringLiteral("t"), t.text},
                                     {QStringLiteral("n"), t.prefix}});
        rules.append(tests);
    }
    QJsonArray props;
    for (Prop p : q.props)
        props.append(int(p));
    const int base = nextHandle_;
    const QJsonObject request{
        {QStringLiteral("op"), QStringLiteral("query")},
        {QStringLiteral("q"), QJsonObject{{QStringLiteral("s"), int(q.source)},
                                          {QStringLiteral("a"), q.arg},
                                          {QStringLiteral("r"), rules},
                                          {QStringLiteral("p"), props},
                                          {QStringLiteral("l"), q.limit},
                                          {QStringLiteral("b"), base}}}};
    const QJsonArray found = call(request, Await::Query).toArray();

    QVector<Element> out;
    out.reserve(found.size());
    for (const QJsonValue& item : found) {
        const QJsonArray a = item.toArray();
        Element e;
        e.handle = a.at(0).toInt();
        e.position = a.at(1).toInt();
        e.rule = a.at(2).toInt();
        e.isInput = a.at(3).toBool();
        const QJsonArray values = a.at(4).toArray();
        e.values.reserve(values.size());
        for (const QJsonValue& v : values)
            e.values.append(v.toString());
        out.append(std::move(e));
        nextHandle_ = std::max(nextHandle_, out.last().handle + 1);
    }
    return out;
}

void WebEngineReadingView::click(const Element& e) {
    call({{QStringLiteral("op"), QStringLiteral("click")}, {QStringLiteral("h"), e.handle}}, Await::Action);
}

void WebEngineReadingView::setValue(const Element& e, const QString& value) {
    call({{QStringLiteral("op"), QStringLiteral("set")}, {QStringLiteral("h"), e.handle}, {QStringLiteral("v"), value}},
         Await::Action);
}

int WebEngineReadingView::selectOption(const Element& e, const QString& optionValue) {
    return call({{QStringLiteral("op"), QStringLiteral("select")},
                 {QStringLiteral("h"), e.handle},
                 {QStringLiteral("v"), optionValue}},
                Await::Query)
        .toInt(-1);
}

QStringList WebEngineReadingView::frameElementHtml(const QString& id) {
    QStringList out;
    for (const QJsonValue& v :
         call({{QStringLiteral("op"), QStringLiteral("frames")}, {QStringLiteral("id"), id}}, Await::Query).toArray())
        out.append(v.toString());
    return out;
}

QVector<RawTable> WebEngineReadingView::tables(const QVector<int>& htmlColumns) {
    const QJsonArray list = call({{QStringLiteral("op"), QStringLiteral("tables")},
                                  {QStringLiteral("cols"), toJson(htmlColumns)}},
                                 Await::Query)
                                .toArray();
    QVector<RawTable> out;
    out.reserve(list.size());
    for (const QJsonValue& t : list) {
        RawTable table;
        if (!t.isArray()) {
            table.isTable = false;
            out.append(std::move(table));
            continue;
        }
        const QJsonArray rows = t.toArray();
        table.rows.reserve(rows.size());
        for (const QJsonValue& r : rows) {
            const QJsonArray cells = r.toArray();
            RawRow row;
            row.reserve(cells.size());
            for (const QJsonValue& c : cells) {
                RawCell cell;
                if (c.isString()) {
                    cell.text = c.toString();
                } else if (c.isArray()) {
                    const QJsonArray pair = c.toArray();
                    cell.text = pair.at(0).toString();
                    cell.html = pair.at(1).toString();
                } else {
                    cell.ok = false;
                }
                row.append(std::move(cell));
            }
            table.rows.append(std::move(row));
        }
        out.append(std::move(table));
    }
    return out;
}

} // namespace etb
