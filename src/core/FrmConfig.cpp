#include "core/FrmConfig.h"

#include "core/AppState.h"
#include "core/GroupIcons.h"
#include "core/MainWindowSeam.h"
#include "core/Store.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orv {

FrmConfig::FrmConfig()
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildUi();
    setCaptions();
}

void FrmConfig::buildUi()
{
    resize(560, 520);
    auto *root = new QVBoxLayout(this);

    // The window's own title strip, under the frame's.
    LabInizio = new QWidget(this);
    LabInizio->setAutoFillBackground(true);
    LabInizio->setBackgroundRole(QPalette::Highlight);
    auto *strip = new QHBoxLayout(LabInizio);
    strip->setContentsMargins(8, 4, 4, 4);
    LabTitoloBar = new QLabel(LabInizio);
    LabTitoloBar->setForegroundRole(QPalette::HighlightedText);
    QFont bold = LabTitoloBar->font();
    bold.setBold(true);
    LabTitoloBar->setFont(bold);
    CmdClose = new QToolButton(LabInizio);
    CmdClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    CmdClose->setAutoRaise(true);
    strip->addWidget(LabTitoloBar, 1);
    strip->addWidget(CmdClose);
    root->addWidget(LabInizio);

    Frame1 = new QGroupBox(this);
    auto *frame = new QHBoxLayout(Frame1);
    auto *left = new QVBoxLayout;
    Label1 = new QLabel(Frame1);
    TreeView1 = new QTreeWidget(Frame1);
    TreeView1->setHeaderHidden(true);
    TreeView1->setRootIsDecorated(false);
    TreeView1->setUniformRowHeights(true);
    auto *countRow = new QHBoxLayout;
    Label5 = new QLabel(Frame1);
    Label6 = new QLabel(Frame1);
    countRow->addWidget(Label5);
    countRow->addWidget(Label6, 1);
    left->addWidget(Label1);
    left->addWidget(TreeView1, 1);
    left->addLayout(countRow);

    auto *buttons = new QVBoxLayout;
    auto makeButton = [&](QStyle::StandardPixmap pixmap) {
        auto *b = new QToolButton(Frame1);
        b->setIcon(style()->standardIcon(pixmap));
        b->setIconSize(QSize(24, 24));
        buttons->addWidget(b);
        return b;
    };
    Command7 = makeButton(QStyle::SP_ArrowUp);
    Command8 = makeButton(QStyle::SP_ArrowDown);
    buttons->addSpacing(16);
    Command5 = makeButton(QStyle::SP_DialogApplyButton);
    Command4 = makeButton(QStyle::SP_DialogResetButton);
    buttons->addStretch(1);

    auto *right = new QVBoxLayout;
    Label2 = new QLabel(Frame1);
    Label7 = new QLabel(Frame1);
    for (QLabel *l : {Label2, Label7})
        l->setWordWrap(true);
    Label3 = new QLabel(Frame1);
    Label3->setFont(bold);
    Image1 = new QLabel(Frame1);
    Image1->setMinimumSize(96, 72);
    Image1->setAlignment(Qt::AlignCenter);
    Label8 = new QLabel(Frame1);
    Label8->setWordWrap(true);
    Label8->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Command3 = new QPushButton(Frame1);
    right->addWidget(Label2);
    right->addWidget(Label7);
    right->addSpacing(12);
    right->addWidget(Label3);
    right->addWidget(Image1);
    right->addWidget(Label8, 1);
    right->addWidget(Command3);

    frame->addLayout(left, 3);
    frame->addLayout(buttons);
    frame->addLayout(right, 2);
    root->addWidget(Frame1, 1);

    connect(CmdClose, &QToolButton::clicked, this, &QWidget::close);
    connect(Command3, &QPushButton::clicked, this, &FrmConfig::Command3_Click);
    connect(Command4, &QToolButton::clicked, this, &FrmConfig::Command4_Click);
    connect(Command5, &QToolButton::clicked, this, &FrmConfig::Command5_Click);
    connect(Command7, &QToolButton::clicked, this, &FrmConfig::Command7_Click);
    connect(Command8, &QToolButton::clicked, this, &FrmConfig::Command8_Click);
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *node) { TreeView1_NodeClick(node); });
    connect(TreeView1, &QTreeWidget::itemChanged, this, &FrmConfig::TreeView1_ItemChanged);

    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(Frame1),
                       static_cast<QWidget *>(LabTitoloBar), TreeView1->viewport()}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void FrmConfig::setCaptions()
{
    LabTitoloBar->setText(linguaOr(72, "Scelta dei palinsesti preferiti"));
    setWindowTitle(linguaOr(56, "Configurazione Orvento"));
    Frame1->setTitle(linguaOr(73, "Scegli i Tuoi Palinsesti"));
    Label1->setText(linguaOr(74, "Palinsesti Disponibili"));
    Label2->setText(linguaOr(75, "Seleziona una TV e usa le frecce per modificare il suo ordine"));
    Label7->setText(linguaOr(76, "Puoi anche selezionare tutte o nessuna come preferite"));
    Label5->setText(linguaOr(77, "Palinsesti Totali :"));
    Command3->setText(linguaOr(78, "Applica le modifiche fatte"));
    Command7->setToolTip(linguaOr(79, "Sposta in alto la TV"));
    Command8->setToolTip(linguaOr(80, "Sposta in basso la TV"));
    Command4->setToolTip(linguaOr(81, "De-seleziona Tutte"));
    Command5->setToolTip(linguaOr(82, "Selezionale Tutte"));
}

void FrmConfig::Form_Activate()
{
    setCaptions();
    CARICA_TV_ALBERO();
    mainWindow().stopHoverTimer();
}

void FrmConfig::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        // Back from another window of the program: the list shows the table
        // again. A box asked over the list, or another program, leaves the
        // unapplied changes alone.
        if (leftForOwnWindow_)
            Form_Activate();
        leftForOwnWindow_ = false;
        return;
    }
    const QWidget *now = QApplication::activeWindow();
    leftForOwnWindow_ = now && now != this && !now->isModal();
}

void FrmConfig::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void FrmConfig::CARICA_TV_ALBERO()
{
    const int selected = selectedIndex();
    const QString keep = selected >= 0 ? order_.entries()[selected].name : QString();
    filling_ = true;
    TreeView1->clear();
    try {
        Database db = Database::open(PercorsoPalinsesti);
        order_.load(db);
    } catch (const std::exception &) {
        order_ = ChannelOrder();
        mainWindow().writeStatus(3, QStringLiteral("*"));
    }
    int select = 0;
    for (int i = 0; i < order_.count(); ++i) {
        TreeView1->addTopLevelItem(new QTreeWidgetItem);
        showEntry(i);
        if (order_.entries()[i].name == keep)
            select = i;
    }
    filling_ = false;
    modified_ = false;
    if (order_.count() > 0) {
        TreeView1->scrollToItem(TreeView1->topLevelItem(order_.count() - 1));
        TreeView1->setCurrentItem(TreeView1->topLevelItem(select));
        TreeView1->scrollToItem(TreeView1->topLevelItem(select));
    }
    Label6->setText(QString::number(order_.count()));
}

void FrmConfig::showEntry(int index)
{
    QTreeWidgetItem *item = TreeView1->topLevelItem(index);
    if (!item)
        return;
    const ChannelEntry &e = order_.entries()[index];
    const bool wasFilling = filling_;
    filling_ = true;
    const QString image = ChannelOrder::groupImageKey(e.group);
    item->setText(0, e.name);
    item->setData(0, KeyRole, e.name);
    item->setData(0, ImageRole, image);
    item->setIcon(0, GroupIcons::icon(image));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, e.ticked ? Qt::Checked : Qt::Unchecked);
    filling_ = wasFilling;
}

int FrmConfig::selectedIndex() const
{
    QTreeWidgetItem *item = TreeView1->currentItem();
    return item ? TreeView1->indexOfTopLevelItem(item) : -1;
}

void FrmConfig::TreeView1_ItemChanged(QTreeWidgetItem *item, int column)
{
    if (filling_ || column != 0)
        return;
    const int index = TreeView1->indexOfTopLevelItem(item);
    const bool ticked = item->checkState(0) == Qt::Checked;
    if (index < 0 || index >= order_.count() || order_.entries()[index].ticked == ticked)
        return;
    order_.setTicked(index, ticked);
    modified_ = true;
}

void FrmConfig::TreeView1_NodeClick(QTreeWidgetItem *node)
{
    if (!node)
        return;
    const QString name = node->text(0);
    Label3->setText(name);
    try {
        Database db = Database::open(PercorsoPalinsesti);
        if (auto c = TelevisioniTable(db).byName(name)) {
            Image1->clear();
            Label8->clear();
            QPixmap logo(appPath(QStringLiteral("\\loghitv\\") + QString::number(c->IDTV) + QStringLiteral(".gif")));
            if (!logo.isNull())
                Image1->setPixmap(logo);
            Label8->setText(c->Descrizione);
        }
    } catch (const std::exception &) {
        // The description is only informative; what was shown stays.
    }
    modified_ = true;
}

void FrmConfig::tickAll(bool on)
{
    modified_ = true;
    order_.setAllTicked(on);
    for (int i = 0; i < order_.count(); ++i)
        showEntry(i);
}

void FrmConfig::Command5_Click() { tickAll(true); }

void FrmConfig::Command4_Click() { tickAll(false); }

void FrmConfig::Command7_Click()
{
    const int s = selectedIndex();
    if (s == 0) {
        Prompt::message(linguaOr(86, "La TV selezionata e' gia' la prima della lista!"));
        return;
    }
    if (s < 0)
        return;
    modified_ = true;
    swapWith(s, s - 1);
}

void FrmConfig::Command8_Click()
{
    const int s = selectedIndex();
    if (s < 0)
        return;
    modified_ = true;
    if (s == order_.count() - 1) {
        Prompt::message(linguaOr(87, "La TV selezionata e' gia' l'ultima della lista!"));
        return;
    }
    swapWith(s, s + 1);
}

void FrmConfig::swapWith(int s, int p)
{
    if (!(p < s ? order_.moveUp(s) : order_.moveDown(s)))
        return;
    showEntry(s);
    showEntry(p);
    // The selection follows the moved channel.
    TreeView1->setCurrentItem(TreeView1->topLevelItem(p));
    TreeView1->scrollToItem(TreeView1->topLevelItem(p));
}

void FrmConfig::Command3_Click()
{
    try {
        Database db = Database::open(PercorsoPalinsesti);
        order_.apply(db);
        modified_ = false;
    } catch (const std::exception &) {
        // Nothing was written; the list stays marked so closing asks again.
        mainWindow().writeStatus(3, QStringLiteral("*"));
    }
    mainWindow().LOAD_TV();
    mainWindow().refreshGridIfCurrent();
}

void FrmConfig::closeEvent(QCloseEvent *event)
{
    if (modified_) {
        const Answer a = Prompt::message(linguaOr(88, "Hai modificato la lista dei palinsesti. Vuoi applicare le modifiche fatte?"),
                                         linguaOr(89, "Modifiche non applicate"), Buttons::OkCancel, Icon::Question,
                                         Answer::Cancel);
        if (a == Answer::Ok)
            Command3_Click();
        modified_ = false;
    }
    mainWindow().LOAD_TV();
    event->accept();
}

bool FrmConfig::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
        mainWindow().stopHoverTimer();
    return QWidget::eventFilter(watched, event);
}

} // namespace orv
