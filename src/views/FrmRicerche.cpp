#include "views/FrmRicerche.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "platform/Browser.h"
#include "platform/Prompt.h"
#include "views/ListPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace orv {

namespace {
const HtmlView::Design SearchDesign{"Ricerche Programmi Televisivi", "Scheda Ricerche", 1002, "htmlricerche",
                                    "ricerche.htm", "tempricerche.htm"};
}

FrmRicerche::FrmRicerche() : HtmlView(SearchDesign)
{
    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(Frame1);
    Label1 = new QLabel(Frame1);
    TxtRicerca = new QLineEdit(Frame1);
    Command1 = new QPushButton(Frame1);
    Command1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Command1->setToolTip(QStringLiteral("Cerca"));
    Check2 = new QCheckBox(Frame1);
    Check3 = new QCheckBox(Frame1);
    Check4 = new QCheckBox(Frame1);
    Check5 = new QCheckBox(Frame1);
    Check6 = new QCheckBox(Frame1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(TxtRicerca, 0, 1, 1, 2);
    grid->addWidget(Command1, 0, 3);
    grid->addWidget(Check2, 1, 0, 1, 2);
    grid->addWidget(Check3, 1, 2, 1, 2);
    grid->addWidget(Check4, 2, 0, 1, 2);
    grid->addWidget(Check5, 2, 2, 1, 2);
    grid->addWidget(Check6, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    connect(Command1, &QPushButton::clicked, this, &FrmRicerche::VISUALIZZA_RICERCA_HTML);
    connect(TxtRicerca, &QLineEdit::returnPressed, this, &FrmRicerche::VISUALIZZA_RICERCA_HTML);
    connect(this, &HtmlView::templateChosen, this, [](const QString &name) { HTMLRicerche = name; });

    const QString title = linguaOr(52, "Scheda Ricerche");
    setWindowTitle(title);
    LabTitoloBar->setText(title);
    applyToolbarTexts();
    Check2->setText(linguaOr(147, "Ricerca anche nei programmi vecchi"));
    Check3->setText(linguaOr(148, "Ricerca la parola esatta"));
    Check4->setText(linguaOr(149, "Ricerca solo fra i programmi Preferiti"));
    Check5->setText(linguaOr(150, "Ricerca solo fra i programmi con Promemoria"));
    Check6->setText(linguaOr(151, "Ricerca solo fra i programmi da Registrare"));
    Label1->setText(linguaOr(153, "Parole da ricercare :"));
    CARICA_CARD_RICERCHE();
}

void FrmRicerche::CARICA_CARD_RICERCHE()
{
    fillChooser(HTMLRicerche, QStringLiteral("The Directory "),
                QStringLiteral(" NON ESISTE !!  -> Installazione non riuscita ??"));
}

void FrmRicerche::VISUALIZZA_RICERCA_HTML()
{
    if (Combo1->currentText().isEmpty()) {
        Prompt::message(QStringLiteral("Non e' stata selezionata nessuna Scheda HTML!"));
        return;
    }
    HTMLRicerche = Combo1->currentText();
    runBuild([this] {
        const QDate shown = mainWindow().currentDay();
        const QDate today = QDate::currentDate();
        SearchRequest r;
        r.templatePath = templatePath(HTMLRicerche);
        r.dbPath = PercorsoDb;
        r.words = TxtRicerca->text();
        r.exact = Check3->isChecked();
        r.marked = Check4->isChecked();
        r.promemoria = Check5->isChecked();
        r.registra = Check6->isChecked();
        r.fromDay = Check2->isChecked() ? 0 : dayNumber(today.year(), today.month(), today.day());
        r.shownDay = dayNumber(shown.year(), shown.month(), shown.day());
        buildListPage(QStringLiteral("Ricerca - Attendere..."), r.templatePath, [&r](PageProgress *progress) { return buildSearchPage(r, progress); });
    });
}

void FrmRicerche::layoutTwips(int W, int H)
{
    HtmlView::layoutTwips(W, H);
    Frame1->setGeometry(twips(80, 1100, W - 280, 1800));
    WebBrowser1->setGeometry(twips(80, 3000, W - 280, H - 3500));
}

} // namespace orv
