#include "ui/progress.h"
#include <QApplication>
#include <QProgressDialog>

namespace ui {

Progress::Progress(const QString &label, int total, int stride, int showAfterMs)
    : label_(label), total_(total), stride_(std::max(stride, 1)), showAfterMs_(showAfterMs), next_(stride_)
{
    timer_.start();
}

Progress::Progress(const QString &label) : label_(label)
{
    busy_.emplace();
    makeDialog(QString(), 0)->show();
    step(0, 0);
}

Progress::~Progress() = default;

QProgressDialog *Progress::makeDialog(const QString &cancelText, int maximum)
{
    dialog_ = std::make_unique<QProgressDialog>(label_, cancelText, 0, maximum, QApplication::activeWindow());
    if (cancelText.isEmpty())
        dialog_->setCancelButton(nullptr);
    dialog_->setWindowTitle(label_);
    dialog_->setLayoutDirection(Qt::RightToLeft);
    dialog_->setMinimumWidth(360);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    return dialog_.get();
}

bool Progress::update(int done)
{
    next_ = done + stride_;
    if (cancelled_)
        return false;
    if (!dialog_) {
        if (timer_.elapsed() < showAfterMs_)
            return true;
        makeDialog(QStringLiteral("انصراف"), total_);
    }
    if (total_ == 0) {
        // A moving bar while the total is not known: its value never changes, so the dialog neither shows nor
        // lets the events through (its cancel button among them) by itself.
        dialog_->show();
        QApplication::processEvents();
    } else {
        // The first value shows the dialog (its minimum duration is over); from then on a modal progress
        // dialog processes the pending events itself whenever its value changes.
        dialog_->setValue(std::min(done, total_));
    }
    cancelled_ = dialog_->wasCanceled();
    return !cancelled_;
}

void Progress::setTotal(int total)
{
    if (total == total_)
        return;
    total_ = total;
    if (dialog_)
        dialog_->setMaximum(total);
}

void Progress::step(qint64 done, qint64 total)
{
    // The bar counts in thousandths, whatever the size of the work.
    if (total > 0) {
        dialog_->setRange(0, 1000);
        dialog_->setValue(int(std::min<qint64>(1000, done * 1000 / total)));
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace ui
