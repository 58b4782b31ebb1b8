#pragma once
// The vendors register's import from the purchases register against the same statement run bare.
#include <QString>

// On the generated purchases at `path` (the data module connected to it): the import as the vendors page runs
// it, against the same insert ... select in one write transaction through the sqlite3 C API, best of three
// each, every run from an empty vendors register; prints both times, their ratio and the vendors added.
void runVendorImportBench(const QString &path);
