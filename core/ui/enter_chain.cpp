#include "ui/enter_chain.h"
#include <QComboBox>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace ui {

namespace {

class EnterChain : public QObject {
public:
    explicit EnterChain(QObject *parent) : QObject(parent) {}

    void link(QWidget *from, QWidget *to)
    {
        watch(from, to);
        if (auto *combo = qobject_cast<QComboBox *>(from); combo && combo->lineEdit())
            watch(combo->lineEdit(), to);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        const QPointer<QWidget> next = next_.value(watched);
        if (!next)
            return false;
        next->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    void watch(QWidget *field, QWidget *next)
    {
        field->installEventFilter(this);
        next_.insert(field, next);
    }

    QHash<QObject *, QPointer<QWidget>> next_;
};

} // namespace

void installEnterChain(const QList<QWidget *> &fields)
{
    if (fields.size() < 2)
        return;
    auto *chain = new EnterChain(fields.first());
    for (qsizetype i = 0; i + 1 < fields.size(); ++i)
        chain->link(fields.at(i), fields.at(i + 1));
}

} // namespace ui
