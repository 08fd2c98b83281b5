#include "views/HtmlView.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "platform/Browser.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "views/ListPages.h"
#include "views/ProgrammeId.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>

namespace orv {

HtmlView::HtmlView(const Design &design) : design_(design)
{
    setWindowTitle(QString::fromUtf8(design.caption));
    setMinimumSize(320, 240);
    addTitleBand(this);
    LabTitoloBar->setText(QString::fromUtf8(design.title));
    CmdClose->setToolTip(QStringLiteral("Chiudi"));

    Toolbar1 = new QToolBar(this);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto add = [this](const QString &key, const QString &text, QStyle::StandardPixmap pix) {
        QAction *a = Toolbar1->addAction(style()->standardIcon(pix), text);
        a->setData(key);
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        return a;
    };
    add(QStringLiteral("back"), QStringLiteral("Indietro"), QStyle::SP_ArrowBack);
    add(QStringLiteral("forward"), QStringLiteral("Avanti"), QStyle::SP_ArrowForward);
    Toolbar1->addSeparator();
    add(QStringLiteral("save"), QStringLiteral("Salva"), QStyle::SP_DialogSaveButton)->setEnabled(false);
    QAction *print = add(QStringLiteral("print"), QStringLiteral("Stampa"), QStyle::SP_FileDialogDetailedView);
    print->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), print->icon()));
    add(QStringLiteral("help"), QStringLiteral("Help"), QStyle::SP_DialogHelpButton);

    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setToolTip(QStringLiteral("Modello della pagina"));
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    connect(Combo1, &QComboBox::activated, this,
            [this](int i) { emit templateChosen(i >= 0 ? Combo1->itemText(i) : Combo1->currentText()); });

    WebBrowser1 = new Browser(this);
    WebBrowser1->setClickPages({QUrl::fromLocalFile(pagePath())}, programmeIdPattern());
    connect(WebBrowser1, &Browser::elementClicked, this, &HtmlView::openProgramme);
    WebBrowser1->navigate(files::resolve(PercorsoApp, QString::fromUtf8(design.startPage)));
}

HtmlView::~HtmlView() = default;

QAction *HtmlView::button(const QString &key) const
{
    for (QAction *a : Toolbar1->actions())
        if (a->data().toString() == key)
            return a;
    return nullptr;
}

void HtmlView::applyToolbarTexts()
{
    button(QStringLiteral("back"))->setText(linguaOr(142, "Indietro"));
    button(QStringLiteral("forward"))->setText(linguaOr(143, "Avanti"));
    button(QStringLiteral("print"))->setText(linguaOr(91, "Stampa"));
    button(QStringLiteral("help"))->setText(linguaOr(27, "Help"));
}

void HtmlView::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("back"))
        WebBrowser1->back();
    else if (key == QLatin1String("forward"))
        WebBrowser1->forward();
    else if (key == QLatin1String("print"))
        WebBrowser1->printWithDialog();
    else if (key == QLatin1String("help") && design_.helpContext)
        mainWindow().helpContext(design_.helpContext);
}

void HtmlView::CmdClose_Click() { unloadView(this); }

void HtmlView::fillChooser(const QString &stored, const QString &missingBefore, const QString &missingAfter)
{
    Combo1->clear();
    const QString folder = files::resolve(PercorsoApp, QString::fromUtf8(design_.folder));
    if (!QFileInfo(folder).isDir()) {
        const QString shown = QDir::toNativeSeparators(PercorsoApp + u'/' + QString::fromUtf8(design_.folder) + u'/');
        mainWindow().writeStatus(1, missingBefore + shown + missingAfter);
    } else {
        Combo1->addItems(templateChoices(folder));
    }
    Combo1->setCurrentText(stored);
}

QString HtmlView::templatePath(const QString &name) const
{
    return files::resolve(PercorsoApp, QString::fromUtf8(design_.folder) + u'/' + name);
}

QString HtmlView::pagePath() const { return QDir(PercorsoApp).filePath(QString::fromUtf8(design_.page)); }

void HtmlView::runBuild(const std::function<void()> &build)
{
    if (building_) {
        pending_ = true;
        return;
    }
    QPointer<HtmlView> self(this);
    building_ = true;
    do {
        pending_ = false;
        build();
    } while (self && pending_ && !closeAsked_);
    if (!self)
        return;
    building_ = false;
    if (closeAsked_) {
        closeAsked_ = false;
        unloadView(this);
    }
}

bool HtmlView::showPage(const QString &html)
{
    QString error;
    if (!writeListPage(pagePath(), html, &error)) {
        Prompt::message(QStringLiteral("Impossibile scrivere la pagina %1: %2")
                            .arg(QDir::toNativeSeparators(pagePath()), error));
        return false;
    }
    WebBrowser1->navigate(pagePath());
    return true;
}

void HtmlView::openProgramme(const QString &id)
{
    if (const auto key = parseProgrammeId(id))
        mainWindow().showProgramme(*key);
}

QSize HtmlView::outerTwips() const
{
    const QWidget *frame = parentWidget() && !isWindow() ? parentWidget() : this;
    const QSize s = frame->isWindow() ? frame->frameGeometry().size() : frame->size();
    return s * Twips;
}

void HtmlView::layoutTwips(int W, int H)
{
    placeTitleBand(W);
    Toolbar1->setGeometry(twips(80, 500, W - 280, 480));
    if (Combo1->parentWidget() == this) {
        // Right-aligned beside the toolbar's buttons; in a narrow window it
        // moves up into the title band, right of the title.
        const int right = (W - 400) / Twips;
        const int buttonsEnd = 80 / Twips + Toolbar1->sizeHint().width() + 8;
        const int height = 345 / Twips;
        int width = std::min(232, right - buttonsEnd);
        if (width >= 130) {
            Combo1->setGeometry(right - width, 560 / Twips, width, height);
        } else {
            const int titleEnd = 240 / Twips + LabTitoloBar->fontMetrics().horizontalAdvance(LabTitoloBar->text()) + 12;
            width = std::max(100, std::min(232, (W - 400) / Twips - titleEnd));
            Combo1->setGeometry(std::max(titleEnd, right - width), 75 / Twips, width, height);
        }
        Combo1->raise();
    }
    WebBrowser1->setGeometry(twips(80, 1000, W - 280, H - 1500));
}

void HtmlView::resizeEvent(QResizeEvent *event)
{
    MdiChild::resizeEvent(event);
    const QSize o = outerTwips();
    layoutTwips(o.width(), o.height());
}

void HtmlView::closeEvent(QCloseEvent *event)
{
    if (building_) {
        // The build notices at its next step and closes the window itself.
        closeAsked_ = true;
        event->ignore();
        return;
    }
    MdiChild::closeEvent(event);
}

void HtmlView::buildListPage(const QString &waitCaption, const QString &templatePath,
                             const std::function<PageBuild(PageProgress *)> &build)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PageBuild b;
    {
        WaitProgress progress(*this, waitCaption);
        b = build(&progress);
    }
    QApplication::restoreOverrideCursor();
    if (b.page.cancelled)
        return;
    if (b.page.overLimit)
        sayPageLimit();
    sayBuildProblem(b.dbError, b.templateFound, templatePath);
    showPage(b.page.html);
    mainWindow().showView(*this);
}

void HtmlView::sayPageLimit()
{
    Prompt::message(QStringLiteral("Limite di informazioni (500) in una pagina raggiunto, diminuire il "
                                   "tempo tra inizio e fine report"));
}

void HtmlView::sayBuildProblem(const QString &dbError, bool templateFound, const QString &templatePath)
{
    if (!dbError.isEmpty())
        mainWindow().writeStatus(1, dbError);
    else if (!templateFound)
        mainWindow().writeStatus(1, QStringLiteral("Modello non trovato: ") + templatePath);
}

HtmlView::WaitProgress::WaitProgress(HtmlView &view, const QString &caption) : view_(&view)
{
    mainWindow().waitShow(caption, QString());
    QCoreApplication::processEvents();
}

HtmlView::WaitProgress::~WaitProgress() { mainWindow().waitClose(); }

bool HtmlView::WaitProgress::step(const QString &text)
{
    // The count goes into the window the seam opened (it may not exist).
    mainWindow().waitText(text);
    QCoreApplication::processEvents();
    return view_ && !view_->closeAsked_;
}

} // namespace orv
