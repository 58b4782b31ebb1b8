#include "db/sort.h"
#include <QCollator>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <thread>

namespace db::detail {

namespace {

// Collation is the costly part of sorting a large text column, so it is spread over a few threads (each with
// its own collator; the columns are only read).
size_t threadsFor(size_t count)
{
    if (count < 20000)
        return 1;
    size_t threads = 1;
    while (threads * 2 <= std::min<size_t>(std::thread::hardware_concurrency(), 8))
        threads *= 2;
    return threads;
}

template <typename Work>
void inParallel(size_t count, size_t threads, Work work)
{
    const size_t chunk = (count + threads - 1) / threads;
    std::vector<std::thread> pool;
    for (size_t t = 1; t < threads; ++t)
        pool.emplace_back(work, std::min(t * chunk, count), std::min((t + 1) * chunk, count));
    work(size_t(0), std::min(chunk, count));
    for (std::thread &thread : pool)
        thread.join();
}

// Sorts chunks on their own threads, then merges them pairwise, also in parallel.
template <typename Less>
void parallelSort(std::vector<int> &values, Less less)
{
    const size_t threads = threadsFor(values.size());
    const size_t chunk = (values.size() + threads - 1) / threads;
    inParallel(values.size(), threads, [&](size_t from, size_t to) {
        std::sort(values.begin() + qsizetype(from), values.begin() + qsizetype(to), less);
    });
    std::vector<int> merged(values.size());
    for (size_t width = chunk; width < values.size(); width *= 2) {
        const size_t pairs = (values.size() + 2 * width - 1) / (2 * width);
        inParallel(pairs, pairs, [&](size_t first, size_t last) {
            for (size_t pair = first; pair < last; ++pair) {
                const auto begin = values.begin() + qsizetype(pair * 2 * width);
                const auto middle = values.begin() + qsizetype(std::min(pair * 2 * width + width, values.size()));
                const auto end = values.begin() + qsizetype(std::min((pair + 1) * 2 * width, values.size()));
                std::merge(begin, middle, middle, end, merged.begin() + (begin - values.begin()), less);
            }
        });
        values.swap(merged);
    }
}

// Plain numbers in digits (no leading zero) order as their texts do in the Persian collation, character by
// character: "10" before "9". The digits left-aligned, then the shorter first.
std::vector<qint64> digitRanks(const std::vector<int> &rows, const TextCells &cells)
{
    __extension__ using Key = unsigned __int128;
    std::vector<std::pair<Key, size_t>> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        if (cells.isNull(rows[i]))
            continue;
        const quint64 number = cells.identity(rows[i]);
        int digits = 1;
        quint64 aligned = number;
        for (quint64 rest = number; rest >= 10; rest /= 10)
            ++digits;
        for (int pad = digits; pad < 19; ++pad)
            aligned *= 10;
        keys.emplace_back(Key(aligned) << 8 | Key(digits), i);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<qint64> ranks(rows.size(), -1);
    qint64 rank = -1;
    for (size_t k = 0; k < keys.size(); ++k) {
        if (k == 0 || keys[k].first != keys[k - 1].first)
            ++rank;
        ranks[keys[k].second] = rank;
    }
    return ranks;
}

// Every row's text as a rank (equal texts equal ranks; null -1), so that sorting compares integers only.
std::vector<qint64> textRanks(const std::vector<int> &rows, const Column &column)
{
    if (column.storage == Storage::Text && column.textCells().keepsNumbers())
        return digitRanks(rows, column.textCells());
    // Rows that share their stored text share one key: each distinct text is collated once.
    std::vector<int> keyOfRow(rows.size(), -1);
    std::vector<int> textOfKey; // a row holding each distinct text
    QHash<quint64, int> keyOfText;
    const bool shared = column.storage == Storage::Text && column.textCells().shares();
    if (shared)
        keyOfText.reserve(qsizetype(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        if (column.isNull(row))
            continue;
        if (shared) {
            const quint64 identity = column.textCells().identity(row);
            const auto known = keyOfText.constFind(identity);
            if (known != keyOfText.cend()) {
                keyOfRow[i] = *known;
                continue;
            }
            keyOfText.insert(identity, int(textOfKey.size()));
        }
        keyOfRow[i] = int(textOfKey.size());
        textOfKey.push_back(row);
    }
    std::vector<std::optional<QCollatorSortKey>> keys(textOfKey.size());
    inParallel(keys.size(), threadsFor(keys.size()), [&](size_t from, size_t to) {
        QCollator collator(QLocale(QLocale::Persian, QLocale::Iran));
        for (size_t k = from; k < to; ++k)
            keys[k].emplace(collator.sortKey(column.text(textOfKey[k])));
    });
    const auto less = [&keys](int a, int b) { return keys[size_t(a)]->compare(*keys[size_t(b)]) < 0; };
    std::vector<int> byKey(keys.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    parallelSort(byKey, less);
    std::vector<qint64> rankOfKey(keys.size());
    qint64 rank = 0;
    for (size_t k = 0; k < byKey.size(); ++k) {
        if (k > 0 && less(byKey[k - 1], byKey[k]))
            ++rank;
        rankOfKey[size_t(byKey[k])] = rank;
    }
    std::vector<qint64> ranks(rows.size(), -1);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (keyOfRow[i] >= 0)
            ranks[i] = rankOfKey[size_t(keyOfRow[i])];
    }
    return ranks;
}

template <typename Value>
struct Entry {
    bool null;
    Value value;
    int row;
};

template <typename Value>
void sortEntries(std::vector<int> &rows, std::vector<Entry<Value>> &entries, bool descending)
{
    std::sort(entries.begin(), entries.end(), [descending](const Entry<Value> &a, const Entry<Value> &b) {
        if (a.null != b.null)
            return descending ? b.null : a.null;
        if (!a.null && a.value != b.value)
            return descending ? b.value < a.value : a.value < b.value;
        return a.row < b.row;
    });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = entries[i].row;
}

template <typename Value, typename Read>
void sortByValue(std::vector<int> &rows, const Column &column, bool descending, Read read)
{
    std::vector<Entry<Value>> entries;
    entries.reserve(rows.size());
    for (int row : rows) {
        const bool null = column.isNull(row);
        entries.push_back({null, null ? Value() : read(row), row});
    }
    sortEntries(rows, entries, descending);
}

// Orders the rows by their ranks (dense from 0; null -1) in one counting pass: equal ranks keep the stored order.
void sortByRank(std::vector<int> &rows, const std::vector<qint64> &ranks, bool descending)
{
    if (rows.empty())
        return;
    const qint64 most = *std::max_element(ranks.begin(), ranks.end());
    // Bucket 0 holds the nulls when ascending; descending, the ranks turn around and the nulls go last.
    const auto bucketOf = [&](qint64 rank) -> size_t {
        if (rank < 0)
            return descending ? size_t(most + 1) : 0;
        return size_t(descending ? most - rank : rank + 1);
    };
    std::vector<size_t> starts(size_t(most) + 3, 0);
    const int lastRow = *std::max_element(rows.begin(), rows.end());
    std::vector<qint64> rankOfRow(size_t(lastRow) + 1, std::numeric_limits<qint64>::min());
    for (size_t i = 0; i < rows.size(); ++i) {
        rankOfRow[size_t(rows[i])] = ranks[i];
        ++starts[bucketOf(ranks[i]) + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    for (int row = 0; row <= lastRow; ++row)
        if (const qint64 rank = rankOfRow[size_t(row)]; rank != std::numeric_limits<qint64>::min())
            rows[starts[bucketOf(rank)]++] = row;
}

bool isTextType(FieldType type)
{
    return type == FieldType::WideText || type == FieldType::Text || type == FieldType::DateTime;
}

} // namespace

void sortRows(std::vector<int> &rows, const Column &column, bool descending)
{
    switch (column.storage) {
    case Storage::Integer:
        sortByValue<qint64>(rows, column, descending, [&column](int row) { return column.integerAt(row); });
        return;
    case Storage::Real:
        sortByValue<double>(rows, column, descending, [&column](int row) { return column.realAt(row); });
        return;
    case Storage::Bytes:
        sortByValue<QByteArray>(rows, column, descending,
                                [&column](int row) { return column.value(row).toByteArray(); });
        return;
    case Storage::Variant:
        if (!isTextType(column.def.type)) {
            sortByValue<double>(rows, column, descending,
                                [&column](int row) { return column.value(row).toDouble(); });
            return;
        }
        break;
    case Storage::Text: break;
    }
    sortByRank(rows, textRanks(rows, column), descending);
}

} // namespace db::detail
