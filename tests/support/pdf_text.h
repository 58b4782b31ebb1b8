#pragma once
// Printed pages read back: pdftotext's text of each page, normalised so that tests compare words, not the
// reader's way of writing them. Persian comes back in presentation forms, wrapped in bidi controls, with
// numbers and Latin words moved within a line; so tests match tokens, never whole mixed lines.
#include <QString>
#include <QStringList>

namespace pdftext {

// The text of every page of the PDF file, normalised; an empty list when the file cannot be read.
QStringList pages(const QString &pdfPath);

// NFKC (presentation forms to letters), bidi controls and joiners to blanks, Persian yeh and kaf folded to
// the Arabic letters the register stores, runs of blanks and line breaks to one blank.
QString normalised(const QString &text);

// Whether every word of the phrase (normalised) is a word of the text, as many times as the phrase has it.
bool hasTokens(const QString &text, const QString &phrase);

// The words of the line that holds the word, from left to right as they stand on the page (the order a reader
// sees, whatever order the text runs in), normalised and joined by blanks, of a one-page PDF; empty when it
// lacks the word. A Persian word, which the reader gives glyph by glyph, is its touching glyphs.
QString wordsLeftToRight(const QString &pdfPath, const QString &word);

} // namespace pdftext
