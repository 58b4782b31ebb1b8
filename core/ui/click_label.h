#pragma once
// A label that answers a mouse click: the underlined links, the quiet labels of the forms and the field
// captions whose click refills their list. Placed on Designer forms as a promoted QLabel (header
// ui/click_label.h); a label that shows it can be clicked sets the pointing hand cursor on the form.
#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
