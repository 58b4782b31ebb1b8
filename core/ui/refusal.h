#pragma once
// A value the user must correct before anything is written: thrown by a check, caught by the handler guard,
// which shows the text in a plain message box and gives the refused field the focus. The action ends there.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <exception>

namespace ui {

class Refusal : public std::exception {
public:
    explicit Refusal(QString text, QWidget *field = nullptr) : text_(std::move(text)), field_(field) {}
    const QString &text() const { return text_; }
    QWidget *field() const { return field_; }
    const char *what() const noexcept override { return "refused"; }

private:
    QString text_;
    QPointer<QWidget> field_;
};

} // namespace ui
