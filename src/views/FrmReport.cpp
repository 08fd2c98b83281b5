#include "views/FrmReport.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "platform/Browser.h"
#include "platform/Prompt.h"
#include "views/ListPages.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {
const HtmlView::Design ReportDesign{"Report Giornaliero", "Scheda Report Giornaliero", 1002, "htmlreport",
                                    "report.htm", "tempreport.htm"};
}

FrmReport::FrmReport() : HtmlView(ReportDesign)
{
    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::StyledPanel);
    // Two rows, so the controls never overlap in a narrow window.
    auto *rows = new QGridLayout(Frame1);
    rows->setContentsMargins(6, 2, 6, 2);
    rows->setVerticalSpacing(2);
    Label1 = new QLabel(QStringLiteral("Seleziona il Tipo :"), Frame1);
    CmbRicerca = new QComboBox(Frame1);
    CmbRicerca->setEditable(true);
    CmbRicerca->setMinimumWidth(160);
    Label2 = new QLabel(QStringLiteral("Dalle Ore :"), Frame1);
    TxtInizio = new QLineEdit(QStringLiteral("12:00"), Frame1);
    Label3 = new QLabel(QStringLiteral("Alle Ore :"), Frame1);
    TxtFine = new QLineEdit(QStringLiteral("23:59"), Frame1);
    for (QLineEdit *e : {TxtInizio, TxtFine})
        e->setMaximumWidth(70);
    Command1 = new QPushButton(QStringLiteral("Crea il Report"), Frame1);
    rows->addWidget(Label1, 0, 0);
    rows->addWidget(CmbRicerca, 0, 1);
    rows->addWidget(Command1, 0, 2, 1, 2);
    rows->addWidget(Label2, 1, 0);
    rows->addWidget(TxtInizio, 1, 1, Qt::AlignLeft);
    rows->addWidget(Label3, 1, 2);
    rows->addWidget(TxtFine, 1, 3, Qt::AlignLeft);
    rows->setColumnStretch(4, 1);
    connect(Command1, &QPushButton::clicked, this, &FrmReport::VISUALIZZA_RICERCA_HTML_REPORT);
    CmbRicerca->installEventFilter(this);
    connect(this, &HtmlView::templateChosen, this, [](const QString &name) { HTMLReport = name; });

    VistaCorrente = 2;
    CARICA_CARD_REPORT();
    CmbRicerca->clear();
    CmbRicerca->addItems({QStringLiteral("Film"), QStringLiteral("Telefilm"), QStringLiteral("Serie TV"),
                          QStringLiteral("Notiziario"), QStringLiteral("Magazine"), QStringLiteral("Informazione"),
                          QStringLiteral("Animazione")});
    CmbRicerca->setCurrentText(QStringLiteral("Film"));
}

void FrmReport::CARICA_CARD_REPORT()
{
    fillChooser(HTMLReport, QStringLiteral("The Directory "), QStringLiteral(" NON ESISTE !!  -> Installazione non riuscita ??"));
}

void FrmReport::Form_Activate()
{
    VistaCorrente = 2;
    const QString title = linguaOr(54, "Scheda Report Giornaliero");
    setWindowTitle(title);
    LabTitoloBar->setText(title);
    applyToolbarTexts();
    Label1->setText(linguaOr(144, "Seleziona il Tipo :"));
    Label2->setText(linguaOr(145, "Dalle Ore :"));
    Label3->setText(linguaOr(146, "Alle Ore :"));
}

void FrmReport::VISUALIZZA_RICERCA_HTML_REPORT()
{
    if (Combo1->currentText().isEmpty()) {
        Prompt::message(QStringLiteral("Non e' stata selezionata nessuna Scheda HTML!"));
        return;
    }
    const auto from = normaliseTime(TxtInizio->text());
    const auto to = normaliseTime(TxtFine->text());
    if (!from || !to) {
        Prompt::message(QStringLiteral("Orario non valido: usa il formato hh:mm"));
        (from ? TxtFine : TxtInizio)->setFocus();
        return;
    }
    TxtInizio->setText(*from);
    TxtFine->setText(*to);
    HTMLReport = Combo1->currentText();
    runBuild([this] {
        const QDate day = mainWindow().currentDay();
        ReportRequest r;
        r.templatePath = templatePath(HTMLReport);
        r.dbPath = PercorsoDb;
        r.day = dayNumber(day.year(), day.month(), day.day());
        r.type = CmbRicerca->currentText();
        r.from = TxtInizio->text();
        r.to = TxtFine->text();
        buildListPage(QStringLiteral("Creazione Report - Attendere..."), r.templatePath, [&r](PageProgress *progress) { return buildReportPage(r, progress); });
    });
}

bool FrmReport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CmbRicerca && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            VISUALIZZA_RICERCA_HTML_REPORT();
            return true;
        }
    }
    return HtmlView::eventFilter(watched, event);
}

void FrmReport::layoutTwips(int W, int H)
{
    HtmlView::layoutTwips(W, H);
    Frame1->setGeometry(twips(80, 1100, W - 280, 1300));
    WebBrowser1->setGeometry(twips(80, 2550, W - 280, H - 3050));
}

} // namespace orv
