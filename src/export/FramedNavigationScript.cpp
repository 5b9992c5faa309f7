// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/FramedNavigationScript.h"

#include "export/FramedPage.h"
#include "export/HtmlEscape.h"
#include "language/LanguageSelector.h"

namespace Framed {

QStringList NavigationScript()
{
    TFramedPage script;
    script.Add({
        { 0, u"if (window == top)" },
        { 2, u"top.location.replace(\"../../index.htm\")" },
        { 0, u"function goto_thumbnails()" },
        { 0, u"{" },
        { 2, u"urlquery        = location.href.split(\"?\");" },
        { 2, u"urlterms        = urlquery[1].split(\"&\");" },
        { 2, u"thumbnails_path = urlterms[1].split(\"=\");" },
        { 2, u"thumbnails_page = urlterms[2].split(\"=\");" },
        { 2, u"totalpath       = thumbnails_path[1];" },
        { 2, u"pos             = totalpath.indexOf(\"_\", 0);" },
        { 2, u"totalpath       = totalpath.substr(0,pos) + \"/\" + totalpath.substr(pos+1);" },
        { 2, u"totalpath       = \"../\" + totalpath + \"/\" + thumbnails_page[1];" },
        { 2, u"location.href   = totalpath;" },
        { 0, u"}" },
        { 0, u"function getthumbnailkey()" },
        { 0, u"{" },
        { 2, u"urlquery           = location.href.split(\"?\");" },
        { 2, u"urlterms           = urlquery[1].split(\"&\");" },
        { 2, u"thumbnails_keyinfo = urlterms[0].split(\"=\");" },
        { 2, u"thumbnailkey       = thumbnails_keyinfo[1];" },
        { 2, u"return thumbnailkey;" },
        { 0, u"}" },
        { 0, u"function getvalue(elementname)" },
        { 0, u"{" },
        { 2, u"elements = document.forms[0].elements;" },
        { 2, u"value    = \"\";" },
        { 2, u"for (i = 0; i < elements.length; i++)" },
        { 4, u"if (elements[i].name == elementname)" },
        { 4, u"{" },
        { 7, u"value = elements[i].value;" },
        { 7, u"break;" },
        { 4, u"}" },
        { 3, u"return value;" },
        { 0, u"}" },
        { 0, u"function goto_photo(direction)" },
        { 0, u"{" },
        { 2, u"thumbnailkey = getthumbnailkey();" },
        { 2, u"number       = getvalue(thumbnailkey + direction);" },
        { 2, u"nextphoto = \"PhotoContents\"" },
        { 14, u"+ number" },
        { 14, u"+ \".htm\"" },
        { 14, u"+ \"?\"" },
        { 14, u"+ urlquery[1];" },
        { 2, u"location.href=nextphoto;" },
        { 0, u"}" },
        { 0, u"function goto_nextphoto()" },
        { 0, u"{" },
        { 2, u"goto_photo(\"Next\");" },
        { 0, u"}" },
        { 0, u"function goto_prevphoto()" },
        { 0, u"{" },
        { 2, u"goto_photo(\"Prev\");" },
        { 0, u"}" },
        { 0, u"function writeindex()" },
        { 0, u"{" },
        { 2, u"thumbnailkey = getthumbnailkey();" },
        { 2, u"index        = getvalue(thumbnailkey + \"Index\");" },
        { 2, u"quantity     = getvalue(thumbnailkey + \"Quantity\");" },
    });
    // The word is written into the page by document.write: it must stay one
    // string of the script, and plain text once written.
    const QString of = Html::JsString(Html::Text(Language()->HG[40]));
    script.Add(2,
        QStringLiteral("document.write(\"&nbsp;\" + index + \" ") + of + QStringLiteral(" \" + quantity);"));
    script.Add(0, QStringLiteral("}"));
    return script.Lines;
}

} // namespace Framed
