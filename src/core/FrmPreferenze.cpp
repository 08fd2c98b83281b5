#include "core/FrmPreferenze.h"

#include "core/AppState.h"
#include "core/FrmBrowserCons.h"
#include "core/MainWindowSeam.h"
#include "core/PreferenceLists.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

FrmPreferenze::FrmPreferenze()
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildUi();
    setCaptions();
    CARICA_LISTE();
    CARICA_OPZIONI();
}

void FrmPreferenze::buildUi()
{
    auto *root = new QVBoxLayout(this);
    Label2 = new QLabel(this);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    root->addWidget(Label2);

    Frame1 = new QGroupBox(this);
    auto *general = new QVBoxLayout(Frame1);
    Check1 = new QCheckBox(Frame1);
    Check2 = new QCheckBox(Frame1);
    Check3 = new QCheckBox(Frame1);
    Check4 = new QCheckBox(Frame1);
    Check5 = new QCheckBox(Frame1);
    for (QCheckBox *c : {Check1, Check2, Check3, Check4, Check5})
        general->addWidget(c);

    auto *form = new QFormLayout;
    for (auto &l : Label1)
        l = new QLabel(Frame1);
    CmbGiorniGriglia = new QComboBox(Frame1);
    CmbGiorniGriglia->setEditable(true);
    CmbGiorniGriglia->setInsertPolicy(QComboBox::NoInsert);
    form->addRow(Label1[0], CmbGiorniGriglia);
    Label4 = new QLabel(Frame1);
    Combo1 = new QComboBox(Frame1);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    form->addRow(Label4, Combo1);
    Label3 = new QLabel(Frame1);
    auto *dbRow = new QHBoxLayout;
    Text2 = new QLineEdit(Frame1);
    Command1 = new QToolButton(Frame1);
    Command1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    dbRow->addWidget(Text2, 1);
    dbRow->addWidget(Command1);
    form->addRow(Label3, dbRow);
    general->addLayout(form);

    ChkProxy = new QCheckBox(Frame1);
    general->addWidget(ChkProxy);
    auto *proxy = new QFormLayout;
    for (auto &t : txtProxy)
        t = new QLineEdit(Frame1);
    txtProxy[3]->setEchoMode(QLineEdit::Password);
    // Label1 4, 1, 2, 3 caption the proxy boxes 0, 1, 2, 3.
    proxy->addRow(Label1[4], txtProxy[0]);
    proxy->addRow(Label1[1], txtProxy[1]);
    proxy->addRow(Label1[2], txtProxy[2]);
    proxy->addRow(Label1[3], txtProxy[3]);
    general->addLayout(proxy);
    root->addWidget(Frame1);

    // Shown for what it lists; its choices are not in use.
    Frame2 = new QGroupBox(QStringLiteral("Opzioni Riguardo al Download di informazioni non dal server centrale"), this);
    auto *f2 = new QVBoxLayout(Frame2);
    Option1 = new QRadioButton(QStringLiteral("Scarica le descrizioni di tutti i programmi (Lento)"), Frame2);
    Option2 = new QRadioButton(QStringLiteral("Non Scaricare nessuna Descrizione"), Frame2);
    Option3 = new QRadioButton(QStringLiteral("Scarica le descrizioni SOLO dei seguenti TIPI di programmi"), Frame2);
    for (QRadioButton *o : {Option1, Option2, Option3}) {
        o->setEnabled(false);
        f2->addWidget(o);
    }
    ListView2 = new QListWidget(Frame2);
    ListView2->setMaximumHeight(110);
    f2->addWidget(ListView2);
    root->addWidget(Frame2);

    auto *bottom = new QHBoxLayout;
    Command3 = new QPushButton(QStringLiteral("?"), this);
    Command3->setFixedWidth(Command3->sizeHint().height());
    Command2 = new QPushButton(this);
    Command2->setDefault(true);
    bottom->addWidget(Command3);
    bottom->addStretch(1);
    bottom->addWidget(Command2);
    root->addLayout(bottom);

    auto bindCheck = [this](QCheckBox *box, bool &setting) {
        connect(box, &QCheckBox::clicked, this, [&setting](bool on) { setting = on; });
    };
    bindCheck(Check1, CheckUpdate);
    bindCheck(Check2, HighLights);
    bindCheck(Check3, Colore);
    bindCheck(Check4, Pulisci);
    bindCheck(Check5, griglia);
    bindCheck(ChkProxy, UsaProxy);
    connect(Combo1, &QComboBox::textActivated, this, [](const QString &text) { language = text; });
    connect(Text2, &QLineEdit::textChanged, this, [](const QString &text) { Cinedrawerdb = text; });
    connect(CmbGiorniGriglia, &QComboBox::editTextChanged, this, &FrmPreferenze::CmbGiorniGriglia_Change);
    connect(CmbGiorniGriglia, &QComboBox::textActivated, this, &FrmPreferenze::CmbGiorniGriglia_Change);
    connect(Command1, &QToolButton::clicked, this, &FrmPreferenze::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmPreferenze::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmPreferenze::Command3_Click);

    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(Frame1)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void FrmPreferenze::setCaptions()
{
    setWindowTitle(linguaOr(124, "Configurazione Orvento"));
    Label2->setText(linguaOr(125, ""));
    Check1->setText(linguaOr(126, "Controlla sempre se ci sono nuove versioni del programma"));
    Check2->setText(linguaOr(127, "Scarica nuovi HighLights quando disponibili"));
    Check3->setText(linguaOr(128, "Visualizza Colori nella Griglia Programmi"));
    Check4->setText(linguaOr(129, "Cancella Automaticamente i programmi vecchi (mantiene Database pulito e veloce)"));
    Check5->setText(linguaOr(185, "Crea subito la Griglia appena Orvento viene lanciata"));
    Label1[0]->setText(linguaOr(130, "Giorni Da visualizzare nella Griglia (Meno Giorni, Piu' Veloce)"));
    Label4->setText(linguaOr(131, "Seleziona La Lingua"));
    Label3->setText(linguaOr(132, "Cinedrawer Database :"));
    ChkProxy->setText(linguaOr(133, "Usa Connessione Tramite  Proxy"));
    Label1[4]->setText(linguaOr(134, "Indirizzo Proxy"));
    Label1[1]->setText(linguaOr(135, "Porta Proxy"));
    Label1[2]->setText(linguaOr(136, "User Name"));
    Label1[3]->setText(linguaOr(137, "Password"));
    Command2->setText(linguaOr(138, "Chiudi"));
}

void FrmPreferenze::CARICA_LISTE()
{
    ListView2->clear();
    try {
        Database db = Database::open(appPath(QStringLiteral("\\database\\config.cfg")));
        ListView2->addItems(preferences::importaListItems(ImportaTable(db).allRows()));
    } catch (const std::exception &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
    }

    // Filling the box changes its text; the setting must not follow that.
    const qint16 days = GiorniGriglia;
    checkingDays_ = true;
    CmbGiorniGriglia->clear();
    for (int d = 1; d <= 7; ++d)
        CmbGiorniGriglia->addItem(QString::number(d));
    checkingDays_ = false;
    CmbGiorniGriglia->setEditText(QString::number(days));

    Combo1->clear();
    Combo1->addItems(preferences::languageFiles(appPath(QStringLiteral("\\languages\\"))));
    Combo1->setEditText(language);
}

void FrmPreferenze::CARICA_OPZIONI()
{
    Check1->setChecked(CheckUpdate);
    Check2->setChecked(HighLights);
    Check3->setChecked(Colore);
    Check4->setChecked(Pulisci);
    Check5->setChecked(griglia);
    ChkProxy->setChecked(UsaProxy);
    Text2->setText(Cinedrawerdb);
    txtProxy[0]->setText(ProxyName);
    txtProxy[1]->setText(ProxyPort);
    txtProxy[2]->setText(ProxyUser);
    txtProxy[3]->setText(ProxyPass);
    (TakeAll ? Option1 : TakeNone ? Option2 : Option3)->setChecked(true);
}

void FrmPreferenze::CmbGiorniGriglia_Change(const QString &text)
{
    if (checkingDays_)
        return;
    bool valid = false;
    GiorniGriglia = qint16(preferences::gridDays(text, &valid));
    if (!valid) {
        checkingDays_ = true;
        CmbGiorniGriglia->setEditText(QStringLiteral("7"));
        // Selected, so the next key typed replaces it instead of making "73".
        CmbGiorniGriglia->lineEdit()->selectAll();
        checkingDays_ = false;
    }
}

void FrmPreferenze::Form_Activate()
{
    mainWindow().stopHoverTimer();
    setCaptions();
}

void FrmPreferenze::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void FrmPreferenze::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

bool FrmPreferenze::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
        mainWindow().stopHoverTimer();
    return QWidget::eventFilter(watched, event);
}

void FrmPreferenze::Command1_Click()
{
    auto &picker = Windows::get<FrmBrowserCons>();
    picker.setWindowTitle(QStringLiteral("Seleziona il tuo Database dell' Cinedrawer"));
    picker.show();
    picker.raise();
    picker.activateWindow();
}

void FrmPreferenze::Command3_Click() { mainWindow().helpContext(1009); }

void FrmPreferenze::Command2_Click()
{
    ProxyName = txtProxy[0]->text();
    ProxyPort = txtProxy[1]->text();
    ProxyUser = txtProxy[2]->text();
    ProxyPass = txtProxy[3]->text();
    // The password is stored in config2.cfg: close it to other users before
    // it is written there.
    preferences::restrictToOwner(appPath(QStringLiteral("\\database\\config2.cfg")));
    SALVA_CONFIGURAZIONE();
    close();
}

} // namespace orv
