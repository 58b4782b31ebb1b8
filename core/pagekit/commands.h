#pragma once
// A page's commands, declared once: each menu item or button with its handler, the right it needs and whether it
// works on the current row. From that one declaration the kit wires everything a command has: its handler (guarded),
// the page rights that allow it, its switch while the list has no current row, and the grid's double click. A command
// that writes rows needs a write right, whatever menu it stands in.
#include "page_rights.h"
#include <QObject>
#include <QVector>
#include <functional>

class QAbstractItemView;
class QWidget;

namespace db {
class Query;
}

namespace pagekit {

// The right of table dastrasi a command needs; None: the page rights leave it as the page declares it.
enum class Right { None, View, Insert, Edit, Delete };
// Whether the command works on the list's current row: it is then off (and does nothing) while there is none.
enum class Needs { Nothing, CurrentRow };

class Commands : public QObject {
    Q_OBJECT
public:
    // The commands of a page over its list, the one whose current row they work on. Owned by the page.
    Commands(QWidget *page, db::Query &list);

    // A menu item (QAction) or a button: the handler runs, guarded, when it is triggered or clicked and the command
    // is allowed. Without a handler (a submenu, an item the page leaves without a command) the command is only
    // switched.
    Commands &add(QObject *command, Right right, std::function<void()> handler = {}, Needs needs = Needs::Nothing);
    template <typename Form, typename Result>
    Commands &add(QObject *command, Right right, Result (Form::*handler)(), Needs needs = Needs::Nothing)
    {
        Form *page = static_cast<Form *>(page_);
        return add(command, right, std::function<void()>([page, handler] { (page->*handler)(); }), needs);
    }
    // A double click on a row of the grid runs this declared command, as its menu item would: only while the rights
    // and the current row allow it.
    Commands &onDoubleClick(QAbstractItemView *grid, QObject *command);

    // The signed-in user's rights on the page: each command of a right is allowed exactly when its bit is set.
    void apply(const rights::Granted &granted);

    Right rightOf(const QObject *command) const; // None for a command not declared
    QList<QObject *> declared() const;           // every command, in the order declared
    bool allows(const QObject *command) const;   // what its enabled state shows: rights and current row
    void run(const QObject *command) const;      // runs it (guarded) when it is allowed

private:
    struct Command {
        QObject *object;
        Right right;
        Needs needs;
        std::function<void()> handler;
        bool permitted; // by the rights (or as the page declared it, for
                        // Right::None)
    };
    const Command *find(const QObject *command) const;
    bool allowed(const Command &command) const;
    void follow(); // every command's enabled state: permitted, and a current row
                   // where it needs one

    QWidget *page_;
    db::Query &list_;
    QVector<Command> commands_;
};

} // namespace pagekit
