#pragma once
// Long work shows how far it has come. A Progress is told each step of the work; nothing is shown while the
// work is short, and once it has taken about a second a progress dialog over the current window follows it,
// with a cancel button. The dialog is looked at only every `stride` steps, so a step costs a comparison,
// and events are processed only then, so the window keeps painting without slowing the work.
#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;

namespace ui {

class Progress {
public:
    Progress(const QString &label, int total, int stride = 1000, int showAfterMs = 1000);
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // `done` steps of the total are done; false once the user has cancelled the work.
    bool advance(int done) { return done < next_ ? !cancelled_ : update(done); }
    bool cancelled() const { return cancelled_; }

private:
    bool update(int done);

    QString label_;
    int total_;
    int stride_;
    int showAfterMs_;
    int next_;
    bool cancelled_ = false;
    QElapsedTimer timer_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace ui
