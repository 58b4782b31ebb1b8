#pragma once
// The base of every list page and entry form: a dialog whose FormShow runs, guarded, each time a command
// shows it (not when the desktop merely re-exposes it). A form overrides FormShow for its own preparation.
#include <QDialog>

namespace pagekit {

class Page : public QDialog {
    Q_OBJECT
public:
    explicit Page(QWidget *parent = nullptr);

    // The form's preparation at every showing (pick lists, focus); nothing by default.
    virtual void FormShow() {}

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace pagekit
