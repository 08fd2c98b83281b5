#include "core/AppState.h"
#include "core/MainWindowSeam.h"
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

// Only the pop-up's entry is expected of the main window.
struct PopUpSeam : UnansweredSeam {
    QList<ProgrammeKey> opened;
    void showProgramme(const ProgrammeKey &key) override { opened << key; }
};

} // namespace

// One browser, the real click path: an injected script in the page, the
// channel to C++, the pop-up's entry.
TEST(BrowserClicks, ProgrammeIdsOpenThePopUpOthersAreCancelledOrFollowed)
{
    test::TempApp app;
    PopUpSeam seam;
    MainWindowSeam *previous = installMainWindow(&seam);
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

    click(20);
    ASSERT_TRUE(waitFor([&] { return !seam.opened.isEmpty(); }));
    EXPECT_EQ(seam.opened.value(0), (ProgrammeKey{20261206, QStringLiteral("Tele L'Aquila"), 4}));

    click(80);
    click(140);
    QTest::qWait(800);
    EXPECT_EQ(b->url().fileName(), QStringLiteral("temp.htm"));
    EXPECT_EQ(seam.opened.size(), 1);

    click(200);
    EXPECT_TRUE(waitFor([&] { return b->url().fileName() == QStringLiteral("other.htm"); }));
    Windows::unloadAll();
    installMainWindow(previous);
}
