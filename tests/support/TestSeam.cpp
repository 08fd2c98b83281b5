#include "support/TestSeam.h"

#include <QTest>

namespace orv::test {

void failQtTestOnUnanswered()
{
    UnansweredSeam::setReport([](const char *call) {
        QTest::qFail(qPrintable(QStringLiteral("nothing answers the main-window call ") + QLatin1String(call)),
                     __FILE__, __LINE__);
    });
}

} // namespace orv::test
