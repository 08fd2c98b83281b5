#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace orv {

// The please-wait window: a fixed text (Label7), the caller's message (Label1)
// and the caller's progress (ProgressBar1). Callers set the caption and the
// two controls, show it and unload it (Windows::unload<FrmWait>()).
//
// begin()/step()/finish() are the gentler road: the window only appears when
// the job is still running after a short while, so quick jobs do not flash it.
class FrmWait : public QWidget {
    Q_OBJECT
public:
    FrmWait();

    QLabel *Label7 = nullptr;
    QLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    void begin(const QString &caption, const QString &message, int maximum = 0);
    void step(int value, int maximum = -1);
    void finish();
    // How long a job runs before the window is shown by step().
    static constexpr int ShowAfterMs = 400;

protected:
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;

private:
    void showIfDue();
    QElapsedTimer started_;
    bool running_ = false;
};

} // namespace orv
