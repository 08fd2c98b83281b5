#include "mainwindow/MainFixture.h"

#include "details/ProgrammeDisplay.h"
#include "grid/FrmPopUpGhost.h"
#include "grid/FrmSchedaGiorno.h"
#include "grid/GridColumn.h"
#include "grid/GridView.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include <functional>

using namespace orv;
using namespace orv::test;

namespace {

// The hover delay with the real main window; its ticks are called directly.
class Hover : public MainFixture {
protected:
    void SetUp() override
    {
        MainFixture::SetUp();
        griglia = true;
        addProgramme(todayNumber(), QStringLiteral("Rai 1"), 1, QStringLiteral("Programma 1"));
        addProgramme(todayNumber(), QStringLiteral("Rai 1"), 2, QStringLiteral("Programma 2"));
        Database::open(PercorsoDb).exec(
            QStringLiteral("update Programmi set Durata = '60', ORA = printf('%d:00', 19 + Numerazione)"));
        // An index left from before the build must not count.
        LabProgHover = 0;
        m = &loadMain();
        g = &Windows::get<FrmSchedaGiorno>();
        g->HScroll1->setValue(48 + 40); // 20:00 of today at the left edge
    }
    // A point inside cell i, pixels of the canvas.
    QPoint inCell(int i, int dxTw = 300) const
    {
        return {(g->model().cellLeftAt(i, g->HScroll1->value()) + dxTw) / 15,
                (g->model().cellTopAt(i, g->VScroll1->value()) + 210) / 15};
    }
    void move(QWidget *w, const QPoint &pos)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            m->Timer_POP2_Timer();
    }
    bool cardShown() const { return Windows::loaded<FrmPopUpGhost>() && Windows::get<FrmPopUpGhost>().isVisible(); }

    FrmMain *m = nullptr;
    FrmSchedaGiorno *g = nullptr;
};

} // namespace

TEST_F(Hover, ANewCellArmsAndTheSixtyFirstTickOpensItsCardAtTheLatestPlace)
{
    ASSERT_EQ(g->model().ContaLabProg(), 2);
    // Cell 0 arms at once: no cell was hovered since the build.
    move(g->Frame2, inCell(0));
    EXPECT_TRUE(m->Timer_POP2->isActive());
    ticks(30);
    // Moving inside the cell keeps the count.
    const QPoint last = inCell(0, 900);
    move(g->Frame2, last);
    EXPECT_EQ(TickPopUp, 30);
    ticks(31);
    ASSERT_TRUE(cardShown());
    EXPECT_FALSE(m->Timer_POP2->isActive());
    FrmPopUpGhost &card = Windows::get<FrmPopUpGhost>();
    const QPoint pointer = g->Frame2->mapToGlobal(last);
    EXPECT_EQ(card.pos(), grid::hoverCardPlace(pointer, card.size(), g->screen()->availableGeometry()));
    EXPECT_EQ(card.display->Label2->text(), QStringLiteral("Programma 1"));

    // Any move in the same cell closes it, and it stays closed for that cell.
    move(g->Frame2, inCell(0, 600));
    EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>());
    EXPECT_FALSE(m->Timer_POP2->isActive());
    move(g->Frame2, inCell(1));
    EXPECT_TRUE(m->Timer_POP2->isActive());
}

TEST_F(Hover, CancelRowsAndCardFieldsStopTheDelayAndSomeCloseTheCard)
{
    auto arm = [&](int cell) {
        move(g->Frame2, inCell(cell));
        g->LabPROG_Click_2(cell);
        m->Timer_POP2->start();
        ASSERT_TRUE(cardShown());
    };
    // Channel name, day text, toolbar: timer off, the card stays.
    const QPoint name(600 / 15, 300 / 15);
    for (QWidget *w : std::initializer_list<QWidget *>{g->Frame1, g->Text1, g->Toolbar1}) {
        arm(0);
        move(w, w == g->Frame1 ? name : QPoint(2, 2));
        EXPECT_FALSE(m->Timer_POP2->isActive());
        EXPECT_TRUE(cardShown());
    }
    // The code box and the title strip do nothing.
    m->Timer_POP2->start();
    move(g->Frame1, QPoint(1400 / 15, 300 / 15));
    move(g->LabInizio, QPoint(5, 5));
    EXPECT_TRUE(m->Timer_POP2->isActive());
    // The window outside its frames, the canvas between cells and a
    // horizontal step: timer off and the card closed.
    const std::function<void()> closers[] = {
        [&] { move(g, QPoint(g->Frame2->geometry().left() - 3, g->height() - 3)); },
        [&] { move(g->Frame2, QPoint(g->Frame2->width() - 2, g->Frame2->height() - 2)); },
        [&] { g->HScroll1->setValue(g->HScroll1->value() + 1); },
    };
    for (const auto &close : closers) {
        arm(1);
        close();
        EXPECT_FALSE(m->Timer_POP2->isActive());
        EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>());
    }
    // On the card a heading does nothing; a field stops the delay and closes it.
    arm(0);
    FrmPopUpGhost &card = Windows::get<FrmPopUpGhost>();
    move(card.display->Label5, QPoint(1, 1));
    EXPECT_TRUE(cardShown());
    EXPECT_TRUE(m->Timer_POP2->isActive());
    move(card.display->Label2, QPoint(1, 1));
    EXPECT_FALSE(cardShown());
    EXPECT_FALSE(m->Timer_POP2->isActive());
}

TEST_F(Hover, ClosingTheGridDuringTheDelayEndsIt)
{
    move(g->Frame2, inCell(1));
    ticks(20);
    g->CmdClose_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(m->Timer_POP2->isActive());
    ticks(100);
    EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>());
    EXPECT_FALSE(Windows::loaded<FrmSchedaGiorno>());
}
