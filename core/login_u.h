#pragma once
// The sign-in form, the application's main form: it connects the data module to the chosen database,
// checks the user, remembers the user name, holds back an outdated program and hands over to the main
// window. Closing it ends the program.
#include "connection_settings.h"
#include "ui_login_u.h"
#include <QDialog>
#include <functional>

class Tlogin : public QDialog {
    Q_OBJECT
public:
    explicit Tlogin(QWidget *parent = nullptr);
    ~Tlogin() override;

    Ui::Tlogin ui;

    void BitBtn1Click();
    void BitBtn2Click();
    void Label3Click();
    void Label4Click();
    void Label9Click();
    void FormShow();

    // This workstation's IPv4 address, and the host name found for an address; empty text on failure.
    static QString LocalIP();
    static QString IPAddrToName(const QString &address);

    // The file that remembers the user name last signed in.
    static QString lastUserFile();

    // What closing this form does: by default it quits the application. Tests put their own here; an empty
    // function restores the default.
    static void setProgramEnd(std::function<void()> end);

    // The user name and password as typed, never null (an empty box compares as the empty text); the name
    // without blanks at either end.
    QString typedUser() const;
    QString typedPassword() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;  // Escape and the close box
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DatabaseChoice databaseChoice() const;
    // Refuses (ui::Refusal) an empty user name, and a name or password holding a control character.
    void checkTypedCredentials() const;
    // Connects, then runs the user query on adoq_signin for the typed name and password; true when a row
    // was found, otherwise the refusal is shown.
    bool connectAndFindUser(const QString &refusal);
    void rememberUser();
    bool programIsOutdated();
    // The stored reference file of this description, saved where the user chooses; the path, or empty text.
    QString saveReferenceFile(const QString &description, const QString &proposedName);
};
