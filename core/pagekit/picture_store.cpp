#include "pagekit/commands.h"
#include "pagekit/picture_store.h"
#include "page_rights.h"
#include "pagekit/chosen_file.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "persian/persian_text.h"
#include "platform/files.h"
#include "ui/busy.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/left_to_right_column.h"
#include "ui/refusal.h"
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace attachments {

namespace {

// The `cmt` column of every attachment table holds 150 characters.
constexpr int descriptionLength = 150;

} // namespace

PictureStore::PictureStore(QWidget *parent) : pagekit::Page(parent) {}

void PictureStore::setUp(Member member, Controls controls, const QVector<pagekit::Column> &columns)
{
    member_ = std::move(member);
    controls_ = controls;
    // The file bytes are never a grid column: a hidden column would still be measured for its width.
    const db::QueryModel *model = pagekit::setupGrid(controls_.grid, list(), columns);
    ui::drawLeftToRight(controls_.grid, model->columnOfField(u"pictype"_s));
    controls_.description->lineEdit()->setMaxLength(descriptionLength);

    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(controls_.add, Right::Insert, &PictureStore::image1_btnClick)
        .add(controls_.remove, Right::Delete, &PictureStore::N1Click, Needs::CurrentRow);
    ui::connectGuarded(controls_.grid, &QTableView::clicked, this, &PictureStore::DBGrid1CellClick);
    ui::connectGuarded(controls_.grid, &QWidget::customContextMenuRequested, this, &PictureStore::showPopup);
}

void PictureStore::setUpRecordFiles(db::Query *query, const QString &table, const QString &parentColumn,
                                    const QString &rightsKey, RepeatCheck repeatCheck,
                                    QAbstractButton *openAfterSave, const Controls &controls, int descriptionWidth)
{
    Member member;
    member.query = query;
    member.table = table;
    member.parentColumn = parentColumn;
    member.rightsKey = rightsKey;
    member.repeatCheck = repeatCheck;
    member.openAfterSave = openAfterSave;
    setUp(std::move(member), controls,
          {{u"id"_s, u"id"_s, 0, true},
           {u"cmt"_s, u"شرح مدرک"_s, descriptionWidth},
           {u"pictype"_s, u"فرمت تصوير"_s, 0, false, Qt::AlignCenter},
           {parentColumn, parentColumn, 0, true}});
}

void PictureStore::openFor(qint64 parentId)
{
    if (!rights::CheckPageRights(member_.rightsKey,
                                 [this](const rights::Granted &granted) { commands()->apply(granted); }))
        return;
    parentId_ = parentId;
    ui::setControlText(controls_.description, QString());
    listRows();
    ui::dialogs().showModal(this);
}

void PictureStore::listRows(const listpage::FilterLines &lines)
{
    const ui::BusyCursor busy;
    db::Query &rows = list();
    rows.clear();
    rows.add(u"select * from "_s + member_.table + u" where id<>-1 "_s);
    if (!member_.parentColumn.isEmpty())
        rows.add(u" and "_s + member_.parentColumn + u"=?"_s, parentId_);
    lines.addTo(rows);
    rows.open();
}

QList<pagekit::Match> PictureStore::matches(const QString &description) const
{
    QList<pagekit::Match> matches{{u"cmt"_s, description}};
    if (!member_.parentColumn.isEmpty())
        matches.append({member_.parentColumn, parentId_});
    return matches;
}

bool PictureStore::repeated(const QString &description)
{
    bool found = false;
    if (member_.repeatCheck == RepeatCheck::OwnQuery) {
        // The check's rows stay on show: the rows of this description.
        db::Query &rows = list();
        rows.clear();
        rows.add(u"select * from "_s + member_.table + u" where id<>-1"_s);
        for (const pagekit::Match &match : matches(description))
            rows.add(u" and "_s + match.column + u"=?"_s, match.value);
        rows.open();
        found = !rows.isEmpty();
    } else {
        found = pagekit::rowExists(member_.table, matches(description));
    }
    return found && !mayRepeat(description);
}

bool PictureStore::mayRepeat(const QString &description) const
{
    return member_.mayRepeat && member_.mayRepeat(description);
}

void PictureStore::image1_btnClick()
{
    const QString description = text::storedText(controls_.description->currentText());
    // Both checks run, so both messages can show.
    const bool isRepeated = repeated(description);
    if (description.isEmpty()) {
        if (isRepeated)
            ui::showMessage(repeatedText);
        throw ui::Refusal(emptyText, controls_.description);
    }
    if (isRepeated)
        throw ui::Refusal(repeatedText, controls_.description);

    const QString path = ui::dialogs().openFile(QString(), QString());
    if (path.isEmpty())
        return;
    const QString extension = fileExtension(path);
    if (member_.checkChosenFile)
        member_.checkChosenFile(description, extension);
    {
        const ui::BusyCursor busy;
        // The file's bytes are let go once stored, before the list is read again with them.
        const qint64 id =
            insertFile(description, extension, readChosenFile(path, list().connection(), controls_.add));
        db::Query &rows = list();
        if (rows.active())
            rows.refresh();
        else
            listRows();
        rows.locate(u"id"_s, id);
    }
    ui::showMessage(u"ثبت شد"_s);
}

qint64 PictureStore::insertFile(const QString &description, const QString &extension, const QByteArray &bytes)
{
    qint64 id = 0;
    pagekit::inWriteTransaction([&] {
        // Another user may have stored the description since it was checked.
        if (!mayRepeat(description) && pagekit::rowExists(member_.table, matches(description)))
            throw ui::Refusal(repeatedText, controls_.description);
        // A row of its own: the form's list never holds a row that is not stored.
        db::Query row(list().connection(), u"newAttachment"_s);
        row.setDeclaredFields(list().declaredFields());
        row.add(u"select * from "_s + member_.table + u" where id=-1"_s);
        row.open();
        db::writeRow(row, db::Query::State::Insert, [&](db::Query &r) {
            if (!member_.parentColumn.isEmpty())
                r[member_.parentColumn].setValue(parentId_);
            r[u"cmt"_s].setValue(description);
            r[u"pictype"_s].setValue(extension);
            r[u"pic"_s].setValue(bytes);
            for (const auto &[column, control] : std::as_const(member_.moreColumns))
                r[column].setValue(ui::controlText(control));
        });
        id = row[u"id"_s].asInteger();
    });
    return id;
}

void PictureStore::DBGrid1CellClick()
{
    db::Query &rows = list();
    if (!pagekit::hasCurrentRow(rows))
        return;
    // A stored description is no safe file name as it stands ("../x", "a/b"): names are cleaned.
    const QString name = rows[u"cmt"_s].asString() + rows[u"pictype"_s].asString();
    if (!member_.openAfterSave) {
        QString path;
        {
            const ui::BusyCursor busy;
            path = platform::writeTempFile(name, rows[u"pic"_s].asBytes());
        }
        platform::openOrTell(path);
        return;
    }
    const QString chosen = ui::dialogs().saveFile(QString(), QString(), platform::cleanFileName(name));
    if (chosen.isEmpty())
        return;
    const QString path = platform::writeChosenFile(chosen, rows[u"pictype"_s].asString(), rows[u"pic"_s].asBytes());
    if (!path.isEmpty() && member_.openAfterSave->isChecked())
        platform::openOrTell(path);
}

void PictureStore::N1Click()
{
    // At once: no question, no message.
    pagekit::deleteCurrentRow(list(), pagekit::withoutQuestion(false));
}

void PictureStore::showPopup(const QPoint &pos)
{
    if (commands()->allows(controls_.remove))
        controls_.popup->popup(controls_.grid->viewport()->mapToGlobal(pos));
}

} // namespace attachments
