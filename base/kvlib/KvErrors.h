// Core-library error values as exceptions and messages.
#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

// The program's one exception class; the message is the text the user sees.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString &message)
        : std::runtime_error(message.toStdString()), FMessage(message) {}
    const QString &Message() const { return FMessage; }

private:
    QString FMessage;
};

// Failure families the base routines raise; try-style routines catch only EConvertError.
class EConvertError : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };
class EStreamError : public Exception { using Exception::Exception; };

// The library's text for an error value (a generic text naming an unknown value).
QString ErrorToStrA(int32_t error);
// Nothing for 0; otherwise raises Exception("<error text> (<message>)"), or the error text
// alone when the message is empty.
void RaiseIfError(int32_t error, const QString &message = QString());

// True only for "JPEG error #<decimal integer other than -1>"; the number is then stored.
bool ParseJpegErrorNumber(const QString &message, int &number);
