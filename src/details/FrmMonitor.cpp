#include "details/FrmMonitor.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "details/FrmPopUp.h"
#include "details/KeywordSearch.h"
#include "platform/Windows.h"

#include <QApplication>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int DataRole = Qt::UserRole + 1;
constexpr int ChannelRole = Qt::UserRole + 2;
constexpr int NumberRole = Qt::UserRole + 3;

// The tree's pictures (ImgListTV) by key.
QIcon picture(const char *key)
{
    static const std::pair<const char *, QStyle::StandardPixmap> pictures[] = {
        {"root2", QStyle::SP_DirHomeIcon},
        {"vhs", QStyle::SP_FileDialogContentsView},
        {"calendario", QStyle::SP_FileDialogDetailedView},
        {"testo", QStyle::SP_ComputerIcon},
        {"tempo1", QStyle::SP_MediaPlay},
    };
    for (const auto &[name, pixmap] : pictures)
        if (qstrcmp(name, key) == 0)
            return QApplication::style()->standardIcon(pixmap);
    return {};
}

QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const MonitorTree::Node &node, const char *pictureKey)
{
    auto *item = new QTreeWidgetItem(parent, {node.text});
    item->setData(0, KeyRole, node.key);
    item->setIcon(0, picture(pictureKey));
    return item;
}

} // namespace

FrmMonitor::FrmMonitor() : TitleEditorWindow(EditorProfile::monitor())
{
    setWindowTitle(QStringLiteral("Monitor Programmi Televisivi"));
    Label1->setText(QStringLiteral("Lista Programmi Da Monitorare"));
    Command3 = new QPushButton(QStringLiteral("Ricerca Ora"), this);
    TreeView1 = new QTreeWidget(this);
    TreeView1->setHeaderHidden(true);
    connect(Command3, &QPushButton::clicked, this, &FrmMonitor::Command3_Click);
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *node) { TreeView1_NodeClick(node); });
    watchMouse(TreeView1->viewport());

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command4);
    buttons->addWidget(Command2);
    auto *left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(ListView1, 1);
    left->addWidget(Text1);
    left->addLayout(buttons);
    auto *right = new QVBoxLayout;
    right->addWidget(Command3);
    right->addWidget(TreeView1, 1);
    auto *panes = new QHBoxLayout;
    panes->addLayout(left, 2);
    panes->addLayout(right, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addWidget(StatusBar1);
    resize(720, 460);

    clearTree();
    Form_Load();
}

void FrmMonitor::clearTree()
{
    TreeView1->clear();
    auto *root = new QTreeWidgetItem(TreeView1, {linguaOr(101, "Programmi Trovati")});
    root->setData(0, KeyRole, QStringLiteral("R"));
    root->setIcon(0, picture("root2"));
    root->setExpanded(true);
}

void FrmMonitor::Command3_Click()
{
    clearTree();
    try {
        const QDate day = mainWindow().currentDay();
        QStringList keywords;
        for (int i = 0; i < ListView1->count(); ++i)
            keywords << ListView1->item(i)->text();
        Database listings = Database::open(PercorsoDb);
        const MonitorTree tree = KeywordSearch::run(listings, keywords, dayNumber(day.year(), day.month(), day.day()));
        showTree(tree);
        if (tree.found)
            MonitorTrovato = true;
    } catch (const DbError &e) {
        mainWindow().writeStatus(3, e.message());
    }
}

void FrmMonitor::showTree(const MonitorTree &tree)
{
    QTreeWidgetItem *root = TreeView1->topLevelItem(0);
    for (const auto &kw : tree.keywords) {
        auto *kwItem = addNode(root, kw, "vhs");
        for (const auto &day : kw.days) {
            auto *dayItem = addNode(kwItem, day, "calendario");
            for (const auto &channel : day.channels) {
                auto *channelItem = addNode(dayItem, channel, "testo");
                for (const auto &p : channel.programmes) {
                    auto *item = addNode(channelItem, p, "tempo1");
                    item->setData(0, DataRole, p.programme.Data);
                    item->setData(0, ChannelRole, p.programme.Palinsesto);
                    item->setData(0, NumberRole, p.programme.Numerazione);
                }
            }
        }
    }
}

QString FrmMonitor::keyOf(const QTreeWidgetItem *node) { return node->data(0, KeyRole).toString(); }

void FrmMonitor::TreeView1_NodeClick(QTreeWidgetItem *node)
{
    if (!node || !keyOf(node).startsWith(QLatin1Char('D')))
        return;
    const ProgrammeKey key{node->data(0, DataRole).toInt(), node->data(0, ChannelRole).toString(),
                           node->data(0, NumberRole).toInt()};
    Windows::get<FrmPopUp>().showProgramme(key);
}

void FrmMonitor::Form_Activate()
{
    Label1->setText(linguaOr(95, "Lista Programmi Da Monitorare"));
    Command1->setText(linguaOr(96, "Nuovo"));
    Command4->setText(linguaOr(97, "Salva"));
    Command2->setText(linguaOr(98, "Elimina"));
    Command3->setText(linguaOr(99, "Ricerca Ora"));
    TitleEditorWindow::Form_Activate();
}

} // namespace orv
