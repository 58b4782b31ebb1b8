#include "page_io.h"
#include "testenv.h"
#include "ui/control_text.h"
#include "xlsx_reader.h"
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QStringList>
#include <QTest>
#include <QWidget>

void setFieldTexts(QWidget *form, const QHash<QString, QString> &texts)
{
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        QWidget *field = form->findChild<QWidget *>(it.key());
        QVERIFY2(field, qPrintable(it.key()));
        ui::setControlText(field, it.value());
    }
}

QString fieldTexts(const QWidget *form, const QStringList &names)
{
    QStringList texts;
    for (const QString &name : names)
        texts << ui::controlText(form->findChild<QWidget *>(name));
    return texts.join(u'|');
}

QStringList rowTexts(const QString &select, const QVariantList &values)
{
    db::Query rows(forms::dm->ADOConnection1, QStringLiteral("rowTexts"));
    rows.add(select, values);
    rows.open();
    QStringList texts;
    for (rows.first(); !rows.eof(); rows.next()) {
        QStringList columns;
        for (int column = 0; column < rows.fieldCount(); ++column)
            columns << (rows.field(column).isNull() ? QStringLiteral("null") : rows.field(column).asString());
        texts << columns.join(u'|');
    }
    return texts;
}

QWidget *formNamed(const QString &name)
{
    for (QWidget *form : QApplication::topLevelWidgets())
        if (form->objectName() == name)
            return form;
    qFatal("no form %s", qPrintable(name));
}

void runCommand(QWidget *page, const QString &command)
{
    if (auto *button = page->findChild<QAbstractButton *>(command))
        button->click();
    else if (auto *item = page->findChild<QAction *>(command))
        item->trigger();
    else
        QFAIL(qPrintable(command));
}

void onRow(QWidget *page, const QString &search, db::Query &list, qint64 id, const QString &command)
{
    runCommand(page, search);
    QVERIFY(list.locate(QStringLiteral("id"), id));
    runCommand(page, command);
}

QList<qint64> idsOf(const db::Query &list)
{
    QList<qint64> ids;
    for (const QString &id : textsOf(list, QStringLiteral("id")))
        ids << id.toLongLong();
    return ids;
}

QStringList textsOf(const db::Query &list, const QString &field)
{
    QStringList texts;
    const int column = list.fieldIndex(field);
    for (int row = 0; row < list.recordCount(); ++row)
        texts << list.textAt(row, column);
    return texts;
}

void waitForTotals(db::Query &list)
{
    list.finishTotals();
}

QList<qint64> searchWithFilter(QWidget *page, db::Query &list, const QString &box, const QStringList &controls,
                               const QStringList &texts)
{
    page->findChild<QCheckBox *>(box)->click();
    for (qsizetype i = 0; i < controls.size(); ++i)
        ui::setControlText(page->findChild<QWidget *>(controls.at(i)), texts.value(i));
    page->findChild<QAbstractButton *>(QStringLiteral("src_btn"))->click();
    waitForTotals(list);
    QList<qint64> ids = idsOf(list);
    std::sort(ids.begin(), ids.end());
    return ids;
}

QStringList workbookHeaders(const QString &path, int columns)
{
    const XlsxSheet sheet(path);
    QStringList headers;
    for (int column = 0; column < columns; ++column)
        headers << sheet.cell(XlsxSheet::columnName(column) + u'1').text;
    return headers;
}

QList<bool> menuStates(const QMenuBar *menu)
{
    QList<bool> states;
    for (const QAction *item : menu->actions())
        states << item->isEnabled();
    return states;
}

QStringList askedTexts(const ui::ScriptedDialogs &dialogs)
{
    QStringList texts;
    for (const auto &shown : dialogs.shown)
        if (shown.kind == QStringLiteral("ask"))
            texts << shown.text;
    return texts;
}

void addSetting(TestEnv &env, const QString &title, const QString &value, int userId)
{
    env.exec(QStringLiteral("insert into setting (component, cmt, user_id) values (?, ?, ?)"), {title, value, userId});
}

std::unique_ptr<db::Connection> otherWorkstation(const TestEnv &env)
{
    auto other = std::make_unique<db::Connection>(QStringLiteral("other workstation"));
    other->setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + env.dbPath());
    other->open();
    return other;
}

qint64 addRow(TestEnv &env, const QString &table, const QVariantMap &columns)
{
    const QStringList marks(columns.size(), QStringLiteral("?"));
    env.exec(QStringLiteral("insert into ") + table + QStringLiteral(" (") + columns.keys().join(u',')
                 + QStringLiteral(") values (") + marks.join(u',') + u')', columns.values());
    return env.scalar(QStringLiteral("select max(id) from ") + table).toLongLong();
}

int rowCount(TestEnv &env, const QString &table)
{
    return env.scalar(QStringLiteral("select count(*) from ") + table).toInt();
}

QString filterAlone(QWidget *page, db::Query &list, const QList<qint64> &seeded, const QString &box,
                    const QStringList &controls, const QStringList &texts, const QStringList &shown)
{
    QStringList rows;
    for (const qint64 id : searchWithFilter(page, list, box, controls, texts))
        rows << QString::number(seeded.indexOf(id));
    const QString found = rows.join(u',') + (shown.isEmpty() ? QString() : u'|' + fieldTexts(page, shown));
    page->findChild<QCheckBox *>(box)->click();
    return found;
}
