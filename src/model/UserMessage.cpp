// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/UserMessage.h"

#include <QDebug>

namespace {

TUserMessageHandler& Handler()
{
    static TUserMessageHandler handler;
    return handler;
}

} // namespace

void SetUserMessageHandler(TUserMessageHandler handler)
{
    Handler() = std::move(handler);
}

void ShowUserMessage(const QString& text)
{
    if (Handler())
        Handler()(text);
    else
        qWarning().noquote() << text;
}
