#include "pagekit/commands.h"
#include "db/query.h"
#include "pagekit/rows.h"
#include "ui/guard.h"
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QWidget>

namespace pagekit {

namespace {

bool grantedBy(Right right, const rights::Granted &granted)
{
    switch (right) {
    case Right::View: return granted.view;
    case Right::Insert: return granted.insert;
    case Right::Edit: return granted.edit;
    case Right::Delete: return granted.remove;
    case Right::None: break;
    }
    return false;
}

void setEnabled(QObject *command, bool enabled)
{
    if (auto *action = qobject_cast<QAction *>(command))
        action->setEnabled(enabled);
    else if (auto *widget = qobject_cast<QWidget *>(command))
        widget->setEnabled(enabled);
}

// The command's own state, not its parent's (a button in a box that is off is not off itself).
bool isEnabled(const QObject *command)
{
    if (const auto *action = qobject_cast<const QAction *>(command))
        return action->isEnabled();
    const auto *widget = qobject_cast<const QWidget *>(command);
    return widget && !widget->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace

Commands::Commands(QWidget *page, db::Query &list) : QObject(page), page_(page), list_(list)
{
    // The current row may come and go with any change of the list.
    connect(&list_, &db::Query::opened, this, &Commands::follow);
    connect(&list_, &db::Query::rowInserted, this, &Commands::follow);
    connect(&list_, &db::Query::rowRemoved, this, &Commands::follow);
    connect(&list_, &db::Query::currentChanged, this, &Commands::follow);
}

Commands &Commands::add(QObject *command, Right right, std::function<void()> handler, Needs needs)
{
    Q_ASSERT(command && !find(command));
    // A command starts as its layout declares it; the page's opener applies the rights before it shows the page.
    commands_.append({command, right, needs, std::move(handler), isEnabled(command)});
    const auto runIt = [this, command] { run(command); };
    if (auto *action = qobject_cast<QAction *>(command))
        connect(action, &QAction::triggered, this, runIt);
    else if (auto *button = qobject_cast<QAbstractButton *>(command))
        connect(button, &QAbstractButton::clicked, this, runIt);
    follow();
    return *this;
}

Commands &Commands::onDoubleClick(QAbstractItemView *grid, QObject *command)
{
    Q_ASSERT(find(command));
    connect(grid, &QAbstractItemView::doubleClicked, this, [this, command] { run(command); });
    return *this;
}

void Commands::apply(const rights::Granted &granted)
{
    for (Command &command : commands_)
        if (command.right != Right::None)
            command.permitted = grantedBy(command.right, granted);
    follow();
}

const Commands::Command *Commands::find(const QObject *command) const
{
    for (const Command &declared : commands_)
        if (declared.object == command)
            return &declared;
    return nullptr;
}

bool Commands::allowed(const Command &command) const
{
    return command.permitted && (command.needs == Needs::Nothing || hasCurrentRow(list_));
}

Right Commands::rightOf(const QObject *command) const
{
    const Command *declared = find(command);
    return declared ? declared->right : Right::None;
}

QList<QObject *> Commands::declared() const
{
    QList<QObject *> all;
    for (const Command &command : commands_)
        all << command.object;
    return all;
}

bool Commands::allows(const QObject *command) const
{
    const Command *declared = find(command);
    return declared && allowed(*declared);
}

void Commands::run(const QObject *command) const
{
    const Command *declared = find(command);
    if (!declared || !declared->handler || !allowed(*declared))
        return;
    // The handler is copied: it may declare nothing, but it may open a form that outlives this call.
    const std::function<void()> handler = declared->handler;
    ui::guarded(handler);
}

void Commands::follow()
{
    for (const Command &command : std::as_const(commands_))
        setEnabled(command.object, allowed(command));
}

} // namespace pagekit
