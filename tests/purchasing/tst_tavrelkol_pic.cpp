// The attachments of a purchase: description and file checks, files back byte for byte, safe names, search, delete.
#include "db/statement.h"
#include "purchasing/tavrelkol_pic_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/attachment_files.h"
#include "support/page_test.h"
#include "ui_tavrelkol_pic_u.h"
#include <QDir>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

class TestTavrelkolPic : public PageTest {
    Q_OBJECT
    qint64 first = 0;
    Ttavrelkol_pic *page = nullptr;
    Ui::Ttavrelkol_pic *form = nullptr;

    void add(const QString &description, const QString &chosen = QString())
    {
        addFile(*env, form->cmt, form->image1_btn, description, chosen);
    }

private slots:
    void init()
    {
        PageTest::init();
        env->setRights(1, u"tavrelkol"_s, {true, true, true, true});
        page = forms::tavrelkol_pic;
        form = page->ui.get();
        first = addRow(*env, u"tavrelkol"_s, {{u"mozo"_s, u"کاغذ"_s}});
        const qint64 second = addRow(*env, u"tavrelkol"_s, {{u"mozo"_s, u"ميز"_s}});
        addRow(*env, u"tavrelkol_pic"_s, {{u"tavrelkol_id"_s, first}, {u"cmt"_s, u"تصوير فاکتور"_s}});
        addRow(*env, u"tavrelkol_pic"_s, {{u"tavrelkol_id"_s, second}, {u"cmt"_s, u"تصوير قرارداد"_s}});
        form->cmt_src->setText(u"old"_s);
        onRow(forms::tavrelkol_src, u"src_btn"_s, *forms::dm->ADOQ_tavrel, first, u"N6"_s);
    }

    // The search text emptied; both description refusals before the file dialog; a chosen file checked and read
    // before anything is stored; the extension from the last dot. The search keeps to the purchase; its delete asks
    // nothing and says nothing.
    void descriptionsAndFilesCheckedFirstSearchAndDelete()
    {
        QCOMPARE(env->dialogs.shown.last().text + form->cmt_src->text(), u"tavrelkol_pic"_s);
        add(QString());
        add(u"تصوير فاکتور"_s);
        env->exec(u"insert into tavrelkol_pic (tavrelkol_id, cmt) values (?, '')"_s, {first});
        add(QString());
        add(u"تصوير قرارداد"_s); // the dialog cancelled
        QCOMPARE(env->dialogs.shown.last().kind, u"openFile"_s);
        add(u"تصوير قرارداد ی"_s, writeFile(env->folder() + u"/scan.v1.tar.gz"_s, "x"));
        using namespace attachments;
        QCOMPARE(env->dialogs.messages(), (QStringList{emptyText, repeatedText, repeatedText, emptyText, u"ثبت شد"_s}));
        QCOMPARE(rowTexts(u"select cmt,pictype,tavrelkol_id from tavrelkol_pic where id>3"_s),
                 QStringList{u"تصوير قرارداد ي|.gz|"_s + QString::number(first)});

        const QString folder = env->folder() + u"/a.b"_s;
        // The engine's own limit decides what is too large.
        sqlite3_limit(db::detail::sqliteHandle(forms::dm->ADOConnection1), SQLITE_LIMIT_LENGTH, 68 * 1024);
        for (const QString &path : QStringList{folder + u"/missing.pdf"_s, folder, u"/proc/self/mem"_s,
                                    writeFile(folder + u"/long.abcde"_s, "x"),
                                    writeFile(folder + u"/big"_s, QByteArray(8192, 'b'))}) {
            add(u"تصوير درخواست"_s, path);
            QVERIFY2(env->dialogs.lastMessage().contains(QDir::toNativeSeparators(path)), qPrintable(path));
            QCOMPARE(rowCount(*env, u"tavrelkol_pic"_s), 4);
            QCOMPARE(page->list().recordCount(), 0); // the purchase's rows of that description
            QCOMPARE(page->list().state(), db::Query::State::Browse);
        }
        add(u"تصوير درخواست"_s, writeFile(folder + u"/plain"_s, "x")); // the folder's dot plays no part
        QCOMPARE(env->scalar(u"select pictype from tavrelkol_pic where cmt='تصوير درخواست'"_s).toString(), QString());

        form->CheckBox1->click();
        form->cmt_src->setText(u"قرارداد"_s); // the other purchase's "تصوير قرارداد" not listed
        page->BitBtn1Click();
        QCOMPARE(textsOf(page->list(), u"cmt"_s), QStringList{u"تصوير قرارداد ي"_s});
        env->dialogs.reset();
        form->N1->trigger();
        QVERIFY(env->dialogs.shown.isEmpty());
        QCOMPARE(rowTexts(u"select tavrelkol_id from tavrelkol_pic where cmt like '%قرارداد%'"_s),
                 QStringList{QString::number(first + 1)});
    }

    // A binary file back byte for byte, an extension typed not added again; names made from hostile descriptions
    // stay in the chosen folder; an existing file is replaced on Yes only.
    void filesSavedOut()
    {
        QByteArray bytes(1536 * 1024, '\0');
        for (int i = 0; i < bytes.size(); i += 7)
            bytes[i] = char(i % 251);
        add(u"تصوير دوم"_s, writeFile(env->folder() + u"/پوشه من/فاکتور خريد.pdf"_s, bytes));
        const QString copy = env->folder() + u"/خروجي/نسخه.PDF"_s;
        env->dialogs.files.enqueue(writeFile(copy, "old"));
        page->DBGrid1CellClick();
        QCOMPARE(env->dialogs.shown.last().detail, u"تصوير دوم.pdf"_s);
        QCOMPARE(readFile(copy), bytes);
        QCOMPARE(env->openedFiles, QStringList{copy});

        env->exec(u"insert into tavrelkol_pic (tavrelkol_id, cmt, pictype, pic) values (?, '../x', '.pdf', 'new'), "
                  "(?, 'a/b', '/../e', 'two')"_s, {first, first});
        page->BitBtn1Click();
        const QString out = writeFile(env->folder() + u"/out/_x.pdf"_s, "old").chopped(7);
        QVERIFY(page->list().locate(u"cmt"_s, u"../x"_s));
        page->DBGrid1CellClick(); // cancelled: nothing written
        QCOMPARE(env->dialogs.shown.last().detail, u"_x.pdf"_s);
        for (const ui::Answer answer : {ui::Answer::No, ui::Answer::Yes}) {
            env->dialogs.files.enqueue(out + u"/_x"_s); // with its extension, a file that is there: asked
            env->dialogs.answers.enqueue(answer);
            page->DBGrid1CellClick();
            QCOMPARE(env->dialogs.shown.last().kind, u"ask"_s);
            QCOMPARE(readFile(out + u"/_x.pdf"_s), QByteArray(answer == ui::Answer::No ? "old" : "new"));
        }
        QVERIFY(page->list().locate(u"cmt"_s, u"a/b"_s));
        env->dialogs.files.enqueue(out + u"/n"_s);
        page->DBGrid1CellClick();
        QCOMPARE(env->dialogs.shown.last().detail, u"a_b_.._e"_s);
        QCOMPARE(QDir(out).entryList(QDir::Files), (QStringList{u"_x.pdf"_s, u"n_.._e"_s}));
    }
};

QTEST_MAIN(TestTavrelkolPic)
#include "tst_tavrelkol_pic.moc"
