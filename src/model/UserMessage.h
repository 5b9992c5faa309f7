// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The model has no windows. The few plain notes it gives the user (a folder
// where thumbnails cannot be written) go to a handler that the program
// installs at start-up, normally the dialog service's plain message window;
// tests install one that records.
#include <QString>

#include <functional>

using TUserMessageHandler = std::function<void(const QString& text)>;

// An empty handler restores the default, which only logs the text.
void SetUserMessageHandler(TUserMessageHandler handler);
void ShowUserMessage(const QString& text);
