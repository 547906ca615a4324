// The element queries of the reading view and the acting-view statements they lead to:
// fn_ElemanAra, fn_ElemanSiraBul, pr_SinifElemanTikla, fn_DegerleTikla, pr_AlanDoldur,
// pr_IdDegerYaz. Each query is one round trip to the page.
#include "app/Session.h"
#include "browser/ChromScripts.h"

#include <optional>

namespace etb {

namespace {
constexpr int kTooltipPrefix = 255;

Query firstOf(Source source, const QString& arg, QVector<Rule> any, QVector<Prop> props = {Prop::Id}) {
    Query q;
    q.source = source;
    q.arg = arg;
    q.any = std::move(any);
    q.props = std::move(props);
    q.limit = 1;
    return q;
}

// The first element with this id, if any.
std::optional<Element> lookupId(ReadingView& web, const QString& id) {
    const QVector<Element> found = web.query(firstOf(Source::ById, id, {}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}
} // namespace

bool Session::fn_ElemanAra(const QString& text, const QString& cls) {
    Rule byId{{Test{Prop::Id, Test::Equals, text}}};
    Rule byText{{Test{Prop::InnerText, Test::Equals, text}}};
    if (!cls.isEmpty()) {
        byId.all.append(Test{Prop::ClassName, Test::Equals, cls});
        byText.all.append(Test{Prop::ClassName, Test::Equals, cls});
    }
    try {
        return !s.web.query(firstOf(Source::All, {}, {byId, byText}, {})).isEmpty();
    } catch (const DomError&) {
        return false;
    }
}

QString Session::fn_ElemanSiraBul(const QString& text, const QString& tag) {
    try {
        const QVector<Element> found = s.web.query(
            firstOf(Source::ByTag, tag, {Rule{{Test{Prop::InnerText, Test::TrimmedEquals, text}}}}, {}));
        if (found.isEmpty())
            return {};
        return QString::number(found.first().position);
    } catch (const DomError&) {
        return {};
    }
}

void Session::pr_SinifElemanTikla(const QString& cls, const QString& text, bool flag) {
    const QVector<Element> found =
        s.web.query(firstOf(Source::ByClass, cls,
                            {Rule{{Test{Prop::Value, Test::Equals, text}}}, Rule{{Test{Prop::Id, Test::Equals, text}}}}));
    if (found.isEmpty())
        return;
    const Element& target = found.first();
    if (flag)
        s.web.click(target);
    pr_ChromButtonClik(target.values.value(0));
}

void Session::fn_DegerleTikla(const QString& text, const QString& cls, bool flag) {
    try {
        const QVector<Element> found = s.web.query(
            firstOf(Source::ByClass, cls,
                    {Rule{{Test{Prop::Value, Test::TrimmedEquals, text}}}, Rule{{Test{Prop::Name, Test::Contains, text}}}}));
        if (found.isEmpty())
            return;
        const Element& target = found.first();
        s.web.click(target);
        if (flag)
            pr_ChromButtonClik(target.values.value(0));
    } catch (const DomError&) {
        // Ends silently; the caller goes on.
    }
}

void Session::pr_AlanDoldur(const QString& marker, const QString& cls, const QString& value, bool dateFlag) {
    const QVector<Element> found =
        s.web.query(firstOf(Source::ByClass, cls, {Rule{{Test{Prop::ParentOuterHTML, Test::Contains, marker}}}}));
    if (found.isEmpty())
        return;
    const QString id = found.first().values.value(0);
    if (const auto input = lookupId(s.web, id))
        s.web.setValue(*input, value);
    CodeStr = dateFlag ? ChromScripts::dateValueById(id, value) : ChromScripts::valueById(id, value);
    runChromScript(CodeStr);
}

void Session::pr_IdDegerYaz(const QString& tag, const QString& titleText, const QString& value, const QString& cls,
                            const QString& marker) {
    if (marker.isEmpty()) {
        // Tooltip mode: the first element of the tag whose tooltip holds the text within its
        // first 255 characters names the field.
        const QVector<Element> found = s.web.query(firstOf(
            Source::ByTag, tag, {Rule{{Test{Prop::Title, Test::PrefixContains, titleText, kTooltipPrefix}}}}));
        const QString id = found.isEmpty() ? QString() : found.first().values.value(0);
        const auto input = lookupId(s.web, id);
        if (!input)
            return;
        s.web.setValue(*input, value);
        CodeStr = ChromScripts::valueById(id, value);
        runChromScript(CodeStr);
        return;
    }
    // Marker mode.
    const QVector<Element> found =
        s.web.query(firstOf(Source::ByClass, cls, {Rule{{Test{Prop::ParentOuterHTML, Test::Contains, marker}}}}));
    if (found.isEmpty())
        return;
    const Element& target = found.first();
    s.web.setValue(target, value);
    CodeStr = ChromScripts::valueById(target.values.value(0), value);
    runChromScript(CodeStr);
}

} // namespace etb
