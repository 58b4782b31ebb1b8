// The settings page as a user works it (adding, listing by title, deleting their own values) and the pick
// lists and switch the other pages read from the same table.
#include "dm_u.h"
#include "forms.h"
#include "picklist.h"
#include "setting_u.h"
#include "support/controls.h"
#include "support/testenv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString project = u"نام پروژه"_s;
const QString unit = u"واحد"_s;
const QString goodsUnit = u"واحد کالا"_s;
const QString ownRows = u"هر کاربر اطلاعات خودش را ببيند-بلي/خير"_s;

const QString emptyValue = u"لطفا مقدار مناسب را وارد نماييد"_s;
const QString duplicate = u"تكراري است"_s;
const QString stored = u"ثبت شد"_s;

Tsetting &page() { return *forms::setting; }

QComboBox *component() { return control<QComboBox>(&page(), "component"); }
QLineEdit *cmt() { return control<QLineEdit>(&page(), "cmt"); }
QTableView *grid() { return control<QTableView>(&page(), "DBGrid1"); }

// Files a value through the page as the signed-in user and returns the message shown.
QString file(TestEnv &env, const QString &title, const QString &value)
{
    env.dialogs.reset();
    component()->setEditText(title);
    cmt()->setText(value);
    page().ins_btnClick();
    return env.dialogs.lastMessage();
}

void addRow(TestEnv &env, const QString &title, const QString &value, int user)
{
    env.exec(u"insert into setting (component, cmt, user_id) values (?, ?, ?)"_s, {title, value, user});
}

int rowsOf(TestEnv &env, const QString &title, const QString &value)
{
    return env.scalar(u"select count(*) from setting where component=? and cmt=?"_s, {title, value}).toInt();
}

// The grid's texts of one column, top to bottom.
QStringList gridColumn(int column)
{
    const QAbstractItemModel *model = grid()->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

// Makes the grid row holding the value current, as a click on it does.
void chooseRow(const QString &value)
{
    const int row = gridColumn(1).indexOf(value);
    QVERIFY(row >= 0);
    grid()->setCurrentIndex(grid()->model()->index(row, 1));
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class TestSetting : public QObject {
    Q_OBJECT

private slots:
    void offersTheTitles();
    void refusesAnEmptyValue();
    void filesAValueOncePerUser();
    void listsEveryTitleContainingTheTypedText();
    void deletesOnlyTheSignedInUsersRows();
    void deleteDoesNothingOnAnEmptyGrid();
    void pickListsOfOwnAndAllUsersRows();
    void pickListSelectsASingleValueOnlyIntoAnEmptyCombo();
    void ownRowsRule();
};

void TestSetting::offersTheTitles()
{
    TestEnv env;
    QComboBox *titles = component();
    QCOMPARE(titles->count(), 19);
    QVERIFY(titles->isEditable());
    for (const QString &title : {project, unit, goodsUnit, ownRows, u"بانک"_s, u"رمز حذف"_s})
        QVERIFY2(titles->findText(title) >= 0, qPrintable(title));
    // The titles no combo offers are typed.
    QCOMPARE(titles->findText(u"گروه کاربري"_s), -1);
    QCOMPARE(page().windowTitle(), u"تنظيمات اوليه"_s);
}

void TestSetting::refusesAnEmptyValue()
{
    TestEnv env;
    env.signInAs();
    QCOMPARE(file(env, project, QString()), emptyValue);
    QCOMPARE(file(env, project, u"   "_s), emptyValue);
    QCOMPARE(env.scalar(u"select count(*) from setting"_s).toInt(), 0);
    // The title is not checked: a value may be filed under none.
    QCOMPARE(file(env, QString(), u"x"_s), stored);
}

void TestSetting::filesAValueOncePerUser()
{
    TestEnv env;
    env.signInAs(1);
    // Typed on a Persian keyboard: Persian yeh and digits are stored as the register stores them.
    QCOMPARE(file(env, project, u"پروژه ی ۱۲"_s), stored);
    const QString value = u"پروژه ي 12"_s;
    QCOMPARE(env.scalar(u"select user_id from setting where component=? and cmt=?"_s, {project, value}).toInt(), 1);
    // The grid is refreshed with the new value.
    QCOMPARE(gridColumn(1), QStringList{value});
    QCOMPARE(gridColumn(0), QStringList{project});

    QCOMPARE(file(env, project, value), duplicate);
    QCOMPARE(file(env, project, u"پروژه ی 12"_s), duplicate);
    QCOMPARE(rowsOf(env, project, value), 1);

    // A title/value pair only compares equal as a whole.
    QCOMPARE(file(env, unit, value), stored);

    env.signInAs(2, u"ali"_s);
    QCOMPARE(file(env, project, value), stored);
    QCOMPARE(rowsOf(env, project, value), 2);
    QCOMPARE(file(env, project, value), duplicate);
}

void TestSetting::listsEveryTitleContainingTheTypedText()
{
    TestEnv env;
    env.signInAs(1);
    addRow(env, unit, u"متر"_s, 1);
    addRow(env, goodsUnit, u"عدد"_s, 1);
    addRow(env, goodsUnit, u"کيلو"_s, 2);
    addRow(env, project, u"سد"_s, 1);

    component()->setEditText(unit);
    page().componentChange();
    // Both titles containing the text, only the user's own values, ordered by value.
    QCOMPARE(gridColumn(1), (QStringList{u"عدد"_s, u"متر"_s}));
    QCOMPARE(sorted(gridColumn(0)), sorted({unit, goodsUnit}));

    // Typing into the combo lists as it goes.
    component()->setEditText(QString());
    QLineEdit *edit = component()->lineEdit();
    for (QChar c : u"پروژ"_s)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(gridColumn(1), QStringList{u"سد"_s});

    // The typed text is a value, never part of the statement.
    component()->setEditText(u"' or '1'='1"_s);
    page().componentChange();
    QCOMPARE(gridColumn(1), QStringList{});
}

void TestSetting::deletesOnlyTheSignedInUsersRows()
{
    TestEnv env;
    env.signInAs(1);
    addRow(env, unit, u"متر"_s, 1);
    addRow(env, unit, u"متر"_s, 1); // an older database may hold a value twice
    addRow(env, unit, u"متر"_s, 2);
    addRow(env, project, u"سد"_s, 1);
    addRow(env, goodsUnit, u"عدد"_s, 2);

    component()->setEditText(unit);
    page().componentChange();
    chooseRow(u"متر"_s);
    env.dialogs.reset();
    page().N1Click();
    QVERIFY(env.dialogs.shown.isEmpty()); // no question, no message
    QCOMPARE(rowsOf(env, unit, u"متر"_s), 1);
    QCOMPARE(env.scalar(u"select user_id from setting where cmt=?"_s, {u"متر"_s}).toInt(), 2);
    // The grid then shows every value of the user, whatever the title.
    QCOMPARE(gridColumn(1), QStringList{u"سد"_s});
    QCOMPARE(cmt()->text(), u"متر"_s);
    QCOMPARE(component()->currentText(), unit);

    // Another user's row, shown by a pick list of all users' rows, deletes nothing.
    picklist::values(goodsUnit, picklist::Rows::AllUsers);
    chooseRow(u"عدد"_s);
    page().N1Click();
    QCOMPARE(rowsOf(env, goodsUnit, u"عدد"_s), 1);
}

void TestSetting::deleteDoesNothingOnAnEmptyGrid()
{
    TestEnv env;
    env.signInAs(1);
    addRow(env, unit, u"متر"_s, 1);
    cmt()->setText(u"typed"_s);
    page().N1Click(); // the shared query not opened yet
    component()->setEditText(u"no such title"_s);
    page().componentChange();
    QCOMPARE(grid()->model()->rowCount(), 0);
    page().N1Click();
    QCOMPARE(cmt()->text(), u"typed"_s);
    QCOMPARE(component()->currentText(), u"no such title"_s);
    QCOMPARE(env.scalar(u"select count(*) from setting"_s).toInt(), 1);
}

void TestSetting::pickListsOfOwnAndAllUsersRows()
{
    TestEnv env;
    env.signInAs(1);
    addRow(env, unit, u"متر"_s, 1);
    addRow(env, unit, u"عدد"_s, 2);
    addRow(env, unit, u"متر"_s, 2);
    addRow(env, goodsUnit, u"کيلو"_s, 1); // the title matches exactly, not by containing

    QComboBox combo;
    picklist::LoadPickList(&combo, unit, picklist::Rows::Own, false);
    QCOMPARE(combo.count(), 1);
    QCOMPARE(combo.itemText(0), u"متر"_s);

    picklist::LoadPickList(&combo, unit, picklist::Rows::AllUsers, false);
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    QCOMPARE(sorted(items), sorted({u"متر"_s, u"عدد"_s, u"متر"_s})); // duplicates included, items replaced

    env.signInAs(2, u"ali"_s);
    QCOMPARE(sorted(picklist::values(unit, picklist::Rows::Own)), sorted({u"عدد"_s, u"متر"_s}));
    QCOMPARE(picklist::values(u"موضوع پيام"_s, picklist::Rows::AllUsers), QStringList{});
}

void TestSetting::pickListSelectsASingleValueOnlyIntoAnEmptyCombo()
{
    TestEnv env;
    env.signInAs(1);
    addRow(env, unit, u"متر"_s, 1);
    addRow(env, project, u"سد"_s, 1);
    addRow(env, project, u"پل"_s, 1);

    QComboBox fixed; // a combo without an edit field
    picklist::LoadPickList(&fixed, unit, picklist::Rows::Own, true);
    QCOMPARE(fixed.currentText(), u"متر"_s);
    picklist::LoadPickList(&fixed, unit, picklist::Rows::Own, false); // kept: it is now the combo's value
    QCOMPARE(fixed.currentText(), u"متر"_s);

    QComboBox fresh;
    picklist::LoadPickList(&fresh, unit, picklist::Rows::Own, false);
    QCOMPARE(fresh.currentIndex(), -1);
    picklist::LoadPickList(&fresh, project, picklist::Rows::Own, true); // two values: none is chosen
    QCOMPARE(fresh.currentIndex(), -1);

    // An edited record's value stays, offered or not.
    QComboBox edited;
    edited.setEditable(true);
    edited.setEditText(u"سانتيمتر"_s);
    picklist::LoadPickList(&edited, unit, picklist::Rows::Own, true);
    QCOMPARE(edited.currentText(), u"سانتيمتر"_s);
    QCOMPARE(edited.count(), 1);
    edited.setEditText(QString());
    picklist::LoadPickList(&edited, unit, picklist::Rows::Own, true);
    QCOMPARE(edited.currentText(), u"متر"_s);
    edited.setEditText(QString());
    picklist::LoadPickList(&edited, project, picklist::Rows::Own, false);
    QCOMPARE(edited.currentText(), QString());
}

void TestSetting::ownRowsRule()
{
    TestEnv env;
    env.signInAs(1);
    QVERIFY(!picklist::OwnRowsRule());
    addRow(env, ownRows, u"خير"_s, 1);
    QVERIFY(!picklist::OwnRowsRule());
    addRow(env, ownRows, u"بلي"_s, 2); // filed by any user, it holds for all
    QVERIFY(picklist::OwnRowsRule());
}

QTEST_MAIN(TestSetting)
#include "tst_setting.moc"
