#pragma once

#include "mdi/MdiChild.h"
#include "views/ListPage.h"
#include "views/TitleBand.h"

#include <QPointer>
#include <functional>

class QAction;
class QComboBox;
class QToolBar;

namespace orv {

class Browser;
struct PageBuild;

// What the template views share: the top band with its title and close
// button, the toolbar (back, forward, save, print, help), the template
// chooser Combo1 and the browser WebBrowser1 with the programme click.
// Builds run one at a time: a build asked for while one runs runs once
// after it; closing the window during a build stops the build first.
class HtmlView : public MdiChild, public TitleBand {
    Q_OBJECT
public:
    struct Design {
        const char *caption;
        const char *title;
        int helpContext;     // 0: help does nothing
        const char *folder;  // template folder under PercorsoApp
        const char *startPage;
        const char *page;    // the generated page
    };
    explicit HtmlView(const Design &design);
    ~HtmlView() override;

    QToolBar *Toolbar1 = nullptr;
    QComboBox *Combo1 = nullptr;
    Browser *WebBrowser1 = nullptr;

    QAction *button(const QString &key) const;
    void Toolbar1_ButtonClick(const QString &key);
    void CmdClose_Click();

    // The chooser: Combo1 filled from the folder, its text the stored name.
    // A missing folder is said in status panel 1 (missingText).
    void fillChooser(const QString &stored, const QString &missingBefore, const QString &missingAfter);
    QString templatePath(const QString &name) const;
    QString pagePath() const;

    // Progress of a long build through the please-wait window; stops
    // when the window is closing.
    class WaitProgress : public PageProgress {
    public:
        WaitProgress(HtmlView &view, const QString &caption);
        ~WaitProgress() override;
        bool step(const QString &text) override;

    private:
        QPointer<HtmlView> view_;
    };

signals:
    // A template chosen from the list (never the filling of the list).
    void templateChosen(const QString &name);

protected:
    // Runs a build, or queues it once when one runs.
    void runBuild(const std::function<void()> &build);
    // A search or report page built under the please-wait window and shown:
    // the page limit said once, a database error or a missing template in
    // status panel 1.
    void buildListPage(const QString &waitCaption, const QString &templatePath,
                       const std::function<PageBuild(PageProgress *)> &build);
    // More rows than a page takes.
    static void sayPageLimit();
    // A database error, else a missing template, in status panel 1.
    static void sayBuildProblem(const QString &dbError, bool templateFound, const QString &templatePath);
    // Writes the page and shows it; a failed write is said, the old page
    // is not shown as new.
    bool showPage(const QString &html);
    void openProgramme(const QString &id);
    virtual void layoutTwips(int W, int H);
    // Captions of the shared toolbar buttons (activation).
    void applyToolbarTexts();
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The window's outer size in twips (its frame when it has one).
    QSize outerTwips() const;

private:
    Design design_;
    bool building_ = false;
    bool pending_ = false;
    bool closeAsked_ = false;
};

} // namespace orv
