#pragma once
// A column of Latin texts (file extensions such as ".pdf", sizes such as "2.64 KiB", times) drawn left to
// right inside a right-to-left view, where they would otherwise be drawn reordered ("pdf.", "KiB 2.64").
class QAbstractItemView;

namespace ui {

void drawLeftToRight(QAbstractItemView *view, int column);

} // namespace ui
