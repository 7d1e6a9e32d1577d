#pragma once
#include "ReportProgress.h"

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace carnelis {

// The progress window of a long printing run: it appears once the run has lasted about a
// second, shows the rows printed out of the total, and its Annuler button stops the run
// before the next row. While it is up, the events are looked at between rows; it is
// modal to the whole program, so that nothing else can touch the rows being printed.
class ReportProgressDialog : public ReportProgress {
public:
    // `follow` runs after each row while the printed row is current: the grid shows it.
    explicit ReportProgressDialog(QWidget *parent, std::function<void()> follow = {}, int showAfterMs = 1000);
    ~ReportProgressDialog() override;

    void begin(int total) override;
    bool advance(int printed) override;
    void end() override;

private:
    void show();
    void showCount();

    QWidget *parent_;
    std::function<void()> follow_;
    int showAfterMs_;
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer started_;
    // The count on screen is brought up to date a few times a second, and while the run
    // waits on a box, so that it never lags behind the paper.
    QTimer countTimer_;
    int total_ = 0;
    int printed_ = 0;
};

} // namespace carnelis
