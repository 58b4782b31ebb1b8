// The invoices' attachments: the register's opening step, an add, a save with the opening box unticked, and
// a delete.
#include "forms.h"
#include "invoices/faktor_pic_u.h"
#include "support/attachment_files.h"
#include "support/register_rows.h"
#include "support/testenv.h"
#include "ui_faktor_pic_u.h"
#include <QTest>

using namespace Qt::StringLiterals;

class TestFaktorPic : public QObject {
    Q_OBJECT

private slots:
    void addSaveAndDelete()
    {
        TestEnv env;
        Ui::Tfaktor_pic &form = *forms::faktor_pic->ui;
        addRow(env, u"faktor_pic"_s, {{u"faktor_id"_s, 40}, {u"cmt"_s, u"تصوير فاکتور"_s}});
        openInvoiceAttachments(41);
        QCOMPARE(env.dialogs.shown.last().text, u"faktor_pic"_s);
        QVERIFY(forms::faktor_pic->list().isEmpty());

        addFile(env, form.cmt, form.image1_btn, u"تصوير فاکتور"_s, writeFile(env.folder() + u"/f.png"_s, "png"));
        QCOMPARE(env.scalar(u"select faktor_id||pictype||pic from faktor_pic where id<>1"_s).toString(),
                 u"41.pngpng"_s);
        form.CheckBox1->setChecked(false);
        env.dialogs.files.enqueue(env.folder() + u"/copy"_s);
        forms::faktor_pic->DBGrid1CellClick();
        QCOMPARE(readFile(env.folder() + u"/copy.png"_s), QByteArray("png"));
        QVERIFY(env.openedFiles.isEmpty());

        form.N1->trigger();
        QCOMPARE(rowCount(env, u"faktor_pic"_s), 1);
    }
};

QTEST_MAIN(TestFaktorPic)
#include "tst_faktor_pic.moc"
