#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace orv {

// The About box: name, version, notices, links and a small animation.
class FrmAbout : public QWidget {
    Q_OBJECT
public:
    FrmAbout();

    // One tick of the animation (every 100 ms while the box is open).
    void Timer2_Timer();
    int step() const { return step_; }

    QLabel *Image10 = nullptr;
    QLabel *Image11 = nullptr;
    QLabel *Image12 = nullptr;
    QTimer *Timer2 = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *link(const QString &text, const QString &address);
    int step_ = 0;
    QPoint origin_;
};

} // namespace orv
