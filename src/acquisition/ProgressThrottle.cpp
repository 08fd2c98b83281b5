#include "acquisition/ProgressThrottle.h"

#include <QTimer>

namespace orv {

ProgressThrottle::ProgressThrottle(std::function<void(int)> apply, int intervalMs, QObject *parent)
    : QObject(parent), apply_(std::move(apply)), intervalMs_(intervalMs), timer_(new QTimer(this))
{
    elapsed_.start();
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &ProgressThrottle::flush);
}

qint64 ProgressThrottle::now() const { return clock_ ? clock_() : elapsed_.elapsed(); }

void ProgressThrottle::set(int value)
{
    const qint64 t = now();
    if (!last_ || t - *last_ >= intervalMs_) {
        pending_.reset();
        timer_->stop();
        last_ = t;
        apply_(value);
        return;
    }
    pending_ = value;
    if (!timer_->isActive())
        timer_->start(int(intervalMs_ - (t - *last_)));
}

void ProgressThrottle::flush()
{
    timer_->stop();
    if (!pending_)
        return;
    const int value = *pending_;
    pending_.reset();
    last_ = now();
    apply_(value);
}

} // namespace orv
