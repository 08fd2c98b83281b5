#include "mainwindow/HelpViewer.h"

#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int PageRole = Qt::UserRole;
} // namespace

QList<QPair<QString, QString>> readHelpList(const QString &path)
{
    QList<QPair<QString, QString>> pairs;
    QByteArray data;
    if (!files::readAll(path, data))
        return pairs;
    for (const QString &line : text::splitLinesAny(text::decode(data))) {
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (line.startsWith(QLatin1Char('#')) || tab <= 0)
            continue;
        pairs.append({line.left(tab).trimmed(), line.mid(tab + 1).trimmed()});
    }
    return pairs;
}

HelpViewer::HelpViewer(const QString &folder) : QWidget(nullptr, Qt::Window), folder_(folder)
{
    setWindowTitle(QStringLiteral("Guida di Orvento"));
    resize(860, 600);
    auto *layout = new QVBoxLayout(this);
    auto *split = new QSplitter(this);
    tabs_ = new QTabWidget(split);
    contents_ = new QListWidget;
    auto *indexPage = new QWidget;
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexFilter_ = new QLineEdit(indexPage);
    indexFilter_->setPlaceholderText(QStringLiteral("Parola da cercare"));
    index_ = new QListWidget(indexPage);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_);
    tabs_->addTab(contents_, QStringLiteral("Sommario"));
    tabs_->addTab(indexPage, QStringLiteral("Indice"));
    browser_ = new QTextBrowser(split);
    browser_->setOpenLinks(false);
    split->addWidget(tabs_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    layout->addWidget(split);

    auto open = [this](QListWidgetItem *item) {
        if (item)
            showPage(item->data(PageRole).toString());
    };
    connect(contents_, &QListWidget::itemActivated, this, open);
    connect(contents_, &QListWidget::itemClicked, this, open);
    connect(index_, &QListWidget::itemActivated, this, open);
    connect(index_, &QListWidget::itemClicked, this, open);
    connect(indexFilter_, &QLineEdit::textChanged, this, [this](const QString &t) {
        for (int i = 0; i < index_->count(); ++i)
            index_->item(i)->setHidden(!index_->item(i)->text().contains(t, Qt::CaseInsensitive));
    });
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.scheme().isEmpty() || url.isLocalFile()) {
            const QString page = QFileInfo(url.path()).fileName();
            if (page.isEmpty() || page == currentPage())
                browser_->scrollToAnchor(url.fragment());
            else
                showPage(page, url.fragment());
        } else {
            shell::open(url.toString());
        }
    });
    loadContents();
    loadIndex();
}

void HelpViewer::loadContents()
{
    for (const auto &[page, title] : readHelpList(files::resolve(folder_, QStringLiteral("contents.txt")))) {
        auto *item = new QListWidgetItem(title, contents_);
        item->setData(PageRole, page);
    }
}

void HelpViewer::loadIndex()
{
    for (const auto &[word, page] : readHelpList(files::resolve(folder_, QStringLiteral("keywords.txt")))) {
        auto *item = new QListWidgetItem(word, index_);
        item->setData(PageRole, page);
    }
    index_->sortItems();
}

bool HelpViewer::showPage(const QString &page, const QString &anchor)
{
    if (!files::isPlainFileName(page))
        return false;
    const QString path = files::resolve(folder_, page);
    if (!QFileInfo::exists(path))
        return false;
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(path));
    if (!anchor.isEmpty())
        browser_->scrollToAnchor(anchor);
    for (int i = 0; i < contents_->count(); ++i)
        if (contents_->item(i)->data(PageRole).toString().compare(page, Qt::CaseInsensitive) == 0)
            contents_->setCurrentRow(i);
    return true;
}

QString HelpViewer::currentPage() const { return QFileInfo(browser_->source().toLocalFile()).fileName(); }

void HelpViewer::showContentsTab() { tabs_->setCurrentIndex(0); }

void HelpViewer::showIndexTab(const QString &keyword)
{
    tabs_->setCurrentIndex(1);
    indexFilter_->setText(keyword);
}

} // namespace orv
