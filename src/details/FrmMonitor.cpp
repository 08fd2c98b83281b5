#include "details/FrmMonitor.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Store.h"
#include "mainwindow/DateNav.h"
#include "mainwindow/MainState.h"
#include "platform/Database.h"
#include "platform/Windows.h"

#include <QDate>
#include <QEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orv {

FrmMonitor::FrmMonitor()
{
    setWindowTitle(QStringLiteral("Monitor"));
    auto *layout = new QVBoxLayout(this);
    TreeView1 = new QTreeWidget(this);
    TreeView1->setHeaderHidden(true);
    layout->addWidget(TreeView1);
    resize(420, 360);
}

void FrmMonitor::Command3_Click()
{
    TreeView1->clear();
    try {
        Database mon = Database::open(appPath(QStringLiteral("database/monitor.cfg")));
        const QStringList words = MonitorTable(mon).words();
        Database db = Database::open(PercorsoDb);
        const qint32 today = datenav::dayOf(QDate::currentDate());
        Statement st = db.prepare(QStringLiteral(
            "select * from Programmi where Data >= ?1 and (Titolo like ?2 or Descrizione like ?2 "
            "or Type like ?2 or Genere like ?2) order by Data, ORA"));
        for (const QString &word : words) {
            auto *wordNode = new QTreeWidgetItem(TreeView1, {word});
            st.reset();
            st.bind(1, qint64(today)).bind(2, QStringLiteral("*") + word + QStringLiteral("*"));
            while (st.next()) {
                const Programme p = ProgrammiTable::read(st);
                const QString day = dayText(p.Data);
                new QTreeWidgetItem(wordNode, {day.mid(6, 2) + '/' + day.mid(4, 2) + '/' + day.left(4) + ' ' +
                                               p.ORA + ' ' + p.Palinsesto + " - " + p.Titolo});
                MonitorTrovato = true;
            }
        }
    } catch (const std::exception &) {
        mainWindow().writeStatus(1, QStringLiteral("-"));
    }
}

void FrmMonitor::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        mainWindow().stopMonitorAlert();
    QWidget::changeEvent(event);
}

} // namespace orv
