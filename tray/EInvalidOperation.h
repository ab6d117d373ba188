#pragma once

#include <QString>
#include <stdexcept>

namespace zol {

// A misuse of a component's properties; what() is the UTF-8 message for the user.
class EInvalidOperation : public std::runtime_error {
public:
    explicit EInvalidOperation(const QString& message)
        : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace zol
