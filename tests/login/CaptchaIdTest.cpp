// The captcha id as the tool takes it out of the markup of the frame's "cid" element: the
// site writes the value without quotes as the element's last attribute; Chromium gives the
// element back with the value in quotes.
#include "login/Captcha.h"

#include <gtest/gtest.h>

namespace {

struct MarkupCase {
    const char* name;
    const char* markup;
    const char* id;
};

class CaptchaIdFromMarkup : public testing::TestWithParam<MarkupCase> {};

TEST_P(CaptchaIdFromMarkup, TakesTheId) {
    const MarkupCase& c = GetParam();
    EXPECT_EQ(etb::captchaIdFromMarkup(QString::fromUtf8(c.markup)), QString::fromUtf8(c.id)) << c.markup;
}

INSTANTIATE_TEST_SUITE_P(
    Markup, CaptchaIdFromMarkup,
    testing::Values(
        MarkupCase{"Unquoted", R"(<input type="hidden" name="cid" id="cid" value=abc>)", "abc"},
        MarkupCase{"ChromiumQuoted", R"(<input type="hidden" name="cid" id="cid" value="abc">)", "abc"},
        MarkupCase{"SingleQuoted", R"(<input type="hidden" id="cid" value='x7Q-2'>)", "x7Q-2"},
        // Chromium keeps the attributes in the order of the source: the value need not be last.
        MarkupCase{"QuotedNotLast", R"(<input value="k2M9" type="hidden" name="cid" id="cid">)", "k2M9"},
        MarkupCase{"EmptyQuoted", R"(<input type="hidden" id="cid" value="">)", ""},
        MarkupCase{"NoValue", R"(<input type="hidden" name="cid" id="cid">)", ""},
        MarkupCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<MarkupCase>& info) { return std::string(info.param.name); });

} // namespace
