// The attachment forms of a record, each opened by the command of the page that lists the record: the
// record's files alone, saved and opened by anyone who may view the page; adding and deleting only by the
// page's insert and delete rights.
#include "invoices/faktor_pic_u.h"
#include "invoices/src_chek_u.h"
#include "purchasing/estelam_pic_u.h"
#include "purchasing/estelam_src_u.h"
#include "purchasing/tavrelkol_pic_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/attachment_files.h"
#include "support/page_test.h"
#include "ui_src_chek_u.h"
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>

using namespace Qt::StringLiterals;

namespace {

// A record's attachment form (its description "cmt", add "image1_btn" and delete "N1") and the page that
// lists the records: its rights key, its search, its list and its attachments command.
struct Member {
    QString key, owner, table, parentColumn;
    std::function<void()> search;
    db::Query *Tdm::*list;
    std::function<void()> command;
    std::function<attachments::PictureStore *()> form;
};

const QList<Member> &members()
{
    static const QList<Member> all{
        {u"tavrelkol"_s, u"tavrelkol"_s, u"tavrelkol_pic"_s, u"tavrelkol_id"_s,
         [] { forms::tavrelkol_src->src_btnClick(); }, &Tdm::ADOQ_tavrel, [] { forms::tavrelkol_src->N6Click(); },
         []() -> attachments::PictureStore * { return forms::tavrelkol_pic; }},
        {u"estelam"_s, u"estelam"_s, u"estelam_pic"_s, u"estelam_id"_s, [] { forms::estelam_src->src_btnClick(); },
         &Tdm::ADOQ_estelam, [] { forms::estelam_src->N6Click(); },
         []() -> attachments::PictureStore * { return forms::estelam_pic; }},
        {u"faktor"_s, u"chek"_s, u"faktor_pic"_s, u"faktor_id"_s,
         [] {
             if (forms::chek_src->ui->salemali->isEnabled()) // every year
                 Q_EMIT forms::chek_src->ui->Label18->clicked();
             forms::chek_src->BitBtn1Click();
         },
         &Tdm::ADOQ_chek, [] { forms::chek_src->N14Click(); },
         []() -> attachments::PictureStore * { return forms::faktor_pic; }},
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
        const qint64 record = addRow(*env, m.owner, {{u"cmt"_s, u"this"_s}});
        addRow(*env, m.owner, {{u"cmt"_s, u"other"_s}});
        addRow(*env, m.table,
               {{m.parentColumn, record},
                {u"cmt"_s, u"نامه"_s},
                {u"pictype"_s, u".txt"_s},
                {u"pic"_s, QByteArray("bytes")}});
        addRow(*env, m.table, {{m.parentColumn, record + 1}, {u"cmt"_s, u"other"_s}});

        attachments::PictureStore &form = *m.form();
        auto *description = form.findChild<QComboBox *>(u"cmt"_s);
        auto *add = form.findChild<QAbstractButton *>(u"image1_btn"_s);
        auto *remove = form.findChild<QAction *>(u"N1"_s);
        const auto open = [&] { onRow(m.search, *(forms::dm->*m.list), record, m.command); };

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
        QCOMPARE(env->scalar(u"select count(*) from "_s + m.table + u" where cmt='قرارداد' and "_s + m.parentColumn +
                                 u"=?"_s,
                             {record})
                     .toInt(),
                 1);
        remove->trigger();
        QCOMPARE(rowCount(*env, m.table), 2);
    }
};

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
