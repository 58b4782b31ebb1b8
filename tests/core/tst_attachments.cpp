// The attachment forms of a record, each opened by the command of the page that lists the record: the
// record's files alone, saved and opened by anyone who may view the page; adding and deleting only by the
// page's insert and delete rights.
#include "pagekit/picture_store.h"
#include "support/attachment_files.h"
#include "support/page_test.h"
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>

using namespace Qt::StringLiterals;

namespace {

// A record's attachment form (its description "cmt", add "image1_btn" and delete "N1") and the page that
// lists the records: its rights key, its search, its list and its attachments command, by name.
struct Member {
    QString key, owner;
    QVariantMap record; // what the page needs to list a record
    QString table, parentColumn, page, search;
    db::Query *Tdm::*list;
    QString command;
};

const QList<Member> &members()
{
    static const QList<Member> all{
        {u"tavrelkol"_s, u"tavrelkol"_s, {{u"cmt"_s, u"x"_s}}, u"tavrelkol_pic"_s, u"tavrelkol_id"_s,
         u"tavrelkol_src"_s, u"src_btn"_s, &Tdm::ADOQ_tavrel, u"N6"_s},
        {u"estelam"_s, u"estelam"_s, {{u"cmt"_s, u"x"_s}}, u"estelam_pic"_s, u"estelam_id"_s, u"estelam_src"_s,
         u"src_btn"_s, &Tdm::ADOQ_estelam, u"N6"_s},
        {u"faktor"_s, u"chek"_s, {{u"salemali"_s, u"1403"_s}}, u"faktor_pic"_s, u"faktor_id"_s, u"chek_src"_s,
         u"BitBtn1"_s, &Tdm::ADOQ_chek, u"N14"_s},
    };
    return all;
}

} // namespace

class TestAttachments : public PageTest {
    Q_OBJECT

private slots:
    void followTheListingPagesRights_data()
    {
        QTest::addColumn<int>("at");
        for (int at = 0; at < members().size(); ++at)
            QTest::newRow(qPrintable(members().at(at).table)) << at;
    }
    void followTheListingPagesRights()
    {
        QFETCH(int, at);
        const Member &m = members().at(at);
        const int viewer = 5;
        env->signInAs(viewer, u"sara"_s);
        env->setRights(viewer, m.key, {false, false, false, true});
        const qint64 record = addRow(*env, m.owner, m.record);
        addRow(*env, m.owner, m.record);
        addRow(*env, m.table, {{m.parentColumn, record}, {u"cmt"_s, u"نامه"_s}, {u"pictype"_s, u".txt"_s},
                               {u"pic"_s, QByteArray("bytes")}});
        addRow(*env, m.table, {{m.parentColumn, record + 1}, {u"cmt"_s, u"other"_s}});

        auto &form = *static_cast<attachments::PictureStore *>(formNamed(m.table));
        auto *description = form.findChild<QComboBox *>(u"cmt"_s);
        auto *add = form.findChild<QAbstractButton *>(u"image1_btn"_s);
        auto *remove = form.findChild<QAction *>(u"N1"_s);
        const auto open = [&] { onRow(formNamed(m.page), m.search, *(forms::dm->*m.list), record, m.command); };

        // A viewer: the record's file listed, saved and opened; no add, no delete.
        open();
        QCOMPARE(env->dialogs.shown.last().text, m.table);
        QCOMPARE(form.list().recordCount(), 1);
        QVERIFY(!add->isEnabled() && !remove->isEnabled());
        remove->trigger();
        env->dialogs.files.enqueue(env->folder() + u"/copy"_s);
        form.DBGrid1CellClick();
        QCOMPARE(env->openedFiles, QStringList{env->folder() + u"/copy.txt"_s});
        QCOMPARE(readFile(env->openedFiles.first()), QByteArray("bytes"));

        // The insert and delete rights: a file added to the record, then deleted.
        env->setRights(viewer, m.key, {true, false, true, true});
        open();
        QVERIFY(add->isEnabled() && remove->isEnabled());
        addFile(*env, description, add, u"قرارداد"_s, writeFile(env->folder() + u"/c.pdf"_s, "pdf"));
        QCOMPARE(rowTexts(u"select "_s + m.parentColumn + u" from "_s + m.table + u" where cmt='قرارداد'"_s),
                 QStringList{QString::number(record)});
        remove->trigger();
        QCOMPARE(rowCount(*env, m.table), 2);
    }
};

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
