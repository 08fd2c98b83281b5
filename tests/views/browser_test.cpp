#include "core/AppState.h"
#include "platform/Browser.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "views/FrmSchedaHtml.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

namespace {

bool waitFor(const std::function<bool()> &done, int ms = 15000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QTest::qWait(20);
    return done();
}

QString link(const char *attrs, int top)
{
    return QStringLiteral("<a %1 style='position:absolute;left:0;top:%2px;width:300px;height:40px;display:block;"
                          "background:#ccc'>x</a>\n")
        .arg(QString::fromUtf8(attrs))
        .arg(top);
}

} // namespace

// One browser, the real click path: an injected script in the page, the
// channel to C++, the pop-up's entry.
TEST(BrowserClicks, ProgrammeIdsOpenThePopUpOthersAreCancelledOrFollowed)
{
    test::TempApp app;
    FrmSchedaHtml &w = Windows::get<FrmSchedaHtml>();
    w.resize(800, 600);
    w.show();
    QFile(QDir(PercorsoApp).filePath(QStringLiteral("other.htm"))).open(QIODevice::WriteOnly);
    QFile page(w.pagePath());
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(QStringLiteral("<html><body>\n%1%2%3%4</body></html>")
                   .arg(link("tabindex='0' id='20261206#Tele L&#39;Aquila#4'", 0),
                        link("id='nohash' href='other.htm'", 60), link("id='20261206#Rai 1' href='other.htm'", 120),
                        link("href='other.htm'", 180))
                   .toUtf8());
    page.close();

    Browser *b = w.WebBrowser1;
    QSignalSpy loaded(b, &QWebEngineView::loadFinished);
    b->navigate(w.pagePath());
    ASSERT_TRUE(waitFor([&] { return b->url().fileName() == QStringLiteral("temp.htm") && !loaded.isEmpty(); }));
    QTest::qWait(300);
    QWidget *surface = b->focusProxy();
    ASSERT_NE(surface, nullptr);
    auto click = [&](int y) {
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(100, y));
    };

    PopUpData.clear();
    click(20);
    ASSERT_TRUE(waitFor([] { return !PopUpData.isEmpty(); }));
    EXPECT_EQ(PopUpData, QStringLiteral("20261206"));
    EXPECT_EQ(PopUpPalinsesto, QStringLiteral("Tele L'Aquila"));
    EXPECT_EQ(PopUpNumerazione, QStringLiteral("4"));

    PopUpData.clear();
    click(80);
    click(140);
    QTest::qWait(800);
    EXPECT_EQ(b->url().fileName(), QStringLiteral("temp.htm"));
    EXPECT_TRUE(PopUpData.isEmpty());

    click(200);
    EXPECT_TRUE(waitFor([&] { return b->url().fileName() == QStringLiteral("other.htm"); }));
    Windows::unloadAll();
}
