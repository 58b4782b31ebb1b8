#pragma once
// The purchases register on generated registers of a million rows and more: the menu command opening the
// page, the filtered search through the page's handler, and the client-side sort of its result.
#include <QString>

// The page opened from the main menu: its first painted rows, its totals, the memory it holds.
void runOpenerBench(const QString &path, const char *size);
// The search with the subject filter on, until its count and total are shown; at `sorted`, every column's sort.
void runPurchasesSearchBench(const QString &path, const char *size, bool sorted);
