#include "mainwindow/FrmWait.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace orv {

FrmWait::FrmWait() : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    auto *layout = new QVBoxLayout(this);
    Label7 = new QLabel(this);
    Label1 = new QLabel(this);
    ProgressBar1 = new QProgressBar(this);
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);
    layout->addWidget(Label7);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    Label7->setText(Lingua[168]);
    setFixedWidth(360);
}

void FrmWait::begin(const QString &caption, const QString &message, int maximum)
{
    setWindowTitle(caption);
    Label1->setText(message);
    ProgressBar1->setRange(0, maximum);
    ProgressBar1->setValue(0);
    started_.start();
    running_ = true;
    // Callers that block on a transfer still run the event loop: the window
    // then appears by itself once the job has lasted long enough.
    QTimer::singleShot(ShowAfterMs, this, [this] { showIfDue(); });
}

void FrmWait::step(int value, int maximum)
{
    if (maximum >= 0)
        ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(value);
    showIfDue();
}

void FrmWait::finish()
{
    running_ = false;
    hide();
}

void FrmWait::showIfDue()
{
    if (!running_ || isVisible() || started_.elapsed() < ShowAfterMs - 1)
        return;
    show();
    raise();
    QCoreApplication::processEvents();
}

void FrmWait::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange)
        mainWindow().stopHoverTimer();
    QWidget::changeEvent(event);
}

void FrmWait::enterEvent(QEnterEvent *event)
{
    mainWindow().stopHoverTimer();
    QWidget::enterEvent(event);
}

} // namespace orv
