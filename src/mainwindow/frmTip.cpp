#include "mainwindow/frmTip.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/UserStore.h"
#include "mainwindow/MainState.h"
#include "platform/Text.h"
#include "platform/Windows.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr const char *TipFile = "TIPOFDAY.TXT";
constexpr const char *SettingName = "Show Tips at Startup";

UserStore store()
{
    if (!frmTip::storeFile.isEmpty())
        return UserStore::atFile(frmTip::storeFile);
    // The tip setting lives under the executable's own name.
    return UserStore(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}
} // namespace

frmTip::frmTip()
{
    setWindowTitle(QStringLiteral("Suggerimento del Giorno"));
    auto *layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Lo sapevi che..."), this);
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    Label1->setFont(bold);
    lblTipText = new QLabel(this);
    lblTipText->setWordWrap(true);
    lblTipText->setMinimumHeight(90);
    lblTipText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblTipText->installEventFilter(this);
    chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("Mostra i suggerimenti all'avvio"), this);
    cmdNextTip = new QPushButton(QStringLiteral("Suggerimento Successivo"), this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    layout->addWidget(Label1);
    layout->addWidget(lblTipText, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(chkLoadTipsAtStartup, 1);
    row->addWidget(cmdNextTip);
    row->addWidget(cmdOK);
    layout->addLayout(row);
    resize(460, 220);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, [](bool on) { setShowAtStartup(on); });
}

bool frmTip::showAtStartup() { return store().value(QLatin1String(SettingName), QStringLiteral("1")).toInt() != 0; }

void frmTip::setShowAtStartup(bool on)
{
    store().setValue(QLatin1String(SettingName), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void frmTip::open()
{
    const bool startup = TipAllAvvio;
    TipAllAvvio = false;
    if (startup && !showAtStartup())
        return;
    frmTip &tip = Windows::get<frmTip>();
    tip.Form_Load();
    Windows::toFront(tip);
}

void frmTip::Form_Load()
{
    mainWindow().stopHoverTimer();
    // A tip on show means tips at start-up again, also when the Help menu
    // opened it.
    chkLoadTipsAtStartup->setChecked(true);
    setShowAtStartup(true);
    tips_.clear();
    current_ = 0;
    if (!LoadTips(appPath(QLatin1String(TipFile)))) {
        const QString name = QLatin1String(TipFile);
        lblTipText->setText(QStringLiteral("File ") + name + QStringLiteral(" non trovato.\r\n\r\n") +
                            QStringLiteral("Creare un file di testo chiamato ") + name +
                            QStringLiteral(" utilizzando Blocco note ed inserire un suggerimento per riga. ") +
                            QStringLiteral("Salvare il file nella stessa directory dell'applicazione "));
    }
}

bool frmTip::LoadTips(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    tips_ = text::splitLinesAny(text::decode(file.readAll()));
    DoNextTip();
    return true;
}

void frmTip::DoNextTip()
{
    if (tips_.isEmpty())
        return;
    current_ = int(QRandomGenerator::global()->bounded(tips_.size())) + 1;
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!tips_.isEmpty() && current_ >= 1 && current_ <= tips_.size())
        lblTipText->setText(tips_[current_ - 1]);
}

void frmTip::cmdNextTip_Click() { DoNextTip(); }

void frmTip::applyCaptions()
{
    // The design texts stay where the language file has none.
    auto set = [](auto *w, int n) { w->setText(linguaOr(n, w->text())); };
    setWindowTitle(linguaOr(161, windowTitle()));
    set(Label1, 164);
    set(chkLoadTipsAtStartup, 165);
    set(cmdOK, 166);
    set(cmdNextTip, 167);
}

void frmTip::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        applyCaptions();
        mainWindow().stopHoverTimer();
    }
    QWidget::changeEvent(event);
}

} // namespace orv
