#pragma once

#include <QString>
#include <stdexcept>

/// Base of the exceptions the system raises; the message is what the user is shown.
class RosterError : public std::runtime_error
{
public:
    explicit RosterError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

/// A file could not be read or written; the message is the file layer's own text.
class FileError : public RosterError
{
public:
    using RosterError::RosterError;
};

/// Thrown by a "before" event to give up the operation without a message.
class AbortOp : public RosterError
{
public:
    AbortOp() : RosterError(QStringLiteral("Operation aborted")) {}
};

/// The text to show for any exception that reaches the default error display.
QString exceptionText(const std::exception& e);
