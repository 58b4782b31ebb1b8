#pragma once
// Figures taken in a fresh process: the benchmark starts itself again for each run, so a clerk's first opening
// of a page is measured (statements prepared, fonts loaded, the program's caches empty), not a rerun in a
// process that has done it before.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QApplication;

// tavrel_bench --fresh <figure> <database file> [more]: one run of a figure, printed as "name=value" lines.
inline constexpr const char *freshFlag = "--fresh";

// The child: the program set up as it starts (its forms created, the sign-in form shown), then the figure.
// Returns the process's exit code.
int runFreshChild(int argc, char *argv[]);

namespace bench {

// The benchmark started again as a program of its own starts: offscreen, its settings apart from the user's, the
// application object, the program's set-up and every form.
std::unique_ptr<QApplication> startAsTheProgram(int &argc, char *argv[]);

// In the child: one value of the figure.
void tell(const QString &name, double value);

// In the parent: the figure run `runs` times, each in a child of its own; every run's value, by name.
using FreshValues = QHash<QString, QList<double>>;
FreshValues freshRuns(const QStringList &arguments, int runs = 3);

// The least of the values (a time's best run); -1 when any run did not get there (a negative value).
double best(const QList<double> &values);
// The largest of the values (memory's worst run); -1 when there is none.
double worst(const QList<double> &values);

} // namespace bench
