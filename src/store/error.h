#pragma once

#include <QString>
#include <stdexcept>

namespace store {

/// A table-store failure. The message is Italian and meant for the user.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString())
        , message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

/// A post refused because another record already holds the table's identifier value.
class KeyViolation : public Error {
public:
    using Error::Error;
};

} // namespace store
