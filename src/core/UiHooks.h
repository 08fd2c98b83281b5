#pragma once

#include "platform/StatusSink.h"

#include <QString>
#include <functional>

// What the lower rooms (core, acquisition) may ask of the main window and its
// views without including them. The main window installs these when it is
// created; until then (and in the unattended run) every call does nothing,
// so callers never need to test whether the main window exists.
namespace orv::ui {

namespace detail {
template <typename F, typename... A> inline void call(const std::function<F> &f, A &&...a)
{
    if (f)
        f(std::forward<A>(a)...);
}
} // namespace detail

// FrmMain.LOAD_TV: rebuild the channel tree from Televisioni.
inline std::function<void()> loadTvHook;
inline void loadTv() { detail::call(loadTvHook); }

// FrmHigh.CARICA_HIGHLIGHTS: re-read the highlights folder into the viewer's
// list (loading the viewer unshown).
inline std::function<void()> caricaHighlightsHook;
inline void caricaHighlights() { detail::call(caricaHighlightsHook); }

// When the day grid is the current view: hide its frames and window, let
// events run, CARICA_TV, METTI_SEGNALIBRO, show them again.
inline std::function<void()> refreshGridIfCurrentHook;
inline void refreshGridIfCurrent() { detail::call(refreshGridIfCurrentHook); }

// FrmMain.Timer_POP2 switched off (mouse over another window).
inline std::function<void()> stopHoverTimerHook;
inline void stopHoverTimer() { detail::call(stopHoverTimerHook); }

// The help object's HelpContext / DisplayTOC.
inline std::function<void(int context)> helpContextHook;
inline void helpContext(int context) { detail::call(helpContextHook, context); }
inline std::function<void()> helpContentsHook;
inline void helpContents() { detail::call(helpContentsHook); }

// The please-wait window FrmWait, driven by its caller: show (with caption
// and message), progress, close. Without a main window nothing is shown.
inline std::function<void(const QString &caption, const QString &message)> waitShowHook;
inline void waitShow(const QString &caption, const QString &message) { detail::call(waitShowHook, caption, message); }
inline std::function<void(int value, int maximum)> waitProgressHook;
inline void waitProgress(int value, int maximum) { detail::call(waitProgressHook, value, maximum); }
inline std::function<void()> waitCloseHook;
inline void waitClose() { detail::call(waitCloseHook); }

} // namespace orv::ui
