#include "db/row_order.h"
#include <algorithm>
#include <numeric>

namespace db::detail {

int RowOrder::shownOf(int stored) const
{
    if (kept_.empty())
        return stored < count_ ? stored : -1;
    const auto at = std::find(kept_.begin(), kept_.end(), stored);
    return at == kept_.end() ? -1 : int(at - kept_.begin());
}

void RowOrder::reset(int count)
{
    std::vector<int>().swap(kept_);
    count_ = count;
}

void RowOrder::keep()
{
    if (!kept_.empty() || count_ == 0)
        return;
    kept_.resize(std::size_t(count_));
    std::iota(kept_.begin(), kept_.end(), 0);
}

void RowOrder::insert(int at, int firstStored, int rows)
{
    if (kept_.empty() && at == count_ && firstStored == count_) {
        count_ += rows;
        return;
    }
    keep();
    std::vector<int> added(static_cast<std::size_t>(rows));
    std::iota(added.begin(), added.end(), firstStored);
    kept_.insert(kept_.begin() + at, added.begin(), added.end());
    count_ += rows;
}

void RowOrder::erase(int at)
{
    keep();
    kept_.erase(kept_.begin() + at);
    --count_;
}

std::vector<int> &RowOrder::numbers()
{
    keep();
    return kept_;
}

void RowOrder::restoreStored()
{
    std::sort(kept_.begin(), kept_.end());
    // Nothing taken out: the order is the rows' own again.
    if (!kept_.empty() && kept_.back() == count_ - 1)
        std::vector<int>().swap(kept_);
}

} // namespace db::detail
