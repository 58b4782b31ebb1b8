#pragma once
// The attachments family: files kept whole in the database, one row per file under a description, beside the
// record they document (a purchase, a price inquiry, an invoice) or under no record (the reference files).
// A member form builds its layout and configures this base with its table, owner column, query and grid,
// where the repeat check runs and what a click on a stored file does. The base adds a file (both description
// checks, the open dialog, the file checked and read, the row written, the list read again, "ثبت شد"), saves
// a stored file and opens it, and deletes the current row. A record's files follow the rights of the page
// that lists the record: anyone who may view it lists and saves them, its insert right adds one, its delete
// right deletes one.
#include "db/query.h"
#include "pagekit/grid.h"
#include "pagekit/listpage.h"
#include "pagekit/page.h"
#include "pagekit/row_exists.h"
#include <QList>
#include <QString>
#include <functional>
#include <utility>

class QAbstractButton;
class QAction;
class QComboBox;
class QMenu;
class QTableView;

namespace attachments {

// Where the repeat check of a description runs.
enum class RepeatCheck {
    GeneralQuery, // the data module's ADOQuery1: the grid keeps the record's rows
    OwnQuery,     // the form's own query: the grid then shows the rows of that description (reference files)
};

struct Member {
    db::Query *query = nullptr;   // the form's query, which its grid shows
    QString table;                // e.g. tavrelkol_pic
    QString parentColumn;         // the owning record's id, e.g. tavrelkol_id; empty: the rows belong to none
    QString rightsKey;            // the rights of the page that lists the owning records, e.g. tavrelkol
    RepeatCheck repeatCheck = RepeatCheck::GeneralQuery;
    // Ticked: a file saved from the grid is then opened. None: a click writes the file, with no dialog, into
    // the private temporary folder and opens it (the reference files).
    QAbstractButton *openAfterSave = nullptr;
    // A description that may be stored more than once (optional).
    std::function<bool(const QString &description)> mayRepeat;
    // The member's own refusals of a chosen file by description and extension, before it is read (optional).
    std::function<void(const QString &description, const QString &extension)> checkChosenFile;
    // More columns stored from controls' texts as typed (the reference files' access code).
    QList<std::pair<QString, QWidget *>> moreColumns;
};

struct Controls {
    QComboBox *description = nullptr; // cmt: typed or picked
    QAbstractButton *add = nullptr;   // image1_btn
    QTableView *grid = nullptr;       // DBGrid1
    QMenu *popup = nullptr;           // PopupMenu1
    QAction *remove = nullptr;        // N1
};

inline const QString repeatedText = QStringLiteral("شرح ضميمه تكراري است");
inline const QString emptyText = QStringLiteral("خطا، ابتدا شرح ضميمه را وارد نماييد");

class PictureStore : public pagekit::Page {
    Q_OBJECT
public:
    // A record's list command: the adding and deleting commands set by the listing page's rights (read
    // afresh; without its view right the form is refused), the description emptied, the record's files
    // listed, the form shown modally.
    void openFor(qint64 parentId);
    db::Query &list() const { return *member_.query; }

    void image1_btnClick();   // add a file under the description
    void DBGrid1CellClick();  // save the clicked row's file where the user chooses, and open it
    virtual void N1Click();   // delete the current row at once, without a question

protected:
    explicit PictureStore(QWidget *parent = nullptr);
    // Called by the member once its layout is built: wires the commands and shows the query in the grid.
    void setUp(Member member, Controls controls, const QVector<pagekit::Column> &columns);
    // setUp for the members whose files belong to a record: the grid shows the description (of the width
    // given; 0: fitted) and the type, the ids hidden; the repeat check runs on the general query.
    void setUpRecordFiles(db::Query *query, const QString &table, const QString &parentColumn,
                          const QString &rightsKey, QAbstractButton *openAfterSave, const Controls &controls,
                          int descriptionWidth = 0);
    // Lists the record's rows (the rows of the whole table when there is no record), narrowed by the lines.
    void listRows(const listpage::FilterLines &lines = {});

private:
    QList<pagekit::Match> matches(const QString &description) const;
    bool mayRepeat(const QString &description) const;
    bool repeated(const QString &description);
    qint64 insertFile(const QString &description, const QString &extension, const QByteArray &bytes);
    void showPopup(const QPoint &pos);

    Member member_;
    Controls controls_;
    qint64 parentId_ = 0;
};

} // namespace attachments
