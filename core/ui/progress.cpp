#include "ui/progress.h"
#include <QApplication>
#include <QProgressDialog>

namespace ui {

Progress::Progress(const QString &label, int total, int stride, int showAfterMs)
    : label_(label), total_(total), stride_(std::max(stride, 1)), showAfterMs_(showAfterMs), next_(stride_)
{
    timer_.start();
}

Progress::~Progress() = default;

bool Progress::update(int done)
{
    next_ = done + stride_;
    if (cancelled_)
        return false;
    if (!dialog_) {
        if (timer_.elapsed() < showAfterMs_)
            return true;
        dialog_ = std::make_unique<QProgressDialog>(label_, QStringLiteral("انصراف"), 0, total_,
                                                    QApplication::activeWindow());
        dialog_->setLayoutDirection(Qt::RightToLeft);
        dialog_->setMinimumWidth(360);
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
    }
    // The first value shows the dialog (its minimum duration is over); from then on a modal progress
    // dialog processes the pending events itself whenever its value changes.
    dialog_->setValue(std::min(done, total_));
    cancelled_ = dialog_->wasCanceled();
    return !cancelled_;
}

} // namespace ui
