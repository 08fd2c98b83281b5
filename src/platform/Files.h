#pragma once

#include <QByteArray>
#include <QString>

namespace orv::files {

// Resolves a relative path (written with "\" or "/") under root without
// regard to case: every part that exists on disk in another case is taken as
// spelled on disk; parts that do not exist keep the given spelling.
QString resolve(const QString &root, const QString &relative);

// A name from a server list that is safe to use inside one folder: not empty,
// no "/", "\", "..", leading "." tricks, drive letters or control characters,
// and short enough to be a file name.
inline constexpr int MaxFileNameBytes = 240;
bool isPlainFileName(const QString &name);

// Writes the whole file aside and renames it into place, so a reader never
// sees a half-written file and a failure leaves the old one untouched.
bool writeAtomically(const QString &path, const QByteArray &data, QString *error = nullptr);

// Reads a whole file; false when it cannot be read.
bool readAll(const QString &path, QByteArray &out);

} // namespace orv::files
