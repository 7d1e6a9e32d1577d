#include "ReportProgressDialog.h"

#include <QProgressDialog>

namespace carnelis {

namespace {
constexpr qint64 ShowAfterMs = 1000;
// Events are looked at a few times a second, not at every row, so that the window
// costs the run next to nothing.
constexpr qint64 UpdateEveryMs = 100;
} // namespace

ReportProgressDialog::ReportProgressDialog(QWidget *parent) : parent_(parent) {}

ReportProgressDialog::~ReportProgressDialog() = default;

void ReportProgressDialog::begin(int total)
{
    total_ = total;
    dialog_.reset();
    started_.start();
    lastUpdate_.start();
}

bool ReportProgressDialog::advance(int printed)
{
    if (lastUpdate_.elapsed() < UpdateEveryMs)
        return !(dialog_ && dialog_->wasCanceled());
    lastUpdate_.restart();
    if (!dialog_) {
        if (started_.elapsed() < ShowAfterMs)
            return true;
        dialog_ = std::make_unique<QProgressDialog>(parent_);
        dialog_->setWindowTitle(QStringLiteral("CARNELIS"));
        dialog_->setCancelButtonText(QStringLiteral("Annuler"));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setRange(0, std::max(total_, 1));
    }
    dialog_->setLabelText(QStringLiteral(" Impression en cours : %1 ligne(s) sur %2.").arg(printed).arg(total_));
    dialog_->setValue(std::min(printed, std::max(total_, 1))); // modal: lets the Cancel click in
    return !dialog_->wasCanceled();
}

void ReportProgressDialog::end() { dialog_.reset(); }

bool ReportProgressDialog::isVisible() const { return dialog_ && dialog_->isVisible(); }

} // namespace carnelis
