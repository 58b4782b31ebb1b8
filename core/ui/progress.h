#pragma once
// Long work shows a sign of life: while a Progress lives a small window without a cancel button shows the
// work's name and how far it is (or a moving bar while the total is unknown), over the busy cursor. Between
// two steps the window is repainted; the user's clicks and keys wait, so nothing else starts meanwhile.
#include "ui/busy.h"
#include <QString>
#include <memory>

class QProgressDialog;

namespace ui {

class Progress {
public:
    explicit Progress(const QString &label);
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // done of total steps; a total of 0 shows the moving bar.
    void step(qint64 done, qint64 total);

private:
    BusyCursor busy_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace ui
