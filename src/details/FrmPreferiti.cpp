#include "details/FrmPreferiti.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

FrmPreferiti::FrmPreferiti() : TitleEditorWindow(EditorProfile::favourites())
{
    setWindowTitle(QStringLiteral("Gestione Preferiti"));
    Label1->setText(QStringLiteral("Lista Programmi Preferiti"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command4);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListView1, 1);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);
    resize(380, 420);
    Form_Load();
}

} // namespace orv
