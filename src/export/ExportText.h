// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Small text helpers that both web-site layouts use.
#include <QString>

// The text when it has at most limit characters; else its first limit - 5
// characters followed by "....", limit - 1 characters in all.
QString ShortenText(const QString& text, int limit);

// The path without as many leading characters as rootFolder has, with every
// "\" made a "/": the address of a file of the site relative to its root.
QString RelativeUrl(const QString& path, const QString& rootFolder);
