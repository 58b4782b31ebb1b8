#pragma once
// The base of every list page and entry form: a dialog whose FormShow runs, guarded, each time a command
// shows it (not when the desktop merely re-exposes it). A form overrides FormShow for its own preparation.
#include <QDialog>

namespace db {
class Query;
}

namespace pagekit {

class Commands;

class Page : public QDialog {
    Q_OBJECT
public:
    explicit Page(QWidget *parent = nullptr);

    // The form's preparation at every showing (pick lists, focus); nothing by default.
    virtual void FormShow() {}

    // The page's commands, as it declared them (null for a form that declares none).
    Commands *commands() const { return commands_; }

protected:
    // Starts the declaration of the page's commands over its list (pagekit/commands.h); once per page.
    Commands &declareCommands(db::Query &list);

    void showEvent(QShowEvent *event) override;

private:
    Commands *commands_ = nullptr;
};

} // namespace pagekit
