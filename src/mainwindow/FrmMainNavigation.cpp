// The channel tree, the date navigation and the view dispatcher.
#include "mainwindow/FrmMain.h"

#include "core/AppState.h"
#include "core/GroupIcons.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "grid/FrmSchedaGiorno.h"
#include "mainwindow/ChannelTree.h"
#include "mdi/DateNav.h"
#include "platform/Database.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "views/FrmReport.h"
#include "views/FrmSchedaHtml.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

namespace orv {

namespace {
constexpr int KeyRole = Qt::UserRole;
} // namespace

void FrmMain::LOAD_TV()
{
    TreeView1->clear();
    auto *root = new QTreeWidgetItem(TreeView1, {QString::fromLatin1(channeltree::RootText)});
    root->setData(0, KeyRole, QString::fromLatin1(channeltree::RootKey));
    root->setData(0, Qt::UserRole + 1, QString::fromLatin1(channeltree::RootImage));
    root->setIcon(0, GroupIcons::icon(QString::fromLatin1(channeltree::RootImage)));
    root->setExpanded(true);
    TreeView1->scrollToItem(root);

    std::vector<Channel> rows;
    try {
        Database db = Database::open(PercorsoPalinsesti);
        rows = TelevisioniTable(db).activeVisibleByPosition();
    } catch (const std::exception &) {
        mainWindow().writeStatus(3, QStringLiteral("*"));
        return;
    }
    QSet<QString> keys{QString::fromLatin1(channeltree::RootKey)};
    QList<QTreeWidgetItem *> nodes;
    for (const Channel &row : rows) {
        const std::optional<QString> image = channeltree::nodeImage(row.ANTENNA, FiltroAntenna);
        if (!image)
            continue;
        // A row the tree cannot take (no name, a key already used) is
        // skipped alone; the channels after it are still listed.
        if (row.NOMETV.isEmpty() || keys.contains(row.NOMETV)) {
            mainWindow().writeStatus(3, QStringLiteral("*"));
            continue;
        }
        keys.insert(row.NOMETV);
        auto *node = new QTreeWidgetItem({row.NOMETV});
        node->setData(0, KeyRole, row.NOMETV);
        node->setData(0, Qt::UserRole + 1, *image);
        node->setIcon(0, GroupIcons::icon(*image));
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
            for (const Channel &row : TelevisioniTable(db).activeVisibleByPosition())
                exists = exists || (row.NOMETV == TvCorrente && channeltree::nodeImage(row.ANTENNA, 0));
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

void FrmMain::setCurrentDay(const QDate &day)
{
    const QSignalBlocker quiet(MonthView1);
    MonthView1->setSelectedDate(day);
    refreshDateLabels(currentDay());
}

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
    if (card.Combo1->currentText().isEmpty()) {
        Prompt::message(QStringLiteral("Non e' stata selezionata nessuna Scheda HTML!"));
        return;
    }
    mainWindow().writeStatus(1, QString());
    CARD = card.Combo1->currentText();
    Picture3->setVisible(true);
    card.buildCard(currentChannel(), currentDay());
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

void FrmMain::CmdGiornoDx_Click() { MonthView1->setSelectedDate(currentDay().addDays(1)); }

void FrmMain::CmdGiornoSx_Click() { MonthView1->setSelectedDate(currentDay().addDays(-1)); }

void FrmMain::MonthView1_DateClick()
{
    refreshDateLabels(currentDay());
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
