// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/ExportError.h"

#include "platform/TextUtil.h"

EExportError::EExportError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

EExportError EExportError::CreateError(const QString& fileName, const QString& reason)
{
    return EExportError(Text::Format(QStringLiteral("Cannot create file \"%s\". %s"), { fileName, reason }));
}

EExportError EExportError::WriteError(const QString& fileName, const QString& reason)
{
    return EExportError(Text::Format(QStringLiteral("Cannot write file \"%s\". %s"), { fileName, reason }));
}
