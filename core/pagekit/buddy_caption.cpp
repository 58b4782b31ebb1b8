#include "pagekit/buddy_caption.h"
#include <QLabel>

namespace pagekit {

QString buddyCaption(const QWidget *field)
{
    for (const QLabel *label : field->window()->findChildren<QLabel *>())
        if (label->buddy() == field)
            return label->text();
    return {};
}

} // namespace pagekit
