// SPDX-License-Identifier: GPL-2.0-or-later
// Writes the desktop entry that an install puts in share/applications: the one
// the program writes for its user, starting the program by its name.
#include "common/FileTypeRegistration.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    QSaveFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(DesktopEntry(DesktopExecLine(QStringLiteral("tavrimolex"))));
    return file.commit() ? 0 : 1;
}
