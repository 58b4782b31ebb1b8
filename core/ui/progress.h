#pragma once
// Long work shows how far it has come. A counted Progress is told each step of the work: nothing is shown while
// the work is short, and once it has taken about a second a progress dialog over the current window follows it,
// with a cancel button. The dialog is looked at only every `stride` steps, so a step costs a comparison, and
// events are processed only then, so the window keeps painting without slowing the work.
// Work that can't be stopped half-way (a backup) shows at once a window without a cancel button, with a moving
// bar until its total is known, over the busy cursor; the user's clicks and keys wait meanwhile.
#include "ui/busy.h"
#include <QElapsedTimer>
#include <QString>
#include <memory>
#include <optional>

class QProgressDialog;

namespace ui {

class Progress {
public:
    // Counted, cancellable work of `total` steps; 0: not known yet (a moving bar until setTotal()).
    Progress(const QString &label, int total, int stride = 1000, int showAfterMs = 1000);
    // Work that can't be cancelled, shown at once.
    explicit Progress(const QString &label);
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // Counted work: `done` steps of the total are done; false once the user has cancelled the work.
    bool advance(int done) { return done < next_ ? !cancelled_ : update(done); }
    bool cancelled() const { return cancelled_; }
    // The total of counted work, once it is known.
    void setTotal(int total);

    // Work that can't be cancelled: done of total; a total of 0 shows the moving bar.
    void step(qint64 done, qint64 total);

private:
    bool update(int done);
    QProgressDialog *makeDialog(const QString &cancelText, int maximum);

    QString label_;
    int total_ = 0;
    int stride_ = 1;
    int showAfterMs_ = 0;
    int next_ = 0;
    bool cancelled_ = false;
    QElapsedTimer timer_;
    std::optional<BusyCursor> busy_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace ui
