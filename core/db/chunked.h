#pragma once
// A growing array kept in fixed blocks after a first one that grows by doubling: a large result is never
// copied into a twice-as-large array while it is fetched (no moment holds both), and a small one costs
// little more than its values.
#include <cstddef>
#include <memory>
#include <vector>

namespace db::detail {

template <typename T>
class Chunked {
public:
    static constexpr std::size_t blockBits = 14;
    static constexpr std::size_t blockSize = std::size_t(1) << blockBits;
    static constexpr std::size_t mask = blockSize - 1;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    const T &operator[](std::size_t i) const
    {
        return i < blockSize ? first_[i] : rest_[(i >> blockBits) - 1][i & mask];
    }
    T &operator[](std::size_t i) { return i < blockSize ? first_[i] : rest_[(i >> blockBits) - 1][i & mask]; }

    void push_back(const T &value)
    {
        if (size_ < blockSize) {
            first_.push_back(value);
        } else {
            if ((size_ & mask) == 0)
                rest_.push_back(std::make_unique_for_overwrite<T[]>(blockSize));
            rest_.back()[size_ & mask] = value;
        }
        ++size_;
    }

    // Room for this many values: the first block takes its size at once instead of doubling towards it.
    void reserve(std::size_t count)
    {
        if (size_ == 0 && count > 0)
            first_.reserve(count < blockSize ? count : blockSize);
    }

    // Every value of a smaller array, widened (a column of small whole numbers meeting a large one).
    template <typename From>
    static Chunked widened(const Chunked<From> &from)
    {
        Chunked to;
        to.reserve(from.size());
        for (std::size_t i = 0; i < from.size(); ++i)
            to.push_back(T(from[i]));
        return to;
    }

private:
    std::vector<T> first_;
    std::vector<std::unique_ptr<T[]>> rest_;
    std::size_t size_ = 0;
};

} // namespace db::detail
