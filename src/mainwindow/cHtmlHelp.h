#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace orv {

class HelpViewer;

// The program's only road to its help: context numbers and topics are mapped
// onto the HTML pages under help/ and shown in our own help window.
// Results are 1 when a page was shown, 0 otherwise.
class cHtmlHelp {
public:
    cHtmlHelp();
    ~cHtmlHelp();

    QWidget *OwnerHwnd() const { return owner_; }
    void setOwnerHwnd(QWidget *owner) { owner_ = owner; }
    QString HelpFile() const { return helpFile_; }
    void setHelpFile(const QString &file) { helpFile_ = file; }

    long DisplayContext(qint32 contextId);
    long DisplayTopic(const QString &topic);
    long PopUp(const QString &text);
    long DisplaySearch();
    long DisplayTOC();
    long DisplayIndex(const QString &keyword);
    long HelpContextPop(QWidget *ctrl);
    long HelpContext(qint32 contextId, const QString &windowName = QString());

    // The help file with any "::/topic" suffix removed, blanks trimmed.
    QString CHMFile() const;
    // The page a context number opens (file name under the help folder);
    // unknown numbers give the contents page.
    QString pageForContext(qint32 contextId) const;
    QString helpFolder() const;
    static constexpr const char *ContentsPage = "index.htm";

    // The viewer, created on first use (null until then).
    HelpViewer *viewer() const { return viewer_; }

private:
    long showPage(const QString &page, const QString &anchor = QString());
    QWidget *owner_ = nullptr;
    QString helpFile_;
    HelpViewer *viewer_ = nullptr;
};

// The one help object, made by the main window at start-up.
extern std::unique_ptr<cHtmlHelp> oHtmlHelp;

} // namespace orv
