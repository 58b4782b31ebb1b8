#pragma once
// A grid column of Latin texts (file extensions such as ".pdf") drawn left to right inside a right-to-left
// grid, where they would otherwise be drawn reordered ("pdf.").
class QTableView;

namespace ui {

void drawLeftToRight(QTableView *grid, int column);

} // namespace ui
