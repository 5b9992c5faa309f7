// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/FramedStyleSheet.h"

#include "export/FramedPage.h"

namespace Framed {

namespace {

    void Rule(TFramedPage& css, QStringView selector, std::initializer_list<QStringView> properties,
        int closingSpaces = 1)
    {
        css.Add(0, selector);
        for (const QStringView property : properties)
            css.Add(3, property);
        css.Add(closingSpaces, u"}");
    }

} // namespace

QStringList StyleSheet()
{
    TFramedPage css;
    Rule(css, u".phtext_photolink {",
        { u"font-family: Arial, Verdana, Helvetica, sans-serif;", u"font-size: 10px;", u"color: #FFFFFF;",
            u"text-decoration: underline;", u"font-weight: normal;" });
    Rule(css, u".phtext_white {",
        { u"font-family: Arial, Verdana, Helvetica, sans-serif;", u"font-size: 10px;", u"color: #FFFFFF;",
            u"text-decoration: none;", u"font-weight: normal;" });
    Rule(css, u".phtext_black {",
        { u"font-family: Arial, Verdana, Helvetica, sans-serif;", u"font-size: 10px;", u"color: #000000;",
            u"text-decoration: none;", u"font-weight: normal;" });
    Rule(css, u".phtext_topheading {",
        { u"font-family: Arial, Verdana, Helvetica, sans-serif;", u"font-size: 18px;", u"color: #FFFFFF;",
            u"text-decoration: none;", u"font-weight: normal;" });
    Rule(css, u"body {",
        { u"margin-top:5;", u"margin-left:5;", u"margin-right:5;", u"margin-bottom:5;",
            u"background-color:#22007B;", u"link:#000080;", u"vlink:#000080;", u"alink:#000080;" });
    Rule(css, u".thumbnailbody {",
        { u"margin-top:0;", u"margin-left:5;", u"margin-right:5;", u"margin-bottom:0;",
            u"background-color:#22007B;" });
    // The trailing blanks of the white links are part of the sheet as published.
    const std::initializer_list<QStringView> whiteLink
        = { u"FONT-SIZE: 14px;", u"FONT-FAMILY: arial;", u"color:white; ", u"text-decoration:underline " };
    Rule(css, u".white_link {", whiteLink);
    Rule(css, u".white_link_hover:A:hover {", whiteLink);
    Rule(css, u".small_white_link {",
        { u"FONT-SIZE: 11px;", u"FONT-FAMILY: arial;", u"color:#FFFFFF;", u"text-decoration:underline" }, 3);
    Rule(css, u".small_blue_link {",
        { u"FONT-SIZE: 10px;", u"FONT-FAMILY: arial;", u"color:#0040AA;", u"text-decoration:underline" }, 3);
    return css.Lines;
}

} // namespace Framed
