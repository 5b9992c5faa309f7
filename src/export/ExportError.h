// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The error that leaves a web-site export when a page, script or picture
// cannot be written. The driver lets it reach the default error handler,
// which shows its message.
#include <QString>

#include <stdexcept>

class EExportError : public std::runtime_error {
public:
    explicit EExportError(const QString& message);

    const QString& Message() const { return m_message; }

    // "Cannot create file "%s". %s"
    static EExportError CreateError(const QString& fileName, const QString& reason);
    // "Cannot write file "%s". %s"
    static EExportError WriteError(const QString& fileName, const QString& reason);

private:
    QString m_message;
};
