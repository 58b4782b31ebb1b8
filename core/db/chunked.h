#pragma once
// Growing arrays kept in fixed blocks of 16,384 values: a large result is never copied into a twice-as-large
// array while it is fetched (no moment holds both), and a value is reached in constant time.
#include <QtEndian>
#include <QtGlobal>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

namespace db::detail {

inline constexpr std::size_t blockBits = 14;
inline constexpr std::size_t blockSize = std::size_t(1) << blockBits;
inline constexpr std::size_t inBlock = blockSize - 1;

// Any values, after a first block that grows by doubling: a small result costs little more than its values.
template <typename T>
class Chunked {
public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    const T &operator[](std::size_t i) const { return i < blockSize ? first_[i] : rest_[(i >> blockBits) - 1][i & inBlock]; }
    T &operator[](std::size_t i) { return i < blockSize ? first_[i] : rest_[(i >> blockBits) - 1][i & inBlock]; }

    void push_back(const T &value)
    {
        if (size_ < blockSize) {
            first_.push_back(value);
        } else {
            if ((size_ & inBlock) == 0)
                rest_.push_back(std::make_unique_for_overwrite<T[]>(blockSize));
            rest_.back()[size_ & inBlock] = value;
        }
        ++size_;
    }

private:
    std::vector<T> first_;
    std::vector<std::unique_ptr<T[]>> rest_;
    std::size_t size_ = 0;
};

// Whole numbers. The block being filled holds plain 64-bit values; a block filled (or the last one, once the
// fetch is over) keeps each value as its distance from the block's least, in the fewest bytes that hold them
// all: a register's years and users take one byte a row, its row numbers two, its amounts three or four.
class PackedIntegers {
public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    qint64 operator[](std::size_t i) const
    {
        const std::size_t block = i >> blockBits;
        return block < packed_.size() ? packed_[block].at(i & inBlock) : filling_[i & inBlock];
    }
    void push_back(qint64 value)
    {
        if (!filling_.empty() && filling_.size() < blockSize) {
            filling_.push_back(value);
            ++size_;
        } else {
            pushPast(value);
        }
    }
    void set(std::size_t i, qint64 value);
    void finish(); // the values are all there: the last block is packed too
    std::size_t memoryUsed() const;

private:
    struct Block {
        quint64 least = 0;
        unsigned width = 0;  // bytes a value
        std::size_t count = 0;
        std::unique_ptr<unsigned char[]> bytes; // count * width, and 8 more so that any value reads as 8

        static Block pack(const qint64 *values, std::size_t count);
        qint64 at(std::size_t i) const
        {
            quint64 distance;
            std::memcpy(&distance, bytes.get() + i * width, sizeof distance);
            distance = qFromLittleEndian(distance);
            if (width < 8)
                distance &= (quint64(1) << (8 * width)) - 1;
            return qint64(least + distance);
        }
        std::vector<qint64> unpacked() const;
    };

    void unpackLast();
    void pushPast(qint64 value); // into a new block, or the last one unpacked

    std::vector<Block> packed_;
    std::vector<qint64> filling_; // the block after the packed ones
    std::size_t size_ = 0;
};

} // namespace db::detail
