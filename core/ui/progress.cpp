#include "ui/progress.h"
#include <QApplication>
#include <QProgressDialog>

namespace ui {

Progress::Progress(const QString &label) : dialog_(std::make_unique<QProgressDialog>(QApplication::activeWindow()))
{
    dialog_->setWindowTitle(label);
    dialog_->setLabelText(label);
    dialog_->setCancelButton(nullptr);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setLayoutDirection(Qt::RightToLeft);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setRange(0, 0);
    dialog_->setMinimumWidth(360);
    dialog_->show();
    step(0, 0);
}

Progress::~Progress() = default;

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
