#pragma once

#include <QString>
#include <array>

// Application-wide state, named as the rest of the program knows it.
namespace orv {

// Application paths, set once at start-up.
inline QString PercorsoApp;
inline QString PercorsoDb;
inline QString PercorsoPalinsesti;
inline QString PercorsoPreferiti;

// Start-up state.
inline bool AvvioDownload = false;
inline bool AvvioInCorso = false;
inline float VersioneProgramma = 72.0f;
inline qint16 FiltroAntenna = 0;

// Shared cancel flags of the download and post-processing loops.
inline bool Annulla = false;
inline bool InterrompiLettura = false;

// Current view: 1 channel card, 2 daily report, 3 day grid, 4 MyTV.
inline int VistaCorrente = 0;
inline QString TvCorrente;

// Selected programme (pop-up), hover-card key and locate-in-grid target.
inline QString PopUpData, PopUpPalinsesto, PopUpNumerazione;
inline QString GhostData, GhostPalinsesto, GhostNumerazione;
inline QString SegnalibroData, SegnalibroOra;

// Language texts: 0-249 from the language file, 250 stays empty.
inline std::array<QString, 251> Lingua;
// A language text, or the window's design text while the entry is empty.
inline QString linguaOr(int index, const QString &design)
{
    const QString &t = Lingua[size_t(index)];
    return t.isEmpty() ? design : t;
}

// Sets PercorsoApp and the three database paths.
void setApplicationFolder(const QString &folder);
// A path under PercorsoApp; relative paths may use "\" and any case.
QString appPath(const QString &relative);

// The listings server's base address: ORVENTO_SERVER, else the per-user
// setting Options/Server, else the bundled server's default address.
QString serverBase();
inline constexpr const char *DefaultServer = "http://127.0.0.1:47800";

} // namespace orv
