// Messages: the list of "admin" and of others, sending to the ticked users (by id, so twins get their own),
// the same subject sent once a day, text the code page cannot hold, marking read, the unread mark that the
// sign-in sets and closing the page sets or clears, and the delete of "admin".
#include "persian/Dates.h"
#include "main_u.h"
#include "registers/message_text.h"
#include "registers/payam_u.h"
#include "support/page_test.h"
#include "ui_main_u.h"
#include "ui_payam_u.h"
#include "unread_mark.h"

using namespace Qt::StringLiterals;

namespace {

Ui::Tpayam &page() { return *forms::payam->ui; }
db::Query &list() { return *forms::dm->ADOQ_payam; }

void tick(const QString &text, int which = 0)
{
    const QList<QListWidgetItem *> items = page().prs_list->findItems(text, Qt::MatchExactly);
    QVERIFY(items.size() > which);
    items[which]->setCheckState(Qt::Checked);
}

void open()
{
    forms::payam->hide();
    forms::main_->ui->N17->trigger();
}

} // namespace

class TestPayam : public PageTest {
    Q_OBJECT
    qint64 reza = 0, twin1 = 0, twin2 = 0;

    QString mark() const { return forms::main_->ui->N17->text(); }
    int messagesTo(qint64 id) { return env->scalar(u"select count(*) from payamha where rec_prs_id=?"_s, {id}).toInt(); }

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

    void sendingGoesToEachTickedUser()
    {
        page().BitBtn1->click();
        QVERIFY(env->dialogs.lastMessage().contains(u"گيرنده"_s)); // nothing ticked
        QCOMPARE(page().prs_list->count(), 4); // every user, the administrator and the sender too
        tick(u"فارس*1*کارشناس*علي"_s, 0);
        tick(u"فارس*1*کارشناس*علي"_s, 1);
        page().mozo->setEditText(u"جلسه"_s);
        page().cmt->setPlainText(u"سلام\nفردا ساعت ۸"_s);
        page().BitBtn1->click();
        QCOMPARE(env->dialogs.lastMessage(), u"ارسال انجام شد"_s);
        QCOMPARE(messagesTo(twin1), 1);
        QCOMPARE(messagesTo(twin2), 1);
        // The text in the code page's bytes, with the memo's line breaks.
        const QByteArray stored = QByteArray::fromHex(env->scalar(u"select hex(cmt) from payamha limit 1"_s).toByteArray());
        QCOMPARE(stored, message_text::encode(u"سلام\nفردا ساعت 8"_s));
        QCOMPARE(stored.left(5), QByteArray("\xD3\xE1\xC7\xE3\r"));
        QCOMPARE(env->scalar(u"select send_prs_id||'|'||send_dat||'|'||show_dat from payamha limit 1"_s).toString(),
                 QString::number(reza) + u'|' + shamsiToday() + u'|');

        page().BitBtn1->click(); // the same subject the same day: not again
        QCOMPARE(messagesTo(twin1), 1);
        page().mozo->setEditText(u"ديگر"_s);
        page().BitBtn1->click();
        QCOMPARE(messagesTo(twin1), 2);

        page().cmt->setPlainText(u"€ ok but ✓ not"_s);
        page().BitBtn1->click();
        QCOMPARE(env->dialogs.lastMessage(), u"حرف «✓» در «متن پيام جديد» قابل ثبت نيست"_s);
        QCOMPARE(rowCount(*env, u"payamha"_s), 4);
    }
    void eachUserReadsTheirOwnAndTheMarkFollowsOnClose()
    {
        addRow(*env, u"payamha"_s, {{u"send_prs_id"_s, twin1}, {u"rec_prs_id"_s, reza}, {u"send_dat"_s, u"1403/01/01"_s},
                                    {u"show_dat"_s, u""_s}, {u"mozo"_s, u"old"_s}, {u"cmt"_s, message_text::encode(u"متن"_s)}});
        addRow(*env, u"payamha"_s, {{u"send_prs_id"_s, twin1}, {u"rec_prs_id"_s, reza}, {u"send_dat"_s, u"1403/02/01"_s},
                                    {u"show_dat"_s, u""_s}, {u"mozo"_s, u"new"_s}});
        addRow(*env, u"payamha"_s, {{u"send_prs_id"_s, reza}, {u"rec_prs_id"_s, twin2}, {u"send_dat"_s, u"1403/03/01"_s}});
        messages::RefreshUnreadMark(messages::UnreadMark::SetOnly); // as the sign-in does
        QCOMPARE(mark(), u"پيام*"_s);

        open();
        QCOMPARE(list().recordCount(), 2); // not the message to another user
        QCOMPARE(list().fieldByName(u"mozo"_s).asString(), u"new"_s); // newest first
        QCOMPARE(list().fieldByName(u"ferestande"_s).asString(), u"ali1"_s);
        list().setRecNo(2);
        QCOMPARE(page().DBMemo1->toPlainText(), u"متن"_s);
        QVERIFY(page().DBMemo1->isReadOnly());

        page().N6->trigger();
        QCOMPARE(env->dialogs.lastMessage(), u"فارس*1*کارشناس*علي"_s);
        page().N1->trigger();
        list().first();
        page().N1->trigger();
        QCOMPARE(env->scalar(u"select count(*) from payamha where show_dat=?"_s, {shamsiToday()}).toInt(), 2);
        QCOMPARE(mark(), u"پيام*"_s); // the mark changes when the page closes
        page().N3->trigger();
        QCOMPARE(env->dialogs.lastMessage(), u"حذف فقط توسط مدير سيستم قابل انجام است"_s);
        forms::payam->close();
        QCOMPARE(mark(), u"پيام"_s);
        messages::RefreshUnreadMark(messages::UnreadMark::SetOnly);
        QCOMPARE(mark(), u"پيام"_s);

        // The administrator sees every message and alone deletes.
        env->signInAs(1, u"admin"_s);
        open();
        QCOMPARE(list().recordCount(), 3);
        QVERIFY(page().girande->isEnabled());
        page().N2->trigger();
        QCOMPARE(env->dialogs.lastMessage(), u"فارس*1*کارشناس*علي"_s);
        page().N3->trigger();
        QCOMPARE(env->dialogs.lastMessage(), u"حذف شد"_s);
        QCOMPARE(list().recordCount(), 2);
    }
};

QTEST_MAIN(TestPayam)
#include "tst_payam.moc"
