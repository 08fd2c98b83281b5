#include "details/TitleEditorWindow.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "platform/Database.h"
#include "platform/Prompt.h"

#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

namespace orv {

TitleEditorWindow::TitleEditorWindow(const EditorProfile &profile) : editor_(profile)
{
    Label1 = new QLabel(this);
    ListView1 = new QListWidget(this);
    Text1 = new QLineEdit(this);
    Text1->setEnabled(false);
    Command1 = new QPushButton(QStringLiteral("Nuovo"), this);
    Command4 = new QPushButton(QStringLiteral("Salva"), this);
    Command2 = new QPushButton(QStringLiteral("Elimina"), this);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    connect(Command1, &QPushButton::clicked, this, &TitleEditorWindow::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &TitleEditorWindow::Command4_Click);
    connect(Command2, &QPushButton::clicked, this, &TitleEditorWindow::Command2_Click);
    connect(ListView1, &QListWidget::itemClicked, this, &TitleEditorWindow::ListView1_Click);
    watchMouse(this);
    watchMouse(ListView1->viewport());
}

void TitleEditorWindow::Form_Load()
{
    try {
        Database::open(appPath(editor_.profile().database));
    } catch (const DbError &e) {
        mainWindow().writeStatus(3, e.message());
    }
    CARICA_LISTA();
    StatusBar1->showMessage(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
}

void TitleEditorWindow::CARICA_LISTA()
{
    ListView1->clear();
    try {
        for (const TitleEditor::Item &item : editor_.list()) {
            auto *it = new QListWidgetItem(item.Titolo, ListView1);
            it->setData(Qt::UserRole, item.id);
        }
    } catch (const DbError &e) {
        Prompt::message(QString::number(e.number()) + e.text());
    }
    updateDeleteButton();
}

void TitleEditorWindow::Command1_Click()
{
    Text1->setEnabled(true);
    Text1->clear();
    Text1->setFocus();
    try {
        editor_.startNew();
    } catch (const DbError &e) {
        mainWindow().writeStatus(3, e.message());
    }
    updateDeleteButton();
}

void TitleEditorWindow::ListView1_Click(QListWidgetItem *item)
{
    if (!item)
        return;
    try {
        if (const auto title = editor_.select(rowOf(item))) {
            Text1->setEnabled(true);
            Text1->setText(*title);
        }
    } catch (const DbError &) {
        // A click that fails leaves the window as it was.
    }
    updateDeleteButton();
}

void TitleEditorWindow::Command4_Click()
{
    Text1->setEnabled(false);
    bool saved = false;
    try {
        saved = editor_.save(Text1->text());
    } catch (const DbError &) {
        // Reported with the mark below, as a save with no row to store into.
    }
    // Also without a row to store into (right after a list load).
    if (!saved)
        mainWindow().writeStatus(1, QStringLiteral("^"));
    CARICA_LISTA();
}

void TitleEditorWindow::Command2_Click()
{
    // A pending new row has no stored row to delete.
    if (!editor_.deleteEnabled())
        return;
    const Answer answer = Prompt::message(linguaOr(100, "Vuoi davvero eliminare questo titolo dalla lista?"),
                                          Text1->text(), Buttons::OkCancel, Icon::Question, Answer::Cancel);
    if (answer != Answer::Ok)
        return;
    bool removed = false;
    try {
        removed = editor_.remove();
    } catch (const DbError &) {
        // Reported with the mark below, as a delete with no row to delete.
    }
    // Also without a row to delete (right after a list load).
    if (!removed)
        mainWindow().writeStatus(3, QStringLiteral("*"));
    Text1->clear();
    Text1->setEnabled(false);
    CARICA_LISTA();
}

qint64 TitleEditorWindow::rowOf(const QListWidgetItem *item) { return item->data(Qt::UserRole).toLongLong(); }

void TitleEditorWindow::updateDeleteButton() { Command2->setEnabled(editor_.deleteEnabled()); }

void TitleEditorWindow::Form_Activate()
{
    mainWindow().stopMonitorAlert();
}

void TitleEditorWindow::watchMouse(QWidget *w)
{
    w->setMouseTracking(true);
    w->installEventFilter(this);
}

bool TitleEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove)
        mainWindow().stopHoverTimer();
    return QWidget::eventFilter(watched, event);
}

void TitleEditorWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

} // namespace orv
