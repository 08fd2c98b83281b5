#pragma once

#include <QWidget>

class QListWidget;
class QTabWidget;
class QTextBrowser;
class QLineEdit;

namespace orv {

// The "first<TAB>second" lines of a help list file (contents, index,
// context map); "#" lines are comments. Empty when the file is missing.
QList<QPair<QString, QString>> readHelpList(const QString &path);

// The help window: the page on the right, contents and index on the left.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(const QString &folder);

    // Shows a page of the help folder; false when it does not exist.
    bool showPage(const QString &page, const QString &anchor = QString());
    void showContentsTab();
    void showIndexTab(const QString &keyword);
    QString currentPage() const;

    QTextBrowser *browser() const { return browser_; }

private:
    void loadContents();
    void loadIndex();
    QString folder_;
    QTabWidget *tabs_ = nullptr;
    QListWidget *contents_ = nullptr;
    QListWidget *index_ = nullptr;
    QLineEdit *indexFilter_ = nullptr;
    QTextBrowser *browser_ = nullptr;
};

} // namespace orv
