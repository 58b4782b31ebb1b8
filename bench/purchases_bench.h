#pragma once
// The purchases register on generated registers of a million rows and more: a clerk's first opening of the
// page from the main menu, each run in a fresh process (first painted rows; count and total shown; Ctrl+End to
// the last row and the memory then held; a title click), and the subject search; each against the raw read or
// the bare aggregate of the same statement.
#include <QString>
#include <QStringList>

// Prints the figures of one register; `titleClick`: also the sort by a title click.
void runPurchasesBench(const QString &path, const char *size, bool titleClick);

// The child's side of one run: "open" (first rows, then the labels), "last" (Ctrl+End once the first rows show,
// then the memory held) or "sort" (a title click once the first rows show). more: the seconds to wait at most.
void freshPurchasesFigure(const QString &figure, const QString &path, const QStringList &more);
