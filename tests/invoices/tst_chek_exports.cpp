// The invoice register's exports, each read back: the HTML report (to a chosen file and to the browser), the
// workbook of the list, the totals per statement number with the "admin" exemption, and the second workbook.
#include "dm_u.h"
#include "forms.h"
#include "invoices/src_chek_u.h"
#include "support/invoice_rows.h"
#include "support/testenv.h"
#include "support/xlsx_reader.h"
#include "ui_src_chek_u.h"
#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

Tchek_src &page() { return *forms::chek_src; }
db::Query &listQuery() { return *forms::dm->ADOQ_chek; }

QStringList htmlLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return {u"no byte-order mark"_s};
    return QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s);
}

// Two invoices, listed newest first; the list then stands on its second row.
void seedAndSearch(TestEnv &env)
{
    addInvoice(env, {{u"hesab_no"_s, u"111"_s}, {u"cmt"_s, u"<b> & \"x\""_s}, {u"mablagh"_s, 1234567},
                     {u"chek_dat"_s, u"1403/01/02"_s}, {u"user_id"_s, 1}, {u"rizhazine"_s, u"12"_s}});
    addInvoice(env, {{u"hesab_no"_s, u"222"_s}, {u"mozo"_s, u"مداد"_s}, {u"chek_dat"_s, u"1403/05/06"_s},
                     {u"rizhazine"_s, u"12"_s}, {u"mablagh"_s, 50}});
    Q_EMIT page().ui->Label18->clicked(); // every year
    page().BitBtn1Click();
    listQuery().setRecNo(2);
}

} // namespace

class TestChekExports : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->signInAs();
    }
    void cleanup() { env.reset(); }

    void htmlReportToAChosenFile()
    {
        seedAndSearch(*env);
        page().N10Click(); // cancelled: nothing
        QCOMPARE(env->dialogs.shown.last().detail, u"report.xls"_s);
        QCOMPARE(env->dialogs.messages(), QStringList{});

        const QString path = env->folder() + u"/report.xls"_s;
        env->dialogs.files.enqueue(path);
        page().N10Click();
        QCOMPARE(env->dialogs.lastMessage(), u"فايل گزارش تهيه شد"_s);
        QCOMPARE(listQuery().recNo(), 2);

        const QStringList lines = htmlLines(path);
        const int fields = listQuery().fieldCount();
        QCOMPARE(fields, 26);
        QCOMPARE(lines.size(), 7 + fields + 3 + 2 * (fields + 3) + 4 + 1); // the last line break ends the file
        QCOMPARE(lines.mid(0, 1), QStringList{u"<html>"_s});
        QCOMPARE(lines.at(1), u"<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                              u"<title>امور خريد و فاکتور</title></head>"_s);
        QCOMPARE(lines.mid(2, 6), (QStringList{u"<body>"_s,
                                               u"<table dir=\"rtl\" border=\"1\" align=\"center\" width=\"95%\">"_s,
                                               u"<thead>"_s, u"<tr bgcolor=\"#22ddff\" valign=\"middle\">"_s,
                                               u"<th>رديف</th>"_s, u"<th>شماره حساب</th>"_s}));
        QCOMPARE(lines.at(7 + 10), u"<th>بده کاي</th>"_s);
        QCOMPARE(lines.mid(7 + 22, 4), (QStringList{u"<th>user_id</th>"_s, u"<th>MablaghDigit</th>"_s,
                                                    u"<th>MablaghText</th>"_s, u"<th>شناسه رکورد</th>"_s}));
        // The rows in the list's order: the newer date first.
        const int body = 7 + fields + 2;
        QCOMPARE(lines.mid(body, 3), (QStringList{u"<tbody>"_s, u"<tr>"_s, u"<td>1</td>"_s}));
        QCOMPARE(lines.at(body + 3), u"<td dir=\"ltr\">222</td>"_s);
        const int second = body + 1 + fields + 3;
        QCOMPARE(lines.mid(second, 3), (QStringList{u"<tr>"_s, u"<td>2</td>"_s, u"<td dir=\"ltr\">111</td>"_s}));
        QCOMPARE(lines.at(second + 2 + 6), u"<td dir=\"ltr\">1403/01/02</td>"_s);
        QCOMPARE(lines.at(second + 2 + 9), u"<td>&lt;b&gt; &amp; &quot;x&quot;</td>"_s);
        QCOMPARE(lines.at(second + 2 + 23), u"<td>1,234,567</td>"_s);
        QCOMPARE(lines.mid(lines.size() - 5), (QStringList{u"</tbody>"_s, u"</table>"_s, u"</body>"_s, u"</html>"_s,
                                                           QString()}));

        // The dialog keeps the name chosen last.
        page().N10Click();
        QCOMPARE(env->dialogs.shown.last().detail, path);
    }
    void htmlReportOpenedInTheBrowser()
    {
        seedAndSearch(*env);
        page().N11Click();
        QCOMPARE(env->openedFiles.size(), 1);
        QVERIFY(env->openedFiles.first().endsWith(u"/Velmaroshtikandaz.htm"_s));
        QVERIFY(htmlLines(env->openedFiles.first()).contains(u"<td>مداد</td>"_s));
        QCOMPARE(env->dialogs.messages(), QStringList{});
    }
    void workbookOfTheListHeadedByFieldNames()
    {
        seedAndSearch(*env);
        page().N31Click();
        QCOMPARE(env->openedFiles.size(), 1);
        const XlsxSheet sheet(env->openedFiles.first());
        QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
        QCOMPARE(sheet.cell(u"A1"_s).text, u"hesab_no"_s);
        QCOMPARE(sheet.cell(u"Y1"_s).text, u"MablaghText"_s);
        QCOMPARE(sheet.cell(u"Z1"_s).text, u"id"_s);
        QCOMPARE(sheet.cell(u"A3"_s).text, u"111"_s);
        QCOMPARE(sheet.lastRow, 3);
        QCOMPARE(listQuery().recNo(), 2);
    }
    void statementTotalsWithTheAdminExemption()
    {
        env->exec(u"insert into users (us) values ('ali')"_s); // id 2
        addInvoice(*env, {{u"rizhazine"_s, u"12"_s}, {u"mablagh"_s, 100}, {u"user_id"_s, 1}});
        addInvoice(*env, {{u"rizhazine"_s, u"12"_s}, {u"mablagh"_s, 50}, {u"user_id"_s, 2}});
        addInvoice(*env, {{u"rizhazine"_s, u"15"_s}, {u"mablagh"_s, 7}, {u"user_id"_s, 2}});
        env->exec(u"insert into setting (component, cmt, user_id) values (?, ?, 2)"_s,
                  {u"هر کاربر اطلاعات خودش را ببيند-بلي/خير"_s, u"بلي"_s});
        Q_EMIT page().ui->Label18->clicked();
        Q_EMIT page().ui->Label1->clicked(); // the user filter is not applied to the totals
        page().ui->us->setEditText(u"ali"_s);

        const auto totals = [this] {
            page().N13Click();
            const XlsxSheet sheet(env->openedFiles.last());
            QStringList rows;
            for (int row = 1; row <= sheet.lastRow; ++row)
                rows << sheet.cell(u"A"_s + QString::number(row)).text + u'='
                            + sheet.cell(u"B"_s + QString::number(row)).text;
            return rows;
        };
        QCOMPARE(totals(), (QStringList{u"rizhazine=mablagh"_s, u"12=150"_s, u"15=7"_s}));
        env->signInAs(1, u"Admin"_s, u"ostan"_s); // the exemption goes by the exact sign-in name
        QCOMPARE(totals(), (QStringList{u"rizhazine=mablagh"_s, u"12=100"_s}));
    }
    void secondWorkbookFromTheFirstRow()
    {
        seedAndSearch(*env);
        page().N21Click();
        QCOMPARE(env->dialogs.shown.last().detail, u"Report.xlsx"_s);

        const QString path = env->folder() + u"/accounts"_s;
        QFile earlier(path + u".xlsx"_s);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("old") == 3);
        earlier.close();
        env->dialogs.files.enqueue(path);
        page().N21Click();
        QCOMPARE(listQuery().recNo(), 2);

        const XlsxSheet sheet(path + u".xlsx"_s);
        QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
        QCOMPARE(sheet.name, u"List of Accounts"_s);
        QCOMPARE(sheet.lastRow, 2); // no header row
        QCOMPARE(sheet.cell(u"A1"_s).text, u"222"_s);
        QCOMPARE(sheet.cell(u"H1"_s).text, u"مداد"_s);
        QCOMPARE(sheet.cell(u"A2"_s).text, u"111"_s);
        QCOMPARE(sheet.cell(u"F2"_s).text, u"1234567"_s);
        QCOMPARE(sheet.cell(u"X2"_s).text, u"1,234,567"_s);
        // Only the workbook is left in the folder: no part file.
        QCOMPARE(QDir(env->folder()).entryList({u"accounts*"_s, u".accounts*"_s}, QDir::Files | QDir::Hidden),
                 QStringList{u"accounts.xlsx"_s});
    }
};

QTEST_MAIN(TestChekExports)
#include "tst_chek_exports.moc"
