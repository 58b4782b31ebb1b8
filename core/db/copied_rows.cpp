#include "db/copied_rows.h"
#include <cstring>

namespace db::detail {

void keepCell(Column &target, const RawCell &cell)
{
    using Kind = RawCell::Kind;
    if (cell.kind == Kind::Null) {
        target.appendNull();
        return;
    }
    const auto text = [&cell] { return QString::fromUtf8(cell.bytes, cell.size); };
    switch (target.storage) {
    case Storage::Text: target.appendText(cell.bytes, cell.size); return;
    case Storage::Integer:
        if (cell.kind == Kind::Integer)
            target.appendInteger(target.def.type == FieldType::Boolean ? qint64(cell.integer != 0) : cell.integer);
        else if (cell.kind == Kind::Real)
            target.append(normalise(cell.real, target.def.type));
        else
            target.appendConverted(text());
        return;
    case Storage::Real:
        if (cell.kind == Kind::Integer || cell.kind == Kind::Real)
            target.appendReal(cell.kind == Kind::Integer ? double(cell.integer) : cell.real);
        else
            target.appendConverted(text());
        return;
    case Storage::Bytes: target.appendBytes(cell.size ? QByteArray(cell.bytes, cell.size) : QByteArray("", 0)); return;
    case Storage::Variant:
        switch (cell.kind) {
        case Kind::Integer: target.append(QVariant(cell.integer)); return;
        case Kind::Real: target.append(QVariant(cell.real)); return;
        case Kind::Blob: target.append(QVariant(QByteArray(cell.bytes, cell.size))); return;
        default: target.append(QVariant(text())); return;
        }
    }
}

void CopiedRows::grow(size_t bytes)
{
    const size_t capacity = std::max(used_ + bytes, 2 * capacity_ + 65536);
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (used_)
        std::memcpy(grown.get(), bytes_.get(), used_);
    bytes_ = std::move(grown);
    capacity_ = capacity;
}

} // namespace db::detail
