#pragma once

#include "platform/Net.h"

#include <QString>
#include <QTime>
#include <optional>

namespace orv {

// Transfer counters shown on the download window. The download cycle sets
// ByteCiclo to 0 and InizioCiclo to the time of day when it starts.
inline qint64 ByteFile = 0;
inline qint64 ByteCiclo = 0;
inline QTime InizioCiclo;
// What LEGGI_URL read.
inline QString TestoUrl;
// A proxy transfer is running / the last one failed (set and cleared around
// every transfer through FrmProxyDown).
inline bool ProxyOccupato = false;
inline bool ProxyErrore = false;
// How long a server may stay silent before a transfer is given up, and how
// long one transfer may take at all.
inline int TransferTimeoutMs = net::DefaultTimeoutMs;
inline int TransferDeadlineMs = net::DefaultDeadlineMs;

// What one transfer may bring, by what it fetches: day and check files,
// lists and scripts, channel files and logos, highlight and script pages,
// covers (named by the server path, or by the covers folder for a script's
// pictures). Every bound is far above the real files.
net::Limits transferLimits(const QString &url, const QString &fileName);

// Copies one URL into one file, directly or through FrmProxyDown as UsaProxy
// says, and refreshes the transfer figures. The result tells the caller
// whether the file was fetched, is missing on the server, or failed; a
// failure never replaces the previous file, except that a scratch file in
// TempDir is removed so that it cannot be read again as new data. An empty
// URL or file name fails at once and touches nothing.
net::FetchResult CopyURLToFile(const QString &url, const QString &fileName);
// The same transfer for the script engine.
net::FetchResult COPIA_URL_SU_FILE(const QString &url, const QString &fileName);
// Reads one URL into TestoUrl (empty unless the whole content arrived), with
// its line breaks.
net::FetchResult LEGGI_URL(const QString &url);

// The figures as the labels show them.
// Bytes in thousands, rounded to the nearest whole number with halves to the
// even neighbour: 1500 and 2500 both give "2 KBytes".
QString kbytesText(qint64 bytes);
// Whole seconds from start to now by the clock, across midnight too.
int secondsBetween(const QTime &start, const QTime &now);
// "####.00 KByte/Sec" of the cycle's KBytes per second; nothing when no whole
// second has passed yet.
std::optional<QString> rateText(qint64 cycleBytes, int seconds);
// Writes Label2, Label3 and (when it can be computed) Label6 from ByteFile,
// ByteCiclo and InizioCiclo.
void showTransferFigures(const QTime &now = QTime::currentTime());

} // namespace orv
