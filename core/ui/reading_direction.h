#pragma once
// The direction a text the clerk typed reads in, on the screen and on paper alike: right to left when it holds a
// Persian letter, whatever letter it starts with ("HP 85A کارتريج" keeps its Persian word on the left, as the
// register's right-to-left grids and edits show it); left to right when it holds none ("*ostan**" keeps its
// stars where they were typed, "-1,250" its sign on the left).
#include <QString>

class QAbstractItemView;

namespace ui {

Qt::LayoutDirection readingDirection(QStringView text);

// The text between the marks that set it in its reading direction within a line of either direction.
QString isolated(QStringView text);

// A view's items drawn each in its reading direction, where the view's own direction would move the stars
// at the ends of "*ostan**"; what the items hold is unchanged.
void drawInReadingDirection(QAbstractItemView *view);

} // namespace ui
