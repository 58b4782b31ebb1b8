#pragma once
// A generated register of purchases with realistic Persian texts, kept between runs.
#include <QString>

namespace bench {

// The word that about a fifth of the subjects (mozo) contain.
QString subjectFilterWord();

// Makes (once) an SQLite database of `rows` purchases built by the program's own schema routine, and returns
// its path. Needs the data module (forms::dm). The file is kept in `folder` and reused while it holds that many rows.
QString purchasesDatabase(const QString &folder, int rows);

} // namespace bench
