#include "acquisition/ProgressThrottle.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ProgressThrottle, ValuesCloserThanTheIntervalAreHeldBackNotLost)
{
    std::vector<int> shown;
    qint64 clock = 1000;
    orv::ProgressThrottle throttle([&shown](int v) { shown.push_back(v); }, 50);
    throttle.setClock([&clock] { return clock; });
    throttle.set(1); // the first value shows at once
    clock += 10;
    throttle.set(2);
    clock += 10;
    throttle.set(3);
    EXPECT_EQ(shown, std::vector<int>{1});
    clock += 30; // 50 ms after the last shown value
    throttle.set(4);
    throttle.flush(); // nothing is held back any more
    clock += 5;
    throttle.set(5);
    throttle.flush(); // before a range change or the end of the run
    throttle.flush();
    EXPECT_EQ(shown, (std::vector<int>{1, 4, 5}));

    // Without a flush, the last value of a burst shows when the interval ends.
    clock += 1;
    throttle.set(7);
    QEventLoop loop;
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(shown, (std::vector<int>{1, 4, 5, 7}));
}
