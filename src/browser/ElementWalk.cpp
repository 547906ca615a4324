// fn_ElemanBulTikla: the walk over every element of the reading view that clicks by tag and
// text (once per id), by text and id (and ends), or by text and class.
#include "app/Session.h"
#include "app/Timing.h"

namespace etb {

namespace {
enum WalkRule { TagRule = 0, IdRule = 1, ClassRule = 2 };

// The reading view's element with this id (the first one), or DomError when there is none:
// clicking a missing element is a failure of the walk.
Element elementById(ReadingView& web, const QString& id) {
    Query q;
    q.source = Source::ById;
    q.arg = id;
    q.limit = 1;
    const QVector<Element> found = web.query(q);
    if (found.isEmpty())
        throw DomError("no element with id " + id.toStdString());
    return found.first();
}
} // namespace

bool Session::fn_ElemanBulTikla(const QString& text, const QString& cls, const QString& tag, bool flag) {
    s.ui.setActivePage(Page::TSWeb);
    gButtonList.clear();
    bool result = false;
    try {
        // One pass over document.all gives every element that one of the rules would act
        // on, in document order, with the first rule that holds for it.
        Query walk;
        walk.source = Source::All;
        walk.any = {
            Rule{{Test{Prop::TagName, Test::Equals, tag}, Test{Prop::OuterText, Test::Equals, text}}},
            Rule{{Test{Prop::InnerText, Test::Equals, text}, Test{Prop::Id, Test::NotEmpty, {}}}},
            Rule{{Test{Prop::InnerText, Test::Equals, text}, Test{Prop::ClassName, Test::Equals, cls}}},
        };
        walk.props = {Prop::Id};
        const QVector<Element> matches = s.web.query(walk);

        for (const Element& e : matches) {
            const QString id = e.get(walk.props, Prop::Id);
            switch (e.rule) {
            case TagRule:
                if (!gButtonList.contains(id)) {
                    s.web.click(elementById(s.web, id));
                    MemTebligatList.locateEnvelope(id);
                    pr_ChromButtonClik(id);
                    gButtonList.append(id);
                    s.ui.setActivePage(Page::TSChrom);
                    pr_SureBekle(Pause::AfterTagRuleClick);
                }
                result = true;
                break;
            case IdRule:
                s.web.click(elementById(s.web, id));
                if (flag)
                    pr_ChromButtonClik(id);
                return true;
            case ClassRule:
                s.web.click(e);
                break;
            default:
                break;
            }
        }
    } catch (const DomError&) {
        return false;
    }
    return result;
}

} // namespace etb
