#pragma once
// The main window the user works from after sign-in: the picture and the main menu that reaches every page.
// The pages bring their own openers (setOpener); an item whose page is not built stays disabled.
#include "persian/amount.h"
#include <QHash>
#include <QMainWindow>
#include <functional>
#include <optional>

class QAction;
class QCloseEvent;

namespace Ui {
class Tmain;
}

class Tmain : public QMainWindow {
    Q_OBJECT
public:
    explicit Tmain(QWidget *parent = nullptr);
    ~Tmain() override;

    Ui::Tmain *ui;

    // Makes `opener` the command of a menu item and enables the item. The opener of a page runs
    // rights::CheckPageRights with its key and commands, resets the page, sizes it (sizePage), runs its
    // search where it has one, and shows it (showPage). It runs guarded: a database error is reported
    // and ends only that opening. Setting an item's opener again replaces it.
    void setOpener(QAction *item, std::function<void()> opener);

    // Sizes a page from this window's current size: width W - widthLess, height H - heightLess;
    // std::nullopt (unchanged) leaves that side as it is.
    static constexpr std::optional<int> unchanged = std::nullopt;
    void sizePage(QWidget *page, std::optional<int> widthLess, std::optional<int> heightLess) const;
    // Shows a page modally; returns when the page is closed.
    static int showPage(QWidget *page);

    // The messages item's caption: "پيام*" while the user has unread messages, "پيام" otherwise.
    void setUnreadMark(bool unread);

    // What Yes to the exit question does: by default closes the sign-in form, which ends the program.
    std::function<void()> onExit;

    // Menu commands. The page commands run the opener their page set, if any.
    void N12Click();
    void N1Click();
    void N7Click();
    void N11Click();
    void N13Click();
    void N14Click();
    void N16Click();
    void N17Click();
    void N10Click();
    void N9Click();
    void N8Click();
    void N4Click();
    void N15Click();
    void N18Click();
    void N3Click();
    void N5Click(); // the about message
    void N6Click(); // closes the window, which asks the exit question

    // The exit question; true when the window may close (the answer was Yes and onExit has run).
    bool FormCloseQuery();
    // Keeps the picture over the window: its width - 25 and height - 80.
    void FormResize();

    // The amount routines, also reachable through the main window.
    static QString GetNum(qint64 rials) { return amount::GetNum(rials); }
    static QString DIGITS(const QString &text) { return amount::DIGITS(text); }
    static QString GetTree(int value) { return amount::GetTree(value); }
    static QString Get1nd(int value) { return amount::Get1nd(value); }
    static QString Get2nd(int digit) { return amount::Get2nd(digit); }
    static QString Get3nd(int digit) { return amount::Get3nd(digit); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void runOpener(QAction *item) const;

    QHash<QAction *, std::function<void()>> openers_;
};
