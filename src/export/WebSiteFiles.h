#pragma once
// What the web-site generators write into the folder the user chose, so that
// a site can be taken off the disk again without touching anything else the
// folder holds (the user may well have exported into a folder of photos).
#include <QString>

class TStatusReporter;

// Removes index.htm, the folders css, images, html and script, and from
// photos/ the photo-by-photo site's background.jpg and photo<N>.jpg; photos/
// and then the folder itself go only when nothing else is left in them.
// Links are removed as links, never followed. A folder that is a link, the
// home folder and the root folder are refused. True when nothing of the site
// is left; false when refused, when Cancel was pressed in status, or when a
// part of the site could not be removed.
bool RemoveWebSiteFiles(const QString& rootFolder, TStatusReporter* status);
