// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/ExportText.h"

QString ShortenText(const QString& text, int limit)
{
    if (text.size() <= limit)
        return text;
    qsizetype keep = qMax(0, limit - 5);
    // Never keep half of a character outside the basic plane.
    if (keep > 0 && text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep) + QStringLiteral("....");
}

QString RelativeUrl(const QString& path, const QString& rootFolder)
{
    QString url = path.mid(rootFolder.size());
    url.replace(u'\\', u'/');
    return url;
}
