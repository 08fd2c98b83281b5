#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <optional>

class QTimer;

namespace orv {

// Passes a progress value on at most once per interval, so that a bar fed
// on every step of a fast loop is not repainted each time. A value held back
// is passed on when the interval ends, so the bar always ends on the last
// value it was given.
class ProgressThrottle : public QObject {
public:
    static constexpr int DefaultIntervalMs = 50;
    using Clock = std::function<qint64()>; // milliseconds, never going back

    explicit ProgressThrottle(std::function<void(int)> apply, int intervalMs = DefaultIntervalMs,
                              QObject *parent = nullptr);
    void setClock(Clock clock) { clock_ = std::move(clock); }

    void set(int value);
    // Passes a held-back value on now (before the bar's range changes).
    void flush();

private:
    qint64 now() const;

    std::function<void(int)> apply_;
    int intervalMs_;
    Clock clock_;
    QElapsedTimer elapsed_;
    QTimer *timer_;
    std::optional<qint64> last_; // when a value was last passed on
    std::optional<int> pending_;
};

} // namespace orv
