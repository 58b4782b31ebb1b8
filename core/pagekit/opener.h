#pragma once
// The one way a main-menu command opens a page: the page rights applied to the page's commands, the
// page's resets, its size from the main window, its search, and showing it modally. Every page's opener,
// the users and settings pages' included, is declared with this.
#include "pagekit/commands.h"
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

class QAction;
class QWidget;

namespace pagekit {

struct Opener {
    QString key;                                   // the rights key of table dastrasi; empty: no rights check
    Commands *commands = nullptr;                  // the page's declared commands, which the rights switch
    QList<QWidget *> cleared;                      // texts emptied
    QList<std::pair<QWidget *, QString>> texts;    // fixed texts set ("-1", "0"); today's date or year,
                                                   // which change while the program runs, go in prepare
    std::function<void()> prepare;                 // what else the page resets; runs after the texts
    std::optional<int> widthLess;                  // width W - widthLess; nullopt: unchanged
    std::optional<int> heightLess;                 // height H - heightLess; nullopt: unchanged
    std::function<void()> search;                  // run before showing; empty: none
    std::function<void()> afterSearch;             // e.g. the purchases register's pick lists
};

// Makes the opener the command of the main menu's item. Runs guarded: an error ends only the opening.
void installOpener(QAction *item, QWidget *page, Opener opener);

// Runs the opener now (the menu command's body): false when the rights refused the page.
bool openPage(QWidget *page, const Opener &opener);

} // namespace pagekit
