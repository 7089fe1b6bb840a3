#pragma once
// The one error type of the core: it carries the Portuguese message the keeper reads.
// Windows catch it at the edge of each event handler and show it in an error box.

#include <QString>
#include <stdexcept>

class CoreError : public std::runtime_error {
public:
    explicit CoreError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
