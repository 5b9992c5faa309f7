// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the web-site generators write into the folder the user chose, so that
// a site can be taken off the disk again without touching anything else the
// folder holds (the user may well have exported into a folder of photos).
#include <QString>

class TStatusReporter;

// Removes the files the generators write (index.htm and, by their names, the
// pages, scripts, style sheet and pictures in css, html, images, script and
// photos) with what writes of them left when the program was killed (see
// RemoveWebSiteLeftovers), then those of the generators' folders that are left empty, then
// the folder itself when nothing else is left in it. Anything else, the
// user's own files in the site's folders included, stays. Links are removed
// as links when they bear a site file's name, and never followed. A folder
// that is a link, the home folder and the root folder are refused. True when
// nothing of the site is left; false when refused, when Cancel was pressed in
// status, or when a file of the site could not be removed.
bool RemoveWebSiteFiles(const QString& rootFolder, TStatusReporter* status);

// Removes what writes of the site's files left in its folders when the
// program was killed: plain files named exactly after a file the generators
// write with the safe writer's temporary mark and six letters after it
// ("photos/photo44.jpg.tavri-Ab12Cd"). Links are neither followed nor
// removed; nothing else is touched.
void RemoveWebSiteLeftovers(const QString& rootFolder);
