#pragma once
// What a widget draws as text, read back from its painting: the painter is given each run of one direction
// apart, in its characters' order, at the point where the run starts. The runs of a line from left to right
// show the order a reader sees, whatever order the text runs in.
#include <QList>
#include <QString>

class QWidget;

struct DrawnRun {
    double left = 0; // in the widget's coordinates
    QString text;
};

// The runs of the line that holds a run containing the word, from left to right, without marks of direction
// and blank runs; empty when none holds the word.
QList<DrawnRun> drawnLine(QWidget *widget, const QString &word);
// Their texts, joined from left to right.
QString drawnLeftToRight(QWidget *widget, const QString &word);
