#include "ui/reading_direction.h"
#include <QAbstractItemView>
#include <QStyledItemDelegate>
#include <algorithm>

namespace ui {

namespace {

constexpr QChar leftToRightIsolate(0x2066);
constexpr QChar rightToLeftIsolate(0x2067);
constexpr QChar popDirectionalIsolate(0x2069);

class ReadingDirectionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant &value, const QLocale &locale) const override
    {
        return isolated(QStyledItemDelegate::displayText(value, locale));
    }
};

} // namespace

Qt::LayoutDirection readingDirection(QStringView text)
{
    const bool persian = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
    });
    return persian ? Qt::RightToLeft : Qt::LeftToRight;
}

QString isolated(QStringView text)
{
    const QChar opening = readingDirection(text) == Qt::RightToLeft ? rightToLeftIsolate : leftToRightIsolate;
    return opening + text.toString() + popDirectionalIsolate;
}

void drawInReadingDirection(QAbstractItemView *view)
{
    view->setItemDelegate(new ReadingDirectionDelegate(view));
}

} // namespace ui
