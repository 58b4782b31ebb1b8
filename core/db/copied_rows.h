#pragma once
// Rows copied from a source as they come, cell after cell in one stream, so that other threads keep them in their
// columns: while one batch is kept, column by column on a few threads, the next is read. A long read then costs
// little more than the engine's own.
#include "db/column.h"
#include <cstring>
#include <memory>

namespace db::detail {

// A cell as the engine gives it, before it is kept: text and bytes point into the engine's (or a batch's) memory.
struct RawCell {
    enum class Kind : quint8 { Null, Integer, Real, Text, Blob };
    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    const char *bytes = nullptr;
    int size = 0;
};

// Keeps the cell in the column, converted to its storage: a driver's decimal text in a number column is read as
// its number; a text that is no number is kept as that text (Column::appendConverted).
void keepCell(Column &target, const RawCell &cell);

// A cell is its kind, then its number (8 bytes) or its length (4 bytes) and bytes.
class CopiedRows {
public:
    void clear() { used_ = rows_ = 0; }
    qsizetype rows() const { return rows_; }

    void add(const RawCell &cell)
    {
        const bool sized = cell.kind == RawCell::Kind::Text || cell.kind == RawCell::Kind::Blob;
        room(sized ? 5 + size_t(cell.size) : 9);
        char *at = bytes_.get() + used_;
        *at++ = char(cell.kind);
        if (sized) {
            std::memcpy(at, &cell.size, 4);
            if (cell.size > 0) // an empty text may come without bytes
                std::memcpy(at + 4, cell.bytes, size_t(cell.size));
            used_ += 5 + size_t(cell.size);
        } else if (cell.kind != RawCell::Kind::Null) {
            std::memcpy(at, cell.kind == RawCell::Kind::Real ? static_cast<const void *>(&cell.real) : &cell.integer, 8);
            used_ += 9;
        } else {
            used_ += 1;
        }
    }
    void endRow() { ++rows_; }

    // The cells, read forward from the first.
    class Cells {
    public:
        explicit Cells(const CopiedRows &rows) : at_(rows.bytes_.get()) {}
        RawCell next()
        {
            RawCell cell;
            cell.kind = RawCell::Kind(*at_++);
            switch (cell.kind) {
            case RawCell::Kind::Null: break;
            case RawCell::Kind::Text:
            case RawCell::Kind::Blob:
                std::memcpy(&cell.size, at_, 4);
                cell.bytes = at_ + 4;
                at_ += 4 + cell.size;
                break;
            case RawCell::Kind::Real: std::memcpy(&cell.real, at_, 8); at_ += 8; break;
            case RawCell::Kind::Integer: std::memcpy(&cell.integer, at_, 8); at_ += 8; break;
            }
            return cell;
        }

    private:
        const char *at_;
    };

private:
    void room(size_t bytes)
    {
        if (used_ + bytes > capacity_)
            grow(bytes);
    }
    void grow(size_t bytes);

    std::unique_ptr<char[]> bytes_;
    size_t used_ = 0;
    size_t capacity_ = 0;
    qsizetype rows_ = 0;
};

} // namespace db::detail
