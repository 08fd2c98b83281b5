#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "platform/Browser.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "views/FrmSchedaHtml.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

namespace {

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return b->url().fileName() == "temp.htm" && !loaded.isEmpty(); }, 15000));
    QTest::qWait(300);
    QWidget *surface = b->focusProxy();
    ASSERT_NE(surface, nullptr);
    auto click = [&](int y) { QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(100, y)); };

    click(20);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !seam.opened.isEmpty(); }, 15000));
    EXPECT_EQ(seam.opened.value(0), (ProgrammeKey{20261206, QStringLiteral("Tele L'Aquila"), 4}));

    click(80);
    click(140);
    QTest::qWait(800);
    EXPECT_EQ(b->url().fileName(), QStringLiteral("temp.htm"));
    EXPECT_EQ(seam.opened.size(), 1);

    click(200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->url().fileName() == "other.htm"; }, 15000));
    Windows::unloadAll();
    installMainWindow(previous);
}
