#include "export/HTMLGenerator.h"

// The style sheet, the frame pages, the thumbnail and photo pages and the
// navigation script of the framed site. They are written on TPageWriter with
// the escaping of HtmlEscape.h; until a writer is in place its step writes
// nothing and succeeds, so the rest of a run (folders, images) still works.

bool THTMLGenerator::WriteStyleSheet()
{
    return true;
}

bool THTMLGenerator::WriteIndexPage()
{
    return true;
}

bool THTMLGenerator::WriteTopPage()
{
    return true;
}

bool THTMLGenerator::WriteListPage()
{
    return true;
}

bool THTMLGenerator::WriteThumbnailPages()
{
    return true;
}

bool THTMLGenerator::WritePhotoPages()
{
    return true;
}

bool THTMLGenerator::WriteNavigationScript()
{
    return true;
}
