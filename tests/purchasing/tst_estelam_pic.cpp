// The price inquiries' attachments: the list command's opening step, an add, a save that opens the file, and
// a delete.
#include "forms.h"
#include "purchasing/estelam_pic_u.h"
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
        addRow(env, u"estelam_pic"_s, {{u"estelam_id"_s, 8}, {u"cmt"_s, u"نامه"_s}});
        form.cmt->setEditText(u"old"_s);
        openInquiryAttachments(7);
        QCOMPARE(env.dialogs.shown.last().text + form.cmt->currentText(), u"estelam_pic"_s);

        addFile(env, form.cmt, form.image1_btn, u"نامه"_s, writeFile(env.folder() + u"/letter.jpg"_s, "jpeg"));
        QCOMPARE(env.dialogs.lastMessage(), u"ثبت شد"_s);
        env.dialogs.files.enqueue(env.folder() + u"/back"_s);
        forms::estelam_pic->DBGrid1CellClick();
        QCOMPARE(readFile(env.folder() + u"/back.jpg"_s), QByteArray("jpeg"));
        QCOMPARE(env.openedFiles, QStringList{env.folder() + u"/back.jpg"_s});

        form.N1->trigger();
        QCOMPARE(env.scalar(u"select group_concat(estelam_id) from estelam_pic"_s).toString(), u"8"_s);
    }
};

QTEST_MAIN(TestEstelamPic)
#include "tst_estelam_pic.moc"
