#pragma once
// A failure of the data layer: a connection that cannot be opened, a statement the server
// refused, a lost connection. The description never holds a password.
#include <QString>
#include <stdexcept>

namespace data {

class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& description) : std::runtime_error(description.toStdString()), m_description(description) {}
    QString description() const { return m_description; }

private:
    QString m_description;
};

} // namespace data
