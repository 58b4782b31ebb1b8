#include "export/xlsx_book.h"
#include "db/error.h"
#include "db/query.h"
#include "platform/files.h"
#include "ui/progress.h"
#include <QFile>
#include <utility>

using namespace Qt::StringLiterals;

namespace excel {

namespace {

// Rows read at a time from a list still being read.
constexpr int readSlice = 4096;

} // namespace

QString failure(const QString &path, const QString &reason)
{
    return u"فايل اکسل نوشته نشد: "_s + path + u" ("_s + reason + u')';
}

void check(lxw_error error, const QString &path)
{
    if (error != LXW_NO_ERROR)
        throw db::Error(failure(path, QString::fromUtf8(lxw_strerror(error))));
}

StreamedWorkbook::StreamedWorkbook(const QString &path)
    : path_(path), scratchFolder_(QFile::encodeName(platform::privateTempFolder()))
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    // Not the system's shared folder: the scratch files hold the list's data.
    options.tmpdir = scratchFolder_.data();
    book_ = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!book_)
        check(LXW_ERROR_MEMORY_MALLOC_FAILED, path);
}

StreamedWorkbook::~StreamedWorkbook()
{
    if (book_)
        lxw_workbook_free(book_);
}

lxw_worksheet *StreamedWorkbook::addRightToLeftSheet(const char *name)
{
    lxw_worksheet *sheet = workbook_add_worksheet(book_, name);
    if (!sheet)
        check(LXW_ERROR_MEMORY_MALLOC_FAILED, path_);
    worksheet_right_to_left(sheet);
    return sheet;
}

void StreamedWorkbook::close()
{
    check(workbook_close(std::exchange(book_, nullptr)), path_);
}

int knownRows(const db::Query &list)
{
    return list.hasMoreRows() ? 0 : list.fetchedCount();
}

bool hasRow(db::Query &list, int row, ui::Progress *progress)
{
    while (row >= list.fetchedCount() && list.hasMoreRows())
        list.fetchMore(readSlice);
    if (progress && !list.hasMoreRows())
        progress->setTotal(list.fetchedCount());
    return row < list.fetchedCount();
}

const char *Utf8::operator()(QStringView text)
{
    const qsizetype needed = encoder_.requiredSpace(text.size()) + 1;
    if (buffer_.size() < needed)
        buffer_.resize(needed);
    char *end = encoder_.appendToBuffer(buffer_.data(), text);
    *end = '\0';
    return buffer_.constData();
}

} // namespace excel
