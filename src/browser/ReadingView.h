#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVector>
#include <stdexcept>

namespace etb {

// A failure of the reading view: no answer in time, the page navigated away, a property or
// call of the document failed. Queries that the site's flows treat as "false on failure"
// catch it; anything else lets it reach the default error display.
struct DomError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Element properties a query can test or bring back.
enum class Prop {
    Id,
    TagName,
    ClassName,
    InnerText,
    OuterText,
    TextContent,
    Value,
    Name,
    Title,
    OuterHTML,
    InnerHTML,
    ParentOuterHTML,   // outerHTML of the parent element ("" without parent)
    SelectedIndex,     // a selection list's selected index in decimal ("" for other elements)
};

// One test on one property. Trimming removes leading and trailing characters up to U+0020.
struct Test {
    enum Op {
        Equals,          // property == text, whole and case-sensitive
        TrimmedEquals,   // trim(property) == trim(text)
        Contains,        // property contains text
        PrefixContains,  // the first `prefix` characters of the property contain text
        NotEmpty,        // property != ""
    };
    Prop prop;
    Op op;
    QString text;
    int prefix = 0;
};

// All tests of a rule must hold.
struct Rule {
    QVector<Test> all;
};

// Which elements a query looks at, in document order.
enum class Source {
    All,       // document.all
    ByTag,     // getElementsByTagName(arg)
    ByClass,   // getElementsByClassName(arg): elements holding every given class name
    ById,      // getElementById(arg): at most one element
};

struct Query {
    Source source = Source::All;
    QString arg;
    QVector<Rule> any;       // an element matches when one rule holds; empty: every element
    QVector<Prop> props;     // properties brought back for each match
    int limit = -1;          // at most this many matches (-1: all)
};

// One matching element. handle refers to it in the page for click/setValue until the next
// navigation; position is its 0-based index in the query's source collection.
struct Element {
    int handle = -1;
    int position = -1;
    int rule = -1;           // index of the first rule of Query::any that held (-1 without rules)
    bool isInput = false;    // an INPUT element (value may be put)
    QVector<QString> values; // the asked properties, in Query::props order

    QString get(const QVector<Prop>& asked, Prop p) const {
        const qsizetype i = asked.indexOf(p);
        return i >= 0 && i < values.size() ? values.at(i) : QString();
    }
};

// One cell of a table as read: its innerText and, for the columns asked, its innerHTML.
struct RawCell {
    bool ok = true;          // false: the cell could not be taken
    QString text;
    QString html;
};
using RawRow = QVector<RawCell>;
struct RawTable {
    bool isTable = true;     // false for an element of the TABLE collection that is no table
    QVector<RawRow> rows;
};

// The reading view (the tool's "WebBrowser"): a second browser on the same logged-in page,
// whose document is searched. Every call is one round trip to the page.
class ReadingView {
public:
    virtual ~ReadingView() = default;

    virtual void navigate(const QUrl& url) = 0;
    virtual QUrl url() const = 0;
    // 4 when the document is complete, 3 or less while it loads (0: nothing loaded).
    virtual int readyState() = 0;

    // Throws DomError on any failure.
    virtual QVector<Element> query(const Query& q) = 0;
    virtual void click(const Element& e) = 0;
    // The element must be an input element; otherwise DomError.
    virtual void setValue(const Element& e, const QString& value) = 0;

    // A selection list: selects the first option whose value equals optionValue exactly
    // (no change event is raised) and gives its index; -1 and no change when none does.
    // DomError when the element is no selection list or the page fails.
    virtual int selectOption(const Element& e, const QString& optionValue) {
        (void)e;
        (void)optionValue;
        throw DomError("selectOption is not supported by this view");
    }

    // For each frame of the document, in index order: the outerHTML of its first element
    // with this id, or "" when it has none. Throws DomError.
    virtual QStringList frameElementHtml(const QString& id) = 0;

    // Every element of tag TABLE in document order, row by row and cell by cell, with the
    // innerHTML of the cells in htmlColumns. Throws DomError.
    virtual QVector<RawTable> tables(const QVector<int>& htmlColumns) = 0;
};

// The acting view (the tool's "Chrom" and the portal view): scripts run in its main frame,
// fire and forget.
class ActingView {
public:
    virtual ~ActingView() = default;
    virtual void load(const QUrl& url) = 0;
    virtual void runScript(const QString& code) = 0;
    virtual QUrl url() const = 0;
};

} // namespace etb
