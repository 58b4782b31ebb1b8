#pragma once
// What the workbook writers share: a workbook written row by row, the rows of a list taken as they are read,
// and texts handed over as the writer's UTF-8.
#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <xlsxwriter.h>

namespace db {
class Query;
}
namespace ui {
class Progress;
}

namespace excel {

// The error of a workbook that could not be written, naming the file and the reason.
QString failure(const QString &path, const QString &reason);
// Throws db::Error naming the file when the writer reports an error.
void check(lxw_error error, const QString &path);

// A workbook in libxlsxwriter's constant-memory mode: each row goes to a scratch file of the program's private
// temporary folder as soon as the next one starts, so rows must come in order and the sheet is never whole in
// memory. It is freed unwritten when the export stops (an error, a cancel) before close().
class StreamedWorkbook {
public:
    explicit StreamedWorkbook(const QString &path);
    ~StreamedWorkbook();
    StreamedWorkbook(const StreamedWorkbook &) = delete;
    StreamedWorkbook &operator=(const StreamedWorkbook &) = delete;

    lxw_workbook *get() const { return book_; }
    lxw_worksheet *addRightToLeftSheet(const char *name);
    void close(); // writes the file

private:
    QString path_;
    QByteArray scratchFolder_; // the writer keeps a pointer to it
    lxw_workbook *book_ = nullptr;
};

// The total a progress of the list's rows starts with: its rows when every one is read, else 0 (unknown).
int knownRows(const db::Query &list);

// Whether the list has a row at this 0-based index. A list still being read is read on a slice at a time, so
// a long list is written as it is read, never read whole first; once its last row is read, the progress (if
// any) learns the total.
bool hasRow(db::Query &list, int row, ui::Progress *progress);

// Texts made the NUL-terminated UTF-8 the writer takes, in one buffer used again for each.
class Utf8 {
public:
    const char *operator()(QStringView text);

private:
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    QByteArray buffer_;
};

} // namespace excel
