// The invoices' attachments: the register's attachments command, an add, a save with the opening box unticked,
// and a delete.
#include "forms.h"
#include "invoices/faktor_pic_u.h"
#include "invoices/src_chek_u.h"
#include "ui/control_text.h"
#include "ui_src_chek_u.h"
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
        const qint64 invoice = addRow(env, u"chek"_s, {{u"mozo"_s, u"خريد"_s}, {u"salemali"_s, u"1403"_s}});
        addRow(env, u"faktor_pic"_s, {{u"faktor_id"_s, invoice + 1}, {u"cmt"_s, u"تصوير فاکتور"_s}});
        ui::setControlText(forms::chek_src->ui->salemali, u"1403"_s);
        forms::chek_src->BitBtn1Click();
        forms::chek_src->N14Click();
        QCOMPARE(env.dialogs.shown.last().text, u"faktor_pic"_s);
        QVERIFY(forms::faktor_pic->list().isEmpty());

        addFile(env, form.cmt, form.image1_btn, u"تصوير فاکتور"_s, writeFile(env.folder() + u"/f.png"_s, "png"));
        QCOMPARE(env.scalar(u"select faktor_id||pictype||pic from faktor_pic where id<>1"_s).toString(),
                 QString::number(invoice) + u".pngpng"_s);
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
