#include "core/FrmBrowserCons.h"

#include "core/FrmPreferenze.h"
#include "core/Settings.h"
#include "platform/Windows.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

namespace orv {

namespace {

bool isSqliteFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

} // namespace

FrmBrowserCons::FrmBrowserCons()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Browser"));
    resize(460, 400);
    auto *root = new QVBoxLayout(this);
    Drive1 = new QComboBox(this);
    auto *lists = new QHBoxLayout;
    folderLabel_ = new QLabel(this);
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Dir1 = new QListWidget(this);
    File1 = new QListWidget(this);
    lists->addWidget(Dir1, 1);
    lists->addWidget(File1, 1);
    Label1 = new QLabel(QStringLiteral("Clicca 2 volte per selezionare il Database"), this);
    root->addWidget(Drive1);
    root->addWidget(folderLabel_);
    root->addLayout(lists, 1);
    root->addWidget(Label1);

    fillDrives();
    connect(Drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(Dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        setFolder(item->data(Qt::UserRole).toString());
    });
    connect(File1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { File1_DblClick(item->text()); });

    // Start where the current catalogue lies, else in the user's home.
    QFileInfo current(Cinedrawerdb);
    setFolder(!Cinedrawerdb.isEmpty() && current.absoluteDir().exists() ? current.absolutePath()
                                                                         : QDir::homePath());
}

void FrmBrowserCons::fillDrives()
{
    QStringList roots{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        const QString r = v.rootPath();
        if (v.isValid() && v.isReady() &&
            (r.startsWith(QLatin1String("/media/")) || r.startsWith(QLatin1String("/mnt/")) ||
             r.startsWith(QLatin1String("/run/media/"))))
            roots << r;
    }
    roots.removeDuplicates();
    for (const QString &r : roots)
        Drive1->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), r, r);
}

void FrmBrowserCons::Drive1_Change()
{
    const QString drive = Drive1->currentData().toString();
    if (!drive.isEmpty())
        setFolder(drive);
}

void FrmBrowserCons::setFolder(const QString &path)
{
    QDir dir(path);
    if (!dir.exists())
        return;
    folder_ = QDir::cleanPath(dir.absolutePath());

    Dir1->clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    if (!dir.isRoot()) {
        auto *up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent), QStringLiteral(".."));
        up->setData(Qt::UserRole, QFileInfo(folder_).absolutePath());
        Dir1->addItem(up);
    }
    for (const QFileInfo &sub :
         dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto *item = new QListWidgetItem(folderIcon, sub.fileName());
        item->setData(Qt::UserRole, sub.absoluteFilePath());
        Dir1->addItem(item);
    }

    File1->clear();
    File1->addItems(catalogueFiles(folder_));
    folderLabel_->setText(folder_);

    // The drive list shows the drive the folder lies on.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString r = Drive1->itemData(i).toString();
        const bool under = folder_ == r || folder_.startsWith(r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/'));
        if (under && r.size() > bestLength) {
            best = i;
            bestLength = r.size();
        }
    }
    if (best >= 0)
        Drive1->setCurrentIndex(best);
}

QStringList FrmBrowserCons::catalogueFiles(const QString &folder)
{
    QStringList out;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &f : files) {
        const QString suffix = f.suffix().toLower();
        if (suffix == QLatin1String("mdb") || suffix == QLatin1String("db") || suffix == QLatin1String("sqlite") ||
            suffix == QLatin1String("sqlite3") || suffix == QLatin1String("db3") || isSqliteFile(f.filePath()))
            out << f.fileName();
    }
    return out;
}

QString FrmBrowserCons::joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

void FrmBrowserCons::File1_DblClick(const QString &name)
{
    if (name.isEmpty() || folder_.isEmpty())
        return;
    const QString path = joinPath(folder_, name);
    if (Windows::loaded<FrmPreferenze>())
        Windows::get<FrmPreferenze>().Text2->setText(path); // sets Cinedrawerdb
    else
        Cinedrawerdb = path;
    close();
}

QString FrmBrowserCons::fsyze(qint64 bytes)
{
    const double mb = double(bytes) / 1048576.0;
    QString digits = QString::number(mb, 'f', 2);
    if (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    digits.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return digits + QStringLiteral(" MB");
}

} // namespace orv
