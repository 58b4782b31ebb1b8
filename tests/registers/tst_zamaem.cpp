// The reference files: opening, descriptions with rules of their own, a click into the private folder, delete.
#include "platform/files.h"
#include "registers/zamaem_u.h"
#include "support/attachment_files.h"
#include "support/page_test.h"
#include "ui_zamaem_u.h"

using namespace Qt::StringLiterals;

class TestZamaem : public PageTest {
    Q_OBJECT
    Ui::Tzamaem *page = nullptr;

    void store(const QString &description, const QString &fileName)
    {
        addFile(*env, page->Combo_type, page->ins_btn, description, writeFile(env->folder() + u'/' + fileName, "x"));
    }

private slots:
    void init()
    {
        PageTest::init();
        page = forms::zamaem->ui.get();
        env->signInAs(5, u"reza"_s);
        env->setRights(5, u"zamaem"_s, {true, false, false, true});
        addRow(*env, u"zamaem"_s, {{u"cmt"_s, u"راهنما"_s}, {u"pictype"_s, u".pdf"_s}, {u"pic"_s, QByteArray("help")}});
        addRow(*env, u"zamaem"_s, {{u"cmt"_s, u"../x"_s}, {u"pictype"_s, u".pdf"_s}, {u"pic"_s, QByteArray("x")}});
        page->ramz->setText(u"old"_s);
        forms::main_->N4Click();
    }

    // Opened with the access code emptied; a click writes into the private folder, asking nothing; the delete.
    void openedClickedAndDeleted()
    {
        QCOMPARE(env->dialogs.shown.last().text + page->ramz->text(), u"zamaem"_s);
        QCOMPARE(comboItems(page->Combo_type), (QStringList{u"../x"_s, u"راهنما"_s}));
        page->Combo_type->setCurrentIndex(1);
        QCOMPARE(textsOf(forms::zamaem->list(), u"cmt"_s), QStringList{u"راهنما"_s});
        page->Combo_type->setEditText(u"../x"_s);
        forms::zamaem->DBGrid1CellClick();
        QCOMPARE(env->openedFiles, QStringList{platform::privateTempFolder() + u"/_x.pdf"_s});
        QCOMPARE(env->dialogs.shown.size(), 1);

        env->setRights(5, u"zamaem"_s, {false, false, true, true});
        forms::main_->N4Click();
        page->Combo_type->setEditText(u"راهنما"_s);
        page->N1->trigger();
        QCOMPARE(env->dialogs.lastMessage() + page->Combo_type->currentText(), u"حذف شدراهنما"_s);
        QVERIFY(forms::zamaem->list().isEmpty());
        QCOMPARE(rowTexts(u"select cmt from zamaem"_s), QStringList{u"../x"_s});
    }
    // One description may repeat; two take only their own extension, any case, and store the access code typed.
    void descriptionsWithRulesOfTheirOwn()
    {
        const QString signature = u"تصوير امضاء وام"_s, rebuilt = u"تصوير امضاء وام بازسازي"_s,
                      report = u"فايل گزارش باركد وام بازسازي"_s, saved = u"ثبت شد"_s;
        page->ramz->setText(u"1234"_s);
        for (const auto &[description, file] :
             {std::pair{signature, u"a.png"_s}, {signature, u"b.png"_s}, {u"راهنما"_s, u"c.pdf"_s},
              {rebuilt, u"s.jpeg"_s}, {rebuilt, u"s.Jpg"_s}, {report, u"r.RAV"_s}, {rebuilt, u"s.JPG"_s},
              {report, u"r.rav"_s}})
            store(description, file);
        const QString jpeg = u"خطا! پسوند تصاوير نمونه امضا مي بايست با فرمت مقابل باشد JPEG "_s;
        const QString rav = u"خطا! پسوند فايل گزارش مي بايست با فرمت مقابل باشد .rav "_s;
        QCOMPARE(env->dialogs.messages(),
                 (QStringList{saved, saved, u"شرح ضميمه تكراري است"_s, jpeg, jpeg, rav, saved, saved}));
        QCOMPARE(rowTexts(u"select cmt,pictype,ramz from zamaem where id>2"_s),
                 (QStringList{signature + u"|.png|1234"_s, signature + u"|.png|1234"_s, rebuilt + u"|.JPG|1234"_s,
                              report + u"|.rav|1234"_s}));
        QCOMPARE(forms::zamaem->list().recordCount(), 1); // the rows of the description just stored
    }
};

QTEST_MAIN(TestZamaem)
#include "tst_zamaem.moc"
