// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/HtmlEscape.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* input;
    const char* text;
    const char* attrDq;
    const char* attrSq;
    const char* url;
    const char* js;
};

// Plain text comes back unchanged in every context.
const Case kCases[] = {
    { "Summer 2004", "Summer 2004", "Summer 2004", "Summer 2004", "Summer 2004", "Summer 2004" },
    { "2004/img 1.jpg", "2004/img 1.jpg", "2004/img 1.jpg", "2004/img 1.jpg", "2004/img 1.jpg",
        "2004/img 1.jpg" },
    { "a<b>&c", "a&lt;b&gt;&amp;c", "a&lt;b&gt;&amp;c", "a&lt;b&gt;&amp;c", "a%3Cb%3E&c", "a\\x3Cb\\x3E&c" },
    { "say \"hi\"", "say \"hi\"", "say &quot;hi&quot;", "say \"hi\"", "say %22hi%22", "say \\\"hi\\\"" },
    { "it's", "it's", "it's", "it&#39;s", "it%27s", "it\\'s" },
    { "100% #1?", "100% #1?", "100% #1?", "100% #1?", "100%25 %231%3F", "100% #1?" },
    { "</script><script>alert(1)</script>", "&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;",
        "&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;",
        "&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;",
        "%3C/script%3E%3Cscript%3Ealert(1)%3C/script%3E",
        "\\x3C/script\\x3E\\x3Cscript\\x3Ealert(1)\\x3C/script\\x3E" },
    { "back\\slash", "back\\slash", "back\\slash", "back\\slash", "back\\slash", "back\\\\slash" },
    { "two\r\nlines", "two\r\nlines", "two\r\nlines", "two\r\nlines", "two%0D%0Alines", "two\\r\\nlines" },
};

} // namespace

TEST(HtmlEscape, EachContextEscapesWhatItTreatsSpecially)
{
    for (const Case& c : kCases) {
        const QString in = QString::fromUtf8(c.input);
        EXPECT_EQ(Html::Text(in), QString::fromUtf8(c.text)) << c.input;
        EXPECT_EQ(Html::AttrDq(in), QString::fromUtf8(c.attrDq)) << c.input;
        EXPECT_EQ(Html::AttrSq(in), QString::fromUtf8(c.attrSq)) << c.input;
        EXPECT_EQ(Html::Url(in), QString::fromUtf8(c.url)) << c.input;
        EXPECT_EQ(Html::JsString(in), QString::fromUtf8(c.js)) << c.input;
    }
}

TEST(HtmlEscape, NonAsciiTextStaysForThePageWriter)
{
    const QString text = QStringLiteral("Caf\u00E9 \u4E2D");
    EXPECT_EQ(Html::Text(text), text);
    EXPECT_EQ(Html::AttrDq(text), text);
    EXPECT_EQ(Html::Url(text), text);
    EXPECT_EQ(Html::JsString(text), text);
}

TEST(HtmlEscape, AnAddressInAnAttributeKeepsItsAmpersandAsAnEntity)
{
    EXPECT_EQ(Html::AttrDq(Html::Url(QStringLiteral("http://x/a&b \"c\".jpg"))),
        QStringLiteral("http://x/a&amp;b %22c%22.jpg"));
}
