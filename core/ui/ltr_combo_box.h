#pragma once
// A fixed drop-down list of Latin texts ("32-bit") drawn left to right inside a right-to-left window,
// where the plain list would draw its current text reordered ("bit-32").
#include <QComboBox>

class LtrComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit LtrComboBox(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
