#include "views/FrmSchedaHtml.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "platform/Browser.h"
#include "views/ListPages.h"

#include <QLabel>
#include <QPushButton>

namespace orv {

namespace {
const HtmlView::Design CardDesign{"Scheda Palinsesto", "Scheda Palinsesto", 1004, "htmlcards", "begin.htm",
                                  "temp.htm"};
}

FrmSchedaHtml::FrmSchedaHtml() : HtmlView(CardDesign)
{
    static const char *hints[] = {
        "Non ci sono programmi televisivi nel database",
        "Per scaricare la nuova programmazione dei palinsesti, premi il pulsante qui sotto",
        "Normalmente puoi andare anche nel menu' \"SCARICA\" programmi",
        "NOTA BENE : Se hai problemi nel collegamento, vai nella configurazione e seleziona \"Utilizza Server "
        "Proxy\", anche senza inserire i dati come Username, Password ecc...",
        "Il programma non causa costi di connessione: scarica solo pochi dati, una volta al giorno.",
        "SELEZIONA I TUOI PALINSESTI !! : Vai nella configurazione e scegli quelli che preferisci!"};
    for (int i = 0; i < 6; ++i) {
        LabSpiega[size_t(i)] = new QLabel(QString::fromUtf8(hints[i]), this);
        LabSpiega[size_t(i)]->setWordWrap(true);
        LabSpiega[size_t(i)]->lower();
    }
    QFont big = LabSpiega[0]->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    LabSpiega[0]->setFont(big);
    Command1 = new QPushButton(QStringLiteral("Importa I Nuovi Programmi Televisivi"), this);
    Command1->lower();
    connect(Command1, &QPushButton::clicked, this, &FrmSchedaHtml::Command1_Click);
    connect(this, &HtmlView::templateChosen, this, [](const QString &name) {
        CARD = name;
        mainWindow().SMISTAMENTO_VISUALIZZAZIONI();
    });
    VistaCorrente = 1;
    CARICA_CARD_HTML();
}

void FrmSchedaHtml::CARICA_CARD_HTML()
{
    fillChooser(CARD, linguaOr(162, "The Directory "), linguaOr(163, " NON ESISTE !!  -> Installazione non riuscita ??"));
}

void FrmSchedaHtml::Form_Activate()
{
    VistaCorrente = 1;
    const QString title = linguaOr(50, "Scheda Palinsesto");
    setWindowTitle(title);
    LabTitoloBar->setText(title);
    applyToolbarTexts();
    LabSpiega[0]->setText(linguaOr(157, "Non ci sono programmi televisivi nel database"));
    LabSpiega[1]->setText(
        linguaOr(158, "Per scaricare la nuova programmazione dei palinsesti, premi il pulsante qui sotto"));
    LabSpiega[2]->setText(linguaOr(159, "Normalmente puoi andare anche nel menu' \"SCARICA\" programmi"));
    Command1->setText(linguaOr(160, "Importa I Nuovi Programmi Televisivi"));
}

void FrmSchedaHtml::buildCard(const QString &channel, const QDate &day)
{
    runBuild([this, channel, day] {
        CardRequest r;
        r.templatePath = templatePath(CARD);
        r.dbPath = PercorsoDb;
        r.day = dayNumber(day.year(), day.month(), day.day());
        r.channel = channel;
        r.logo = channelLogo(PercorsoPalinsesti, channel);
        const PageBuild b = buildCardPage(r);
        sayBuildProblem(b.dbError, b.templateFound, r.templatePath);
        // A card without a first programme has no channel to read: "*". A
        // channel without a code gives no logo: "N".
        if (b.dbError.isEmpty() && b.page.rows == 0)
            mainWindow().writeStatus(1, QStringLiteral("*"));
        else if (b.page.rows > 0 && r.logo.isEmpty())
            mainWindow().writeStatus(1, QStringLiteral("N"));
        WebBrowser1->setVisible(b.page.rows > 0);
        showPage(b.page.html);
    });
}

void FrmSchedaHtml::Command1_Click()
{
    QPointer<FrmSchedaHtml> self(this);
    MainWindowSeam &main = mainWindow();
    main.downloadJob();
    if (self && !main.jobRunning())
        main.CARICA_SCHEDA_PALINSESTO();
}

void FrmSchedaHtml::layoutTwips(int W, int H)
{
    HtmlView::layoutTwips(W, H);
    int top = 1500;
    for (int i = 0; i < 6; ++i) {
        const int height = i == 0 ? 600 : 700;
        LabSpiega[size_t(i)]->setGeometry(twips(240, top, W - 600, height));
        top += height + (i == 2 ? 900 : 100);
        if (i == 2)
            Command1->setGeometry(twips(240, top - 850, 4800, 500));
    }
}

} // namespace orv
