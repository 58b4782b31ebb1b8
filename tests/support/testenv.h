#pragma once
// Everything a form test needs: the scripted dialog service, a fresh SQLite database built by the schema
// routine in a temporary folder, every form created, and the data module connected to that database.
// Files the program opens with the desktop are recorded in openedFiles instead. The settings store and data
// folder are this test program's own, and are left empty again at the end.
#include "db/statement.h"
#include "dm_u.h"
#include "forms.h"
#include "signed_in_user.h"
#include "ui/scripted_dialogs.h"
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TestEnv {
public:
    // withSchema false: an empty database file (for tests of the schema routine itself).
    explicit TestEnv(bool withSchema = true);
    ~TestEnv();
    TestEnv(const TestEnv &) = delete;
    TestEnv &operator=(const TestEnv &) = delete;

    ui::ScriptedDialogs &dialogs;
    QStringList openedFiles;
    QString dbPath() const { return dir_.filePath(QStringLiteral("test.sqlite")); }
    QString folder() const { return dir_.path(); } // the temporary folder, private to this test

    // Sets the signed-in user as a successful sign-in does (the seeded administrator: id 1, "admin", "ostan").
    void signInAs(int id = 1, const QString &user = QStringLiteral("admin"), const QString &level = QStringLiteral("ostan"))
    {
        SignedInUser::instance().set(QString::number(id), user, level);
    }
    // Gives an account its rights on a page (insert, edit, delete, view), in place of any it had there.
    void setRights(int prsId, const QString &page, const QList<bool> &bits);
    // Runs one statement / one scalar select on the test database (bound values in order).
    void exec(const QString &sql, const QVariantList &values = {}) { forms::dm->ADOConnection1.exec(sql, values); }
    QVariant scalar(const QString &sql, const QVariantList &values = {})
    {
        return db::detail::scalar(forms::dm->ADOConnection1, sql, values);
    }

private:
    QTemporaryDir dir_;
    bool ownsForms_ = false;
};

// The current user's settings store and data folder as the sign-in tests need them, away from the user's
// own files and from other test programs running at the same time.
namespace user_store {

// Gives this test program a settings store and data folder of its own, in a temporary folder kept to the
// end of the run. Call it before anything reads the settings.
void isolate();

// No connection settings stored, no last-user file, no local database file in the data folder.
void clear();
// The settings of the local database file at this path, as the settings form stores them.
void storeLocalDatabase(const QString &path);

} // namespace user_store
