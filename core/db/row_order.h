#pragma once
// The rows of a list in the order shown, as the numbers of the rows stored. While they show as they were read
// (no sort, no row put between others, none taken out) the order is the rows' own and nothing is kept; a sort,
// an insert or a delete keeps the numbers, 4 bytes a row, until the list is read again.
#include <cstddef>
#include <vector>

namespace db::detail {

class RowOrder {
public:
    int count() const { return count_; }
    int stored(int shown) const { return kept_.empty() ? shown : kept_[std::size_t(shown)]; }
    int shownOf(int stored) const; // -1 when the row is not shown

    void reset(int count);                             // the rows as read; the memory of any order goes back
    void insert(int at, int firstStored, int rows);    // consecutive stored rows shown from `at`
    void erase(int at);
    std::vector<int> &numbers();                       // every number kept, for a sort to order
    void restoreStored();                              // the rows in the order they were stored

private:
    void keep();
    int count_ = 0;
    std::vector<int> kept_; // empty while the order is the rows' own
};

} // namespace db::detail
