#include "acquisition/FrmDownload.h"
#include "acquisition/Highlights.h"

#include "core/AppState.h"
#include "platform/Windows.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

// The two list downloads run on the download window.
namespace orv {

namespace {

class DownloadWindowView : public ListDownloadView {
public:
    explicit DownloadWindowView(FrmDownload &window) : window_(&window) {}
    void setStatus(const QString &text) override
    {
        if (window_)
            window_->Label1->setText(text);
    }
    void setCaption(const QString &text) override
    {
        if (window_)
            window_->setWindowTitle(text);
    }
    void setStopEnabled(bool on) override
    {
        if (window_)
            window_->Command1->setEnabled(on);
    }
    void processEvents() override { QCoreApplication::processEvents(); }

private:
    // The user may close the window while events run.
    QPointer<FrmDownload> window_;
};

// Closing the window while a list downloads is a Stop, as it is for the
// listings cycle.
class CloseIsStop : public QObject {
public:
    CloseIsStop(QWidget *window, std::function<void()> stop) : QObject(window), stop_(std::move(stop))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            stop_();
        return false;
    }

private:
    std::function<void()> stop_;
};

bool busy = false;

// Runs one list download on the window, with its Stop button wired to it.
// A second start while the window is busy (with either list or with the
// listings cycle) is refused.
template <typename Job> typename Job::Result runOnWindow(bool &started)
{
    FrmDownload &window = Windows::get<FrmDownload>();
    started = !busy && !window.running();
    if (!started) {
        window.raise();
        return {};
    }
    busy = true;
    DownloadWindowView view(window);
    Job job(view, serverFileFetcher(), serverBase());
    const auto stop = QObject::connect(window.Command1, &QPushButton::clicked, window.Command1, [&job] { job.stop(); });
    QPointer<CloseIsStop> closing = new CloseIsStop(&window, [&job] { job.stop(); });
    const auto result = job.run();
    QObject::disconnect(stop);
    delete closing.data();
    busy = false;
    return result;
}

} // namespace

void SCARICA_HIGH()
{
    bool started = false;
    const auto result = runOnWindow<HighlightsDownload>(started);
    if (started && result == HighlightsDownload::Result::Completed)
        Windows::unload<FrmDownload>();
}

void SCARICA_PALINSESTI()
{
    bool started = false;
    runOnWindow<ChannelFilesDownload>(started);
}

} // namespace orv
