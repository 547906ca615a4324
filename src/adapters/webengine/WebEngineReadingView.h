#pragma once
#include "browser/ReadingView.h"

#include <QJsonValue>
#include <QObject>
#include <QPointer>

class QWebEnginePage;

namespace etb {

// The reading view on a Qt WebEngine page. Every call runs one script in the page's own
// script world (the site's scripts cannot see or disturb it) and awaits the answer by
// running a local event loop, with a time limit; a navigation or a dying renderer while a
// query waits loses the answer (DomError), as does an invalid answer.
class WebEngineReadingView : public QObject, public ReadingView {
    Q_OBJECT
public:
    explicit WebEngineReadingView(QWebEnginePage* page, QObject* parent = nullptr);

    void navigate(const QUrl& url) override;
    QUrl url() const override;
    int readyState() override;

    QVector<Element> query(const Query& q) override;
    void click(const Element& e) override;
    void setValue(const Element& e, const QString& value) override;
    int selectOption(const Element& e, const QString& optionValue) override;
    QStringList frameElementHtml(const QString& id) override;
    QVector<RawTable> tables(const QVector<int>& htmlColumns) override;

    // Longest wait for one answer: Pause::ScriptAnswer scaled, but never under this floor, so
    // that a tiny time scale in tests does not turn a busy machine into failures.
    static constexpr int kAnswerFloorMs = 2000;

private:
    enum class Await { Query, Action };
    // Runs one request; the "r" member of the answer, or DomError.
    QJsonValue call(const QJsonObject& request, Await kind);

    enum class Load { Idle, Requested, Loading };

    QPointer<QWebEnginePage> page_;
    Load load_ = Load::Idle;
    int nextHandle_ = 1;
};

} // namespace etb
