// Messages: sending to the ticked users, each user's list, marking read, the unread mark, the delete of "admin";
// the boxes and the recipients as they read.
#include "registers/message_text.h"
#include "registers/payam_u.h"
#include "support/drawn_text.h"
#include "support/page_test.h"
#include "ui_payam_u.h"
#include "unread_mark.h"

using namespace Qt::StringLiterals;

namespace {

Ui::Tpayam &page() { return *forms::payam->ui; }
db::Query &list() { return *forms::dm->ADOQ_payam; }

const QString twinItem = u"فارس*1*کارشناس*علي"_s; // the recipients' list item of both users named "علي"

void open()
{
    forms::payam->hide();
    forms::main_->ui->N17->trigger();
}

QString mark() { return forms::main_->ui->N17->text(); }

} // namespace

class TestPayam : public PageTest {
    Q_OBJECT
    qint64 reza = 0, twin1 = 0, twin2 = 0;

private slots:
    void init()
    {
        PageTest::init();
        const auto user = [&](const QString &us, const QString &name) {
            return addRow(*env, u"users"_s, {{u"us"_s, us}, {u"ostan"_s, u"فارس"_s}, {u"lev"_s, u"1"_s},
                                             {u"semat"_s, u"کارشناس"_s}, {u"nam"_s, name}});
        };
        reza = user(u"reza"_s, u"رضا"_s);
        twin1 = user(u"ali1"_s, u"علي"_s);
        twin2 = user(u"ali2"_s, u"علي"_s);
        env->signInAs(int(reza), u"reza"_s);
        forms::main_->setUnreadMark(false);
        open();
    }

    // A recipient needed; each ticked one gets it in the code page's bytes; a subject once a day; foreign text refused.
    void sendingGoesToEachTickedUser()
    {
        page().BitBtn1->click();
        QCOMPARE(page().prs_list->count(), 4); // every user, the administrator and the sender too
        for (QListWidgetItem *twin : page().prs_list->findItems(twinItem, Qt::MatchExactly))
            twin->setCheckState(Qt::Checked);
        page().mozo->setEditText(u"جلسه"_s);
        page().cmt->setPlainText(u"سلام\nفردا ساعت ۸"_s);
        page().BitBtn1->click();
        const QByteArray stored =
            QByteArray::fromHex(env->scalar(u"select hex(cmt) from payamha limit 1"_s).toByteArray());
        QCOMPARE(stored, message_text::encode(u"سلام\nفردا ساعت 8"_s));
        QCOMPARE(stored.left(5), QByteArray("\xD3\xE1\xC7\xE3\r"));
        page().BitBtn1->click();
        page().mozo->setEditText(u"ديگر"_s);
        page().BitBtn1->click();
        page().cmt->setPlainText(u"€ ok but ✓ not"_s);
        page().BitBtn1->click();
        const QString sent = u"ارسال انجام شد"_s;
        QCOMPARE(env->dialogs.messages(), (QStringList{u"گيرنده پيام را از فهرست گيرندگان تيك بزنيد"_s, sent, sent,
                                                       sent, u"حرف «✓» در «متن پيام جديد» قابل ثبت نيست"_s}));
        QStringList expected; // "recipient|sender|sent|read|subject"
        for (const QString &subject : {u"جلسه"_s, u"ديگر"_s})
            for (const qint64 to : {twin1, twin2})
                expected << u"%1|%2|%3||%4"_s.arg(to).arg(reza).arg(shamsiToday(), subject);
        QCOMPARE(rowTexts(u"select rec_prs_id,send_prs_id,send_dat,show_dat,mozo from payamha order by id"_s),
                 expected);
    }
    // The message boxes flow and align right to left whatever a message starts with; a recipient reads as its
    // parts run, empty ones included (the administrator's: no province, level "ostan").
    void boxesAndRecipientsReadInTheirDirection()
    {
        for (QPlainTextEdit *box : {page().cmt, page().DBMemo1}) {
            box->setPlainText(u"Hello سلام"_s);
            const QList<DrawnRun> line = drawnLine(box->viewport(), u"Hello"_s);
            QVERIFY2(line.size() == 2 && line.last().text == u"Hello"_s, qPrintable(box->objectName()));
            QVERIFY2(line.first().left > box->viewport()->width() / 2, qPrintable(box->objectName()));
        }
        QCOMPARE(drawnLeftToRight(page().prs_list->viewport(), u"ostan"_s), u"*ostan**"_s);
    }
    // Each reads their own, newest first; marking read; the unread mark from sign-in, cleared on close; admin deletes.
    void eachUserReadsTheirOwnAndTheMarkFollowsOnClose()
    {
        for (const auto &[from, to, date, subject] :
             {std::tuple{twin1, reza, u"1403/01/01"_s, u"old"_s}, {twin1, reza, u"1403/02/01"_s, u"new"_s},
              {reza, twin2, u"1403/03/01"_s, u"sent"_s}})
            addRow(*env, u"payamha"_s, {{u"send_prs_id"_s, from}, {u"rec_prs_id"_s, to}, {u"send_dat"_s, date},
                                        {u"show_dat"_s, u""_s}, {u"mozo"_s, subject},
                                        {u"cmt"_s, message_text::encode(u"متن"_s)}});
        messages::RefreshUnreadMark(messages::UnreadMark::SetOnly); // as the sign-in does
        QCOMPARE(mark(), u"پيام*"_s);

        open();
        QCOMPARE(textsOf(list(), u"mozo"_s), (QStringList{u"new"_s, u"old"_s})); // not the message to another user
        QCOMPARE(list().fieldByName(u"ferestande"_s).asString(), u"ali1"_s);
        list().setRecNo(2);
        QCOMPARE(page().DBMemo1->toPlainText(), u"متن"_s);
        page().N6->trigger(); // the sender
        page().N1->trigger();
        list().first();
        page().N1->trigger();
        QCOMPARE(env->scalar(u"select count(*) from payamha where show_dat=?"_s, {shamsiToday()}).toInt(), 2);
        QCOMPARE(mark(), u"پيام*"_s); // the mark changes when the page closes
        page().N3->trigger();
        forms::payam->close();
        QCOMPARE(mark(), u"پيام"_s);
        messages::RefreshUnreadMark(messages::UnreadMark::SetOnly);
        QCOMPARE(mark(), u"پيام"_s);

        env->signInAs(1, u"admin"_s);
        open();
        QCOMPARE(list().recordCount(), 3);
        QVERIFY(page().girande->isEnabled());
        page().N2->trigger(); // the recipient
        page().N3->trigger();
        QCOMPARE(env->dialogs.messages(), (QStringList{twinItem, u"حذف فقط توسط مدير سيستم قابل انجام است"_s, twinItem,
                                                       u"حذف شد"_s}));
        QCOMPARE(list().recordCount(), 2);
    }
};

QTEST_MAIN(TestPayam)
#include "tst_payam.moc"
