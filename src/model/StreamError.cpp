// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/StreamError.h"

#include "platform/TextUtil.h"

EStreamError::EStreamError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

EStreamError EStreamError::InvalidValue()
{
    return EStreamError(QStringLiteral("Invalid property value"));
}

EStreamError EStreamError::ReadError()
{
    return EStreamError(QStringLiteral("Stream read error"));
}

EStreamError EStreamError::WriteError(const QString& reason)
{
    const QString message = QStringLiteral("Stream write error");
    return EStreamError(reason.isEmpty() ? message : message + QStringLiteral(". ") + reason);
}

EStreamError EStreamError::OpenError(const QString& fileName, const QString& reason)
{
    return EStreamError(Text::Format(QStringLiteral("Cannot open file \"%s\". %s"), { fileName, reason }));
}

EStreamError EStreamError::CreateError(const QString& fileName, const QString& reason)
{
    return EStreamError(Text::Format(QStringLiteral("Cannot create file \"%s\". %s"), { fileName, reason }));
}

QString ExceptionMessage(const std::exception& error)
{
    if (const auto* stream = dynamic_cast<const EStreamError*>(&error))
        return stream->Message();
    return QString::fromLocal8Bit(error.what());
}
