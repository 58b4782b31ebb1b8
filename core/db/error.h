#pragma once
// The one exception type of the data layer: it carries the database's own text.
#include <QString>
#include <stdexcept>

namespace db {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString &text() const { return text_; }

private:
    QString text_;
};

} // namespace db
