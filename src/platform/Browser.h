#pragma once

#include <QStringList>
#include <QUrl>
#include <QWebEngineView>
#include <memory>

class QPrinter;
class QWebChannel;

namespace orv {

class BrowserBridge;

// The views' embedded browser (WebBrowser1): page scripts off, local pages
// may load local pictures. On the pages named by setClickPages, an injected
// script of our own watches clicks: a clicked element (the focused one) with
// an empty id keeps its action, an id matching the given pattern is handed
// over as elementClicked and keeps its action, any other id is
// cancelled. Pages not named (server pages, links followed) are left alone.
class Browser : public QWebEngineView {
    Q_OBJECT
public:
    explicit Browser(QWidget *parent = nullptr);
    ~Browser() override;

    void setClickPages(const QList<QUrl> &pages, const QString &idPattern);
    void navigate(const QString &localFile);
    // Print dialog, then the page to the printer (asynchronous).
    void printWithDialog();
    bool printing() const { return printer_ != nullptr; }

signals:
    void elementClicked(const QString &id);

private:
    friend class BrowserBridge;
    void onClicked(const QString &id, const QString &pageUrl);
    void installScript();

    QWebChannel *channel_ = nullptr;
    BrowserBridge *bridge_ = nullptr;
    QList<QUrl> pages_;
    QString pattern_;
    std::unique_ptr<QPrinter> printer_;
};

// Receives the script's reports; only for Browser.
class BrowserBridge : public QObject {
    Q_OBJECT
public:
    explicit BrowserBridge(Browser *b) : QObject(b), browser_(b) {}
    Q_INVOKABLE void clicked(const QString &id, const QString &pageUrl) { browser_->onClicked(id, pageUrl); }

private:
    Browser *browser_;
};

} // namespace orv
