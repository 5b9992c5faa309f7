// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/SettingsFile.h"

#include "platform/AppFolders.h"
#include "platform/IniFile.h"

std::unique_ptr<IniFile> OpenSettingsFile()
{
    return std::make_unique<IniFile>(AppFolders::SettingsFolder() + AppFolders::SettingsFileName());
}
