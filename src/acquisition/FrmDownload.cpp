#include "acquisition/FrmDownload.h"

#include "acquisition/FrmElaboraD.h"
#include "acquisition/ProgressThrottle.h"
#include "acquisition/UrlCopy.h"
#include "acquisition/script/ScriptsTV.h"
#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

namespace orv {

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

FrmDownload::FrmDownload() : cycle_(*this, &FrmDownload::fetch)
{
    setWindowTitle(QStringLiteral("Scaricamento Nuovi Programmi Televisivi"));

    Command1 = new QPushButton(QStringLiteral("Interrompi Download"), this);
    Command1->setEnabled(false);
    connect(Command1, &QPushButton::clicked, this, &FrmDownload::Command1_Click);
    Label1 = new QLabel(this);
    Image1 = new QLabel(this);
    Image1->setFixedSize(64, 48);
    Image1->setAlignment(Qt::AlignCenter);
    ProgressBar2 = new QProgressBar(this);
    ProgressBar2->setRange(0, 1);
    ProgressBar2->setValue(0);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(1, DownloadCycle::DatabaseBarMaximum);
    ProgressBar1->setValue(1);
    ProgressBar1->setTextVisible(false);
    ProgressBar2->setTextVisible(false);
    channelsDone_ = new ProgressThrottle([this](int v) { ProgressBar2->setValue(v); },
                                         ProgressThrottle::DefaultIntervalMs, this);
    dayIndex_ = new ProgressThrottle([this](int v) { ProgressBar1->setValue(v); },
                                     ProgressThrottle::DefaultIntervalMs, this);
    Label9 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    Label6 = new QLabel(this);
    StatusBar1 = new QLabel(this);
    StatusBar1->setFrameShape(QFrame::StyledPanel);
    StatusBar1->setFrameShadow(QFrame::Sunken);

    auto *top = new QHBoxLayout;
    top->addWidget(Image1);
    auto *status = new QVBoxLayout;
    status->addWidget(Label1);
    status->addWidget(Label9);
    top->addLayout(status, 1);

    auto *figures = new QGridLayout;
    figures->addWidget(caption(QStringLiteral("Bytes :"), this), 0, 0); // Label5
    figures->addWidget(Label2, 0, 1);
    figures->addWidget(caption(QStringLiteral("Totale :"), this), 0, 2); // Label4
    figures->addWidget(Label3, 0, 3);
    figures->addWidget(caption(QStringLiteral("Velocita' :"), this), 0, 4); // Label7
    figures->addWidget(Label6, 0, 5);

    buildRecordPanel();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ProgressBar2);
    layout->addWidget(ProgressBar1);
    layout->addLayout(figures);
    layout->addWidget(Frame5);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    layout->addWidget(StatusBar1);
    setMinimumWidth(520);

    setDownloadProgress(this);
    cycle_.setScriptRunner([this](const QString &script, const QString &channel, const QString &day) {
        return runScript(script, channel, day);
    });
}

FrmDownload::~FrmDownload()
{
    if (downloadProgress() == this)
        setDownloadProgress(nullptr);
}

void FrmDownload::buildRecordPanel()
{
    Frame5 = new QGroupBox(QStringLiteral("Informazioni Importate"), this);
    auto *grid = new QGridLayout(Frame5);
    TxtTitle = new QLineEdit(Frame5);
    TxtHour = new QLineEdit(Frame5);
    TxtType = new QLineEdit(Frame5);
    TxtCode = new QLineEdit(Frame5);
    TxtLink = new QLineEdit(Frame5);
    TxtCover = new QLineEdit(Frame5);
    TxtUserComments = new QPlainTextEdit(Frame5);
    TxtUserComments->setMaximumHeight(70);
    ImgCover = new QLabel(Frame5);
    ImgCover->setFixedSize(60, 80);
    struct Row {
        int index;
        const char *text;
        QWidget *field;
    };
    const Row rows[] = {{2, "Titolo :", TxtTitle}, {1, "Ora :", TxtHour},          {4, "Tipo :", TxtType},
                        {0, "Codice :", TxtCode},  {3, "Web Link :", TxtLink},     {5, "Informazioni :", TxtUserComments},
                        {13, "Immagini :", TxtCover}};
    int r = 0;
    for (const Row &row : rows) {
        auto *box = new QCheckBox(QString::fromUtf8(row.text), Frame5);
        // Shows what the script has taken; not for the user to tick.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        Check1[row.index] = box;
        grid->addWidget(box, r, 0);
        grid->addWidget(row.field, r, 1);
        ++r;
    }
    for (QLineEdit *e : {TxtTitle, TxtHour, TxtType, TxtCode, TxtLink, TxtCover})
        e->setReadOnly(true);
    TxtUserComments->setReadOnly(true);
    grid->addWidget(ImgCover, 0, 2, r, 1, Qt::AlignTop);
}

void FrmDownload::setFetch(FetchFn fetch) { cycle_.setFetch(std::move(fetch)); }
void FrmDownload::setScriptRunner(ScriptFn run) { cycle_.setScriptRunner(std::move(run)); }
void FrmDownload::setToday(const QDate &day)
{
    today_ = day;
    cycle_.setToday(day);
}

void FrmDownload::CICLO_TELEVISIONI()
{
    if (running_) {
        show();
        raise();
        activateWindow();
        return;
    }
    running_ = true;
    closeAfterCycle_ = false;
    ByteFile = 0;
    ByteCiclo = 0;
    InizioCiclo = QTime::currentTime();
    cycle_.run();
    const DownloadCycle::Report &report = cycle_.report();
    // Days that did not arrive are fetched again by the next run; an
    // unattended run still says it did not get everything.
    exitCode_ = report.cutShort || report.failedDays > 0 ? 1 : 0;
    if (AvvioDownload || Prompt::unattended()) {
        if (report.cutShort)
            std::fprintf(stderr, "Download interrotto: %s\n", report.reason.toLocal8Bit().constData());
        else if (report.failedDays > 0)
            std::fprintf(stderr, "Download incompleto: %d giorni non ricevuti.\n", report.failedDays);
    }

    FrmElaboraD &post = Windows::get<FrmElaboraD>();
    if (today_.isValid())
        post.setToday(today_);
    post.show();
    post.ELABORA_DURATA();
    running_ = false;
    if (closeAfterCycle_)
        close();
}

void FrmDownload::Command1_Click() { cycle_.stop(); }

void FrmDownload::closeEvent(QCloseEvent *event)
{
    if (running_) {
        // Closing during a cycle is a Stop; the window goes when it has ended.
        Command1_Click();
        closeAfterCycle_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void FrmDownload::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!AvvioDownload)
        mainWindow().stopHoverTimer();
}

void FrmDownload::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !AvvioDownload)
        mainWindow().stopHoverTimer();
}

FetchOutcome FrmDownload::fetch(const QString &url, const QString &file)
{
    switch (CopyURLToFile(url, file).outcome) {
    case net::Outcome::Fetched: return FetchOutcome::Fetched;
    case net::Outcome::NotFound: return FetchOutcome::NotFound;
    case net::Outcome::Failed: break;
    }
    return FetchOutcome::Failed;
}

void FrmDownload::setFileBytes(const QString &text) { Label2->setText(text); }
void FrmDownload::setCycleBytes(const QString &text) { Label3->setText(text); }
void FrmDownload::setRate(const QString &text) { Label6->setText(text); }

bool FrmDownload::runScript(const QString &script, const QString &channel, const QString &day)
{
    ScriptsTV &engine = ScriptsTV::shared();
    // The script's pages are transfers of the cycle: they count in the
    // window's figures and go through the proxy window when it is in use.
    engine.setFetch([](const QString &url, const QString &file) { COPIA_URL_SU_FILE(url, file); });
    engine.setRecordView(this);
    engine.ESEGUI_SCRIPT_TV(script, channel, day);
    engine.setRecordView(nullptr);
    return !engine.failed();
}

// ------------------------------------------------------------- RecordView

void FrmDownload::recordChanged(const ProgrammeRecord &record)
{
    TxtCode->setText(ProgrammeRecord::shown(record.TxtCode));
    TxtHour->setText(ProgrammeRecord::shown(record.TxtHour));
    TxtTitle->setText(ProgrammeRecord::shown(record.TxtTitle));
    TxtLink->setText(ProgrammeRecord::shown(record.TxtLink));
    TxtType->setText(ProgrammeRecord::shown(record.TxtType));
    TxtUserComments->setPlainText(ProgrammeRecord::shown(record.TxtUserComments));
    TxtCover->setText(record.TxtCover);
    // A filled field ticks its box and turns its caption green; cleared, black.
    for (auto &[index, box] : Check1) {
        const bool filled = record.Check1[size_t(index)];
        QPalette pal = box->palette();
        const QColor colour = filled ? QColor(0, 128, 0) : QColor(Qt::black);
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setColor(g, box->foregroundRole(), colour);
        box->setPalette(pal);
        box->setChecked(filled);
    }
}

void FrmDownload::captionChanged(const QString &caption) { setWindowTitle(caption); }

void FrmDownload::coverChanged(const QImage &picture)
{
    ImgCover->setPixmap(QPixmap::fromImage(picture).scaled(ImgCover->size(), Qt::KeepAspectRatio,
                                                           Qt::SmoothTransformation));
}

// ------------------------------------------------------------ DownloadView

void FrmDownload::setStatus(const QString &text) { Label1->setText(text); }
void FrmDownload::setConnection(const QString &text) { StatusBar1->setText(text); }
void FrmDownload::setStopEnabled(bool on) { Command1->setEnabled(on); }
void FrmDownload::setChannelRange(int maximum)
{
    // With no channel the bar keeps its range (an empty range is a busy bar).
    if (maximum > 0) {
        channelsDone_->flush();
        ProgressBar2->setRange(0, maximum);
    }
}
void FrmDownload::setChannelsDone(int done) { channelsDone_->set(done); }
void FrmDownload::setDayRange(int minimum, int maximum)
{
    dayIndex_->flush();
    ProgressBar1->setRange(minimum, maximum);
}
void FrmDownload::setDayIndex(int index) { dayIndex_->set(index); }

void FrmDownload::setDay(const QDate &day)
{
    MonthView1 = day;
    Label9->setText(day.toString(QStringLiteral("dd/MM/yyyy")));
}

void FrmDownload::setLogo(const QString &file)
{
    QPixmap logo(file);
    if (!logo.isNull())
        Image1->setPixmap(logo.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void FrmDownload::markReadFailure() { StatusBar1->setText(QStringLiteral("~")); }

void FrmDownload::finishBars()
{
    channelsDone_->flush();
    dayIndex_->flush();
    ProgressBar2->setValue(ProgressBar2->maximum());
    ProgressBar1->setValue(ProgressBar1->maximum());
}

void FrmDownload::processEvents() { QCoreApplication::processEvents(); }

} // namespace orv
