#pragma once
// A caption that answers a click, as the older forms' labels did (a click on a field's caption refills its
// list). Placed on Designer forms as a promoted QLabel (header ui/clickable_label.h).
#include <QLabel>
#include <QMouseEvent>

class TClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit TClickLabel(QWidget *parent = nullptr) : QLabel(parent) { setCursor(Qt::PointingHandCursor); }

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
    }
};
