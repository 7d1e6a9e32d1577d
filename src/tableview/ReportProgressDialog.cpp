#include "ReportProgressDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace carnelis {

namespace {
constexpr int CountEveryMs = 50;
} // namespace

ReportProgressDialog::ReportProgressDialog(QWidget *parent, std::function<void()> follow, int showAfterMs)
    : parent_(parent), follow_(std::move(follow)), showAfterMs_(showAfterMs)
{
    countTimer_.setSingleShot(true);
    countTimer_.setInterval(CountEveryMs);
    QObject::connect(&countTimer_, &QTimer::timeout, [this] { showCount(); });
}

ReportProgressDialog::~ReportProgressDialog() = default;

void ReportProgressDialog::begin(int total)
{
    total_ = total;
    printed_ = 0;
    dialog_.reset();
    started_.start();
}

bool ReportProgressDialog::advance(int printed)
{
    printed_ = printed;
    if (follow_)
        follow_();
    if (!dialog_ && started_.elapsed() >= showAfterMs_)
        show();
    if (!dialog_)
        return true;
    if (!countTimer_.isActive())
        countTimer_.start();
    // Between every two rows, so that Annuler is answered at once; with nothing waiting
    // this costs next to nothing.
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}

void ReportProgressDialog::end()
{
    countTimer_.stop();
    dialog_.reset();
}

void ReportProgressDialog::show()
{
    dialog_ = std::make_unique<QProgressDialog>(parent_);
    dialog_->setWindowTitle(QStringLiteral("CARNELIS"));
    dialog_->setCancelButtonText(QStringLiteral("Annuler"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setRange(0, std::max(total_, 1));
    showCount();
    dialog_->show();
}

void ReportProgressDialog::showCount()
{
    if (!dialog_ || dialog_->wasCanceled())
        return;
    dialog_->setLabelText(QStringLiteral(" Impression en cours : %1 ligne(s) sur %2.").arg(printed_).arg(total_));
    dialog_->setValue(std::min(printed_, std::max(total_, 1)));
}

} // namespace carnelis
