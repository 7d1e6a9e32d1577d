#pragma once
#include "ReportProgress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <memory>

class QProgressDialog;
class QWidget;

namespace carnelis {

// The progress window of a long printing run: it appears only once the run has lasted
// about a second, shows the rows printed out of the total, and its Cancel button asks
// the run to stop.
class ReportProgressDialog : public ReportProgress {
public:
    explicit ReportProgressDialog(QWidget *parent);
    ~ReportProgressDialog() override;

    void begin(int total) override;
    bool advance(int printed) override;
    void end() override;

    bool isVisible() const;

private:
    QWidget *parent_;
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer started_;
    QElapsedTimer lastUpdate_;
    int total_ = 0;
};

} // namespace carnelis
