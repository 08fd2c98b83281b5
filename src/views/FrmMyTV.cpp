#include "views/FrmMyTV.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "platform/Browser.h"
#include "platform/Prompt.h"
#include "views/ListPages.h"
#include "views/MyTvPage.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace orv {

namespace {
const HtmlView::Design MyTvDesign{"MyTV : La mia programmazione preferita",
                                  "Scheda MyTV : Tutti i miei programmi preferiti", 0, "mytv", "mytv.htm",
                                  "tempmytv.htm"};
}

FrmMyTV::FrmMyTV() : HtmlView(MyTvDesign)
{
    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(Frame1);
    DTPicker1 = new QDateEdit(Frame1);
    DTPicker1->setCalendarPopup(true);
    DTPicker1->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    Command1 = new QPushButton(QStringLiteral("Crea la scheda MyTV !"), Frame1);
    Combo1->setParent(Frame1);
    row->addWidget(new QLabel(QStringLiteral("Modello :"), Frame1));
    row->addWidget(Combo1, 1);
    row->addWidget(new QLabel(QStringLiteral("Dal giorno :"), Frame1));
    row->addWidget(DTPicker1);
    row->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, &FrmMyTV::VISUALIZZA_MYTV_HTML_REPORT);
    connect(this, &HtmlView::templateChosen, this, [this](const QString &name) {
        HTMLmytv = name;
        VISUALIZZA_MYTV_HTML_REPORT();
    });
    VistaCorrente = 4;
    DTPicker1->setDate(mainWindow().currentDay());
    CARICA_CARD_MYTV();
}

void FrmMyTV::CARICA_CARD_MYTV()
{
    fillChooser(HTMLmytv, QStringLiteral("The Directory "),
                QStringLiteral(" NON ESISTE !!  -> Installazione non riuscita ??"));
}

void FrmMyTV::Form_Activate() { VistaCorrente = 4; }

void FrmMyTV::VISUALIZZA_MYTV_HTML_REPORT()
{
    if (Combo1->currentText().isEmpty()) {
        Prompt::message(QStringLiteral("Non e' stata selezionata nessuna Scheda MyTV!"));
        return;
    }
    HTMLmytv = Combo1->currentText();
    runBuild([this] {
        bool found = false;
        const QString path = templatePath(HTMLmytv);
        const QString text = MyTvPage::readTemplate(path, &found);
        QString dbError;
        Database db;
        try {
            db = Database::open(PercorsoDb);
        } catch (const std::exception &e) {
            dbError = dbErrorText(e);
        }
        auto dayRows = [&](qint32 day) -> std::vector<Programme> {
            if (!db.isOpen())
                return {};
            try {
                return ProgrammiTable(db).markedOnDay(day, MyTvPage::DayLimit + 1);
            } catch (const std::exception &e) {
                dbError = dbErrorText(e);
                return {};
            }
        };
        QApplication::setOverrideCursor(Qt::WaitCursor);
        MyTvPage::Result r;
        {
            WaitProgress progress(*this, QStringLiteral("Creazione MyTV - Attendere..."));
            r = MyTvPage::build(text, DTPicker1->date(), dayRows, &progress);
        }
        QApplication::restoreOverrideCursor();
        if (r.cancelled)
            return;
        if (r.overDayLimit)
            sayPageLimit();
        if (r.overCapacity)
            Prompt::message(QStringLiteral("Attenzione : Ci sono piu' programmi preferiti di quanto questa scheda "
                                           "puo' contenere, Scegliene una piu' Capiente!"));
        sayBuildProblem(dbError, found, path);
        showPage(r.html);
        mainWindow().showView(*this);
    });
}

void FrmMyTV::layoutTwips(int W, int H)
{
    HtmlView::layoutTwips(W, H);
    Frame1->setGeometry(twips(80, 1000, W - 280, 700));
    WebBrowser1->setGeometry(twips(80, 1750, W - 280, H - 2350));
}

} // namespace orv
