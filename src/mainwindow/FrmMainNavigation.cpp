// The channel tree, the date navigation and the view dispatcher.
#include "mainwindow/FrmMain.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "grid/FrmSchedaGiorno.h"
#include "mainwindow/ChannelTree.h"
#include "mainwindow/DateNav.h"
#include "platform/Database.h"
#include "platform/Windows.h"
#include "views/FrmReport.h"
#include "views/FrmSchedaHtml.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCursor>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

namespace orv {

namespace {
constexpr int KeyRole = Qt::UserRole;

QIcon treeIcon(const QString &key)
{
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    static const QHash<QString, QStyle::StandardPixmap> pictures = {
        {QStringLiteral("root1"), QStyle::SP_DirHomeIcon},
        {QStringLiteral("parabola"), QStyle::SP_DriveNetIcon},
        {QStringLiteral("televisione2"), QStyle::SP_ComputerIcon},
        {QStringLiteral("televisione"), QStyle::SP_DesktopIcon},
        {QStringLiteral("sport"), QStyle::SP_DialogYesButton},
        {QStringLiteral("ragazzi"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("locali"), QStyle::SP_DirIcon},
        {QStringLiteral("radio"), QStyle::SP_MediaVolume},
    };
    auto it = pictures.find(key);
    const QIcon icon = it == pictures.end() ? QIcon() : QApplication::style()->standardIcon(*it);
    cache.insert(key, icon);
    return icon;
}
} // namespace

void FrmMain::LOAD_TV()
{
    TreeView1->clear();
    auto *root = new QTreeWidgetItem(TreeView1, {QString::fromLatin1(channeltree::RootText)});
    root->setData(0, KeyRole, QString::fromLatin1(channeltree::RootKey));
    root->setData(0, Qt::UserRole + 1, QString::fromLatin1(channeltree::RootImage));
    root->setIcon(0, treeIcon(QString::fromLatin1(channeltree::RootImage)));
    root->setExpanded(true);
    TreeView1->scrollToItem(root);

    std::vector<channeltree::Row> rows;
    try {
        Database db = Database::open(PercorsoPalinsesti);
        rows = channeltree::readRows(db);
    } catch (const std::exception &) {
        mainWindow().writeStatus(3, QStringLiteral("*"));
        return;
    }
    QSet<QString> keys{QString::fromLatin1(channeltree::RootKey)};
    QList<QTreeWidgetItem *> nodes;
    for (const channeltree::Row &row : rows) {
        const std::optional<QString> image = channeltree::nodeImage(row.antenna, FiltroAntenna);
        if (!image)
            continue;
        // A row the tree cannot take (no name, a key already used) is
        // skipped alone; the channels after it are still listed.
        if (row.name.isEmpty() || keys.contains(row.name)) {
            mainWindow().writeStatus(3, QStringLiteral("*"));
            continue;
        }
        keys.insert(row.name);
        auto *node = new QTreeWidgetItem({row.name});
        node->setData(0, KeyRole, row.name);
        node->setData(0, Qt::UserRole + 1, *image);
        node->setIcon(0, treeIcon(*image));
        nodes.append(node);
    }
    // Added at once: one insertion instead of one per channel.
    root->addChildren(nodes);
}

void FrmMain::SEARCH_TV_TREE()
{
    auto find = [this]() -> QTreeWidgetItem * {
        QTreeWidgetItemIterator it(TreeView1);
        for (; *it; ++it)
            if ((*it)->text(0) == TvCorrente)
                return *it;
        return nullptr;
    };
    QTreeWidgetItem *node = find();
    if (!node && FiltroAntenna != 0) {
        // The channel may be hidden by the group filter: show every group
        // rather than leave another channel selected.
        bool exists = false;
        try {
            Database db = Database::open(PercorsoPalinsesti);
            for (const channeltree::Row &row : channeltree::readRows(db))
                exists = exists || (row.name == TvCorrente && channeltree::nodeImage(row.antenna, 0));
        } catch (const std::exception &e) {
            mainWindow().writeStatus(1, QString::fromUtf8(e.what()));
        }
        if (exists) {
            m_menuv_Click(0);
            node = find();
        }
    }
    if (node)
        TreeView1->setCurrentItem(node);
}

QString FrmMain::currentChannel() const
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    return node ? node->data(0, KeyRole).toString() : QString();
}

QDate FrmMain::currentDay() const { return MonthView1->selectedDate(); }

void FrmMain::setCurrentDay(const QDate &day) { MonthView1->setSelectedDate(day); }

void FrmMain::TreeView1_NodeClick(QTreeWidgetItem *node)
{
    if (node)
        TreeView1->setCurrentItem(node);
    VistaCorrente = 1;
    SMISTAMENTO_VISUALIZZAZIONI();
}

void FrmMain::SMISTAMENTO_VISUALIZZAZIONI()
{
    try {
        switch (VistaCorrente) {
        case 2:
            Windows::get<FrmReport>().VISUALIZZA_RICERCA_HTML_REPORT();
            break;
        case 3:
            Windows::get<FrmSchedaGiorno>().RICARICA_GRIGLIA();
            break;
        default:
            CARICA_SCHEDA_PALINSESTO();
            break;
        }
    } catch (const std::exception &) {
        mainWindow().writeStatus(3, QStringLiteral("*"));
    }
}

void FrmMain::CARICA_SCHEDA_PALINSESTO()
{
    FrmSchedaHtml &card = Windows::get<FrmSchedaHtml>();
    card.CARICA_SCHEDA(currentChannel(), currentDay());
    // The card asked for is the one the user sees.
    showChild(card);
}

// ---------------------------------------------------------------- dates

void FrmMain::setLabDATA(int index, const QString &text)
{
    stopHoverTimer();
    if (index == 2)
        LabDATA[2]->setText(datenav::weekdayName(datenav::weekdayNumber(currentDay())));
    else
        LabDATA[index]->setText(text);
}

void FrmMain::refreshDateLabels(const QDate &shown)
{
    setLabDATA(0, datenav::shortDate(shown));
    setLabDATA(1, datenav::shortDate(shown));
    setLabDATA(2, QString::number(datenav::weekdayNumber(shown)));
}

void FrmMain::CmdGiornoDx_Click() { setCurrentDay(currentDay().addDays(1)); MonthView1_DateClick(); }

void FrmMain::CmdGiornoSx_Click() { setCurrentDay(currentDay().addDays(-1)); MonthView1_DateClick(); }

void FrmMain::MonthView1_DateClick()
{
    refreshDateLabels(currentDay());
    SMISTAMENTO_VISUALIZZAZIONI();
}

void FrmMain::DTPicker1_Change() { MonthView1_DateClick(); }

void FrmMain::DTPicker1_Click()
{
    refreshDateLabels(DTPicker1->date());
    SMISTAMENTO_VISUALIZZAZIONI();
}

// ---------------------------------------------------------------- group filter

void FrmMain::ImgFrecce_Click() { menu1->popup(QCursor::pos()); }

void FrmMain::m_menuv_Click(int index)
{
    if (index < 0 || index > 7)
        return;
    HighLabel1->hide();
    FiltroAntenna = qint16(index);
    LabTitoloBar[3]->setText(Lingua[channeltree::GroupTitleText[index]]);
    LOAD_TV();
}

} // namespace orv
