#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace orv::files {

QString resolve(const QString &root, const QString &relative)
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = QDir::cleanPath(root);
    bool onDisk = true;
    for (const QString &part : parts) {
        QString next = current + QLatin1Char('/') + part;
        if (onDisk && !QFileInfo::exists(next)) {
            onDisk = false;
            const QStringList entries =
                QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString &e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current + QLatin1Char('/') + e;
                    onDisk = true;
                    break;
                }
            }
        }
        current = next;
    }
    return current;
}

bool isPlainFileName(const QString &name)
{
    const QString n = name.trimmed();
    if (n.isEmpty() || n == QLatin1String(".") || n == QLatin1String(".."))
        return false;
    if (n.contains(QLatin1Char('/')) || n.contains(QLatin1Char('\\')))
        return false;
    if (n.contains(QLatin1Char(':')))
        return false;
    for (QChar c : n)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    // A name the file system cannot hold (255 bytes), with room for the
    // suffix of a file written aside.
    return QFile::encodeName(n).size() <= MaxFileNameBytes;
}

bool writeAtomically(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.write(data) != data.size()) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool readAll(const QString &path, QByteArray &out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    out = f.readAll();
    return true;
}

} // namespace orv::files
