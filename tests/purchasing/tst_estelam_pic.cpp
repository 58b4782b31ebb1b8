// The price inquiries' attachments: the list's attachments command, an add, a save that opens the file, and
// a delete.
#include "forms.h"
#include "dm_u.h"
#include "purchasing/estelam_pic_u.h"
#include "purchasing/estelam_src_u.h"
#include "support/attachment_files.h"
#include "support/register_rows.h"
#include "support/testenv.h"
#include "ui_estelam_pic_u.h"
#include <QTest>

using namespace Qt::StringLiterals;

class TestEstelamPic : public QObject {
    Q_OBJECT

private slots:
    void addSaveAndDelete()
    {
        TestEnv env;
        Ui::Testelam_pic &form = *forms::estelam_pic->ui;
        const qint64 inquiry = addRow(env, u"estelam"_s, {{u"onvan"_s, u"خريد کاغذ"_s}});
        addRow(env, u"estelam_pic"_s, {{u"estelam_id"_s, inquiry + 1}, {u"cmt"_s, u"نامه"_s}});
        form.cmt->setEditText(u"old"_s);
        forms::estelam_src->src_btnClick();
        forms::estelam_src->N6Click();
        QCOMPARE(env.dialogs.shown.last().text + form.cmt->currentText(), u"estelam_pic"_s);

        addFile(env, form.cmt, form.image1_btn, u"نامه"_s, writeFile(env.folder() + u"/letter.jpg"_s, "jpeg"));
        QCOMPARE(env.dialogs.lastMessage(), u"ثبت شد"_s);
        env.dialogs.files.enqueue(env.folder() + u"/back"_s);
        forms::estelam_pic->DBGrid1CellClick();
        QCOMPARE(readFile(env.folder() + u"/back.jpg"_s), QByteArray("jpeg"));
        QCOMPARE(env.openedFiles, QStringList{env.folder() + u"/back.jpg"_s});

        form.N1->trigger();
        QCOMPARE(env.scalar(u"select group_concat(estelam_id) from estelam_pic"_s).toLongLong(), inquiry + 1);
    }
};

QTEST_MAIN(TestEstelamPic)
#include "tst_estelam_pic.moc"
