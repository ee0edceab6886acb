#pragma once

#include <QString>
#include <stdexcept>

// A failure of the local stores or of the customer's server: a file that is missing or
// not a database, a statement the engine refused. The text is what the operator is shown.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
