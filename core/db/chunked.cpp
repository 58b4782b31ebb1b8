#include "db/chunked.h"
#include <QtEndian>
#include <algorithm>

namespace db::detail {

PackedIntegers::Block PackedIntegers::Block::pack(const qint64 *values, std::size_t count)
{
    Block block;
    block.count = count;
    const auto [least, most] = std::minmax_element(values, values + count);
    block.least = quint64(*least);
    const quint64 span = quint64(*most) - block.least;
    block.width = 1;
    while (block.width < 8 && (span >> (8 * block.width)) != 0)
        ++block.width;
    block.bytes = std::make_unique_for_overwrite<unsigned char[]>(count * block.width + 8);
    // Each value is written as 8 bytes, its low bytes first: the next one's bytes cover the rest, the last one's
    // go into the 8 bytes past the end.
    for (std::size_t i = 0; i < count; ++i) {
        const quint64 distance = qToLittleEndian(quint64(values[i]) - block.least);
        std::memcpy(block.bytes.get() + i * block.width, &distance, sizeof distance);
    }
    return block;
}

std::vector<qint64> PackedIntegers::Block::unpacked() const
{
    std::vector<qint64> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = at(i);
    return values;
}

void PackedIntegers::unpackLast()
{
    filling_ = packed_.back().unpacked();
    packed_.pop_back();
}

void PackedIntegers::pushPast(qint64 value)
{
    if (filling_.empty() && !packed_.empty() && packed_.back().count < blockSize)
        unpackLast(); // a row added after the fetch
    if (filling_.size() == blockSize) {
        packed_.push_back(Block::pack(filling_.data(), filling_.size()));
        filling_.clear();
    }
    filling_.push_back(value);
    ++size_;
}

void PackedIntegers::set(std::size_t i, qint64 value)
{
    const std::size_t block = i >> blockBits;
    if (block >= packed_.size()) {
        filling_[i & inBlock] = value;
        return;
    }
    Block &packed = packed_[block];
    const quint64 distance = quint64(value) - packed.least;
    if (packed.width == 8 || (distance >> (8 * packed.width)) == 0) {
        const quint64 bytes = qToLittleEndian(distance);
        std::memcpy(packed.bytes.get() + (i & inBlock) * packed.width, &bytes, packed.width);
        return;
    }
    // A value the block's bytes can't hold packs the block again, wider.
    std::vector<qint64> values = packed.unpacked();
    values[i & inBlock] = value;
    packed = Block::pack(values.data(), values.size());
}

void PackedIntegers::finish()
{
    if (filling_.empty())
        return;
    packed_.push_back(Block::pack(filling_.data(), filling_.size()));
    std::vector<qint64>().swap(filling_);
}

std::size_t PackedIntegers::memoryUsed() const
{
    std::size_t bytes = filling_.capacity() * sizeof(qint64) + packed_.capacity() * sizeof(Block);
    for (const Block &block : packed_)
        bytes += block.count * block.width + 8;
    return bytes;
}

} // namespace db::detail
