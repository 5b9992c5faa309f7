// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/FramedPage.h"

#include "export/HtmlEscape.h"
#include "language/LanguageSelector.h"

void TFramedPage::Add(int spaces, const QString& text)
{
    Lines << QString(qMax(0, spaces), u' ') + text;
}

void TFramedPage::Add(std::initializer_list<TRow> rows)
{
    for (const TRow& row : rows)
        Add(row.Spaces, row.Text);
}

void TFramedPage::AddHead(bool listTitle)
{
    const QString lead
        = listTitle ? QStringLiteral("Photo Viewer - ") : QStringLiteral("Tavrimolex Photo Viewer - ");
    Add(0, QStringLiteral("<html>"));
    Add(2, QStringLiteral("<head>"));
    Add(4, QStringLiteral("<title>") + lead + Html::Text(Language()->Title) + QStringLiteral("</title>"));
    Add({
        { 4, u"<meta http-equiv=\"Pragma\" content=\"no-cache\">" },
        { 4, u"<meta http-equiv=\"Expires\" content=\"Mon, 06 Jan 1990 00:00:01 GMT\">" },
        { 4, u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">" },
        { 4, u"<meta http-equiv=\"Cache-Control\" content=\"no-cache\">" },
    });
}

void TFramedPage::AddFrameBuster(int spaces, const QString& indexAddress)
{
    Add(spaces,
        QStringLiteral("<script>if (window == top) top.location.replace(\"") + indexAddress
            + QStringLiteral("\")</script>"));
}

void TFramedPage::AddFrameHead(const QString& styleLink, const QString& indexAddress, bool listTitle)
{
    AddHead(listTitle);
    Add(4, styleLink);
    AddFrameBuster(4, indexAddress);
}

void TFramedPage::AddNoFrames()
{
    Add({
        { 4, u"<noframes>" },
        { 6, u"<body>" },
        { 8, u"<p>This page uses frames, but your browser doesn't support them.</p>" },
        { 6, u"</body>" },
        { 4, u"</noframes>" },
        { 2, u"</frameset>" },
    });
}
