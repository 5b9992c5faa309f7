// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The errors of reading and writing album files. Their messages are the texts
// the user sees in the default error handler.
#include <QString>

#include <stdexcept>

class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const QString& message);

    const QString& Message() const { return m_message; }

    // "Invalid property value": a value of the wrong kind or a negative length.
    static EStreamError InvalidValue();
    // "Stream read error": the file ends before the value does.
    static EStreamError ReadError();
    // "Stream write error", followed by the system's reason when there is one
    // ("Stream write error. No space left on device").
    static EStreamError WriteError(const QString& reason = QString());
    // "Cannot open file "%s". %s"
    static EStreamError OpenError(const QString& fileName, const QString& reason);
    // "Cannot create file "%s". %s"
    static EStreamError CreateError(const QString& fileName, const QString& reason);

private:
    QString m_message;
};

// The message of an exception as the program shows it: a stream error's own
// text (which keeps every letter of a file name), else what the exception says.
QString ExceptionMessage(const std::exception& error);
