#include "views/FrmHigh.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "platform/Browser.h"
#include "platform/Files.h"
#include "platform/Prompt.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QToolBar>

namespace orv {

FrmHigh::FrmHigh()
{
    setMinimumSize(320, 240);
    addTitleBand(this);

    Toolbar1 = new QToolBar(this);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct B {
        const char *key, *text, *tip;
        QStyle::StandardPixmap pix;
        bool on;
    };
    const B buttons[] = {
        {"back", "Indietro", "", QStyle::SP_ArrowBack, false},
        {"forward", "Avanti", "", QStyle::SP_ArrowForward, false},
        {"save", "Salva", "", QStyle::SP_DialogSaveButton, false},
        {"elimina", "Elimina", "Elimina questo HighLight", QStyle::SP_TrashIcon, true},
        {"print", "Stampa", "Stampa questo HighLight", QStyle::SP_FileDialogDetailedView, true},
        {"refresh", "Aggiorna", "Ricarica la lista dei HighLights", QStyle::SP_BrowserReload, true},
        {"scarica", "Scarica", "Scarica nuovi HighLights se disponibili", QStyle::SP_ArrowDown, true},
        {"help", "Help", "Aiuto su questa Scheda", QStyle::SP_DialogHelpButton, true},
    };
    for (const B &b : buttons) {
        QAction *a = Toolbar1->addAction(style()->standardIcon(b.pix), QString::fromUtf8(b.text));
        const QString key = QString::fromUtf8(b.key);
        a->setData(key);
        a->setToolTip(QString::fromUtf8(b.tip));
        a->setEnabled(b.on);
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }

    File1 = new QListWidget(this);
    connect(File1, &QListWidget::itemClicked, this, &FrmHigh::File1_Click);
    // Server pages: no page scripts, no programme clicks.
    WebBrowser1 = new Browser(this);
    WebBrowser1->navigate(files::resolve(PercorsoApp, QStringLiteral("begin.htm")));

    const QString title = linguaOr(53, "Scheda HighLights");
    setWindowTitle(title);
    LabTitoloBar->setText(title);
    const std::pair<const char *, std::pair<int, const char *>> texts[] = {
        {"elimina", {90, "Elimina"}}, {"print", {91, "Stampa"}},  {"refresh", {92, "Aggiorna"}},
        {"scarica", {26, "Scarica"}}, {"help", {27, "Help"}}};
    for (const auto &[key, t] : texts)
        button(QString::fromUtf8(key))->setText(linguaOr(t.first, t.second));
    CARICA_HIGHLIGHTS();
}

QAction *FrmHigh::button(const QString &key) const
{
    for (QAction *a : Toolbar1->actions())
        if (a->data().toString() == key)
            return a;
    return nullptr;
}

QString FrmHigh::folder() const { return files::resolve(PercorsoApp, QStringLiteral("highlights")); }

void FrmHigh::CARICA_HIGHLIGHTS()
{
    File1->clear();
    const QString dir = folder();
    if (!QFileInfo(dir).isDir()) {
        mainWindow().writeStatus(1, QStringLiteral("The Directory ") +
                         QDir::toNativeSeparators(PercorsoApp + QStringLiteral("/highlights/")) +
                         QStringLiteral(" NON ESISTE !!  -> Installazione non riuscita ??"));
        return;
    }
    File1->addItems(QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase));
}

void FrmHigh::File1_Click()
{
    if (QListWidgetItem *item = File1->currentItem())
        WebBrowser1->navigate(QDir(folder()).filePath(item->text()));
}

void FrmHigh::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("scarica")) {
        // One job at a time: not while a download runs.
        MainWindowSeam &main = mainWindow();
        if (main.startJob()) {
            main.downloadHighlights();
            main.finishJob();
        }
    } else if (key == QLatin1String("elimina")) {
        deleteSelected();
    } else if (key == QLatin1String("refresh")) {
        CARICA_HIGHLIGHTS();
    } else if (key == QLatin1String("help")) {
        mainWindow().helpContext(1001);
    } else if (key == QLatin1String("print")) {
        WebBrowser1->printWithDialog();
    }
}

void FrmHigh::deleteSelected()
{
    QListWidgetItem *item = File1->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    if (Prompt::message(linguaOr(93, "Vuoi davvero eliminare l'HighLight") + u' ' + name + QStringLiteral(" ?"),
                        linguaOr(94, "Elimina HighLight"), Buttons::OkCancel, Icon::Question) != Answer::Ok)
        return;
    // The copy in restanti keeps the download from fetching the page again,
    // so the page goes only once its copy is in place.
    const QDir dir(folder());
    const QString source = dir.filePath(name);
    const QString kept = dir.filePath(QStringLiteral("restanti/") + name);
    const QString part = kept + QStringLiteral(".part");
    QFile::remove(part);
    const bool copied = QFileInfo(source).isFile() && dir.mkpath(QStringLiteral("restanti")) &&
                        QFile::copy(source, part) && (!QFile::exists(kept) || QFile::remove(kept)) &&
                        QFile::rename(part, kept);
    QFile::remove(part);
    if (!copied || !QFile::remove(source)) {
        Prompt::message(QStringLiteral("Impossibile spostare l'HighLight in restanti: il file non e' stato eliminato."));
        return;
    }
    CARICA_HIGHLIGHTS();
}

void FrmHigh::resizeEvent(QResizeEvent *event)
{
    MdiChild::resizeEvent(event);
    const QWidget *frame = parentWidget() && !isWindow() ? parentWidget() : this;
    const int W = frame->width() * Twips, H = frame->height() * Twips;
    placeTitleBand(W);
    Toolbar1->setGeometry(twips(80, 500, W - 280, 480));
    File1->setGeometry(twips(80, 1050, W - 280, 1350));
    WebBrowser1->setGeometry(twips(80, 2500, W - 280, H - 3000));
}

} // namespace orv
