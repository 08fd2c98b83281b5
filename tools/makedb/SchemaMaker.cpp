#include "SchemaMaker.h"

#include "platform/Database.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace orv::tools {

QString makeDatabases(const QString &schemaPath, const QString &outDir, bool force)
{
    QFile f(schemaPath);
    if (!f.open(QIODevice::ReadOnly)) {
        return QStringLiteral("cannot read ") + schemaPath;
    }
    const QString schema = QString::fromUtf8(f.readAll());
    QDir().mkpath(outDir);

    static const QRegularExpression marker(QStringLiteral("^-- @database (\\S+)\\s*$"),
                                           QRegularExpression::MultilineOption);
    auto it = marker.globalMatch(schema);
    QList<QRegularExpressionMatch> matches;
    while (it.hasNext())
        matches << it.next();
    for (int i = 0; i < matches.size(); ++i) {
        const QString name = matches[i].captured(1);
        const qsizetype start = matches[i].capturedEnd();
        const qsizetype end = i + 1 < matches.size() ? matches[i + 1].capturedStart() : schema.size();
        const QString sql = schema.mid(start, end - start);
        const QString path = outDir + QLatin1Char('/') + name;
        if (QFileInfo::exists(path)) {
            if (!force)
                continue;
            QFile::remove(path);
            QFile::remove(path + QStringLiteral("-wal"));
            QFile::remove(path + QStringLiteral("-shm"));
        }
        const QString tmp = path + QStringLiteral(".new");
        QFile::remove(tmp);
        sqlite3 *db = nullptr;
        if (sqlite3_open(tmp.toUtf8().constData(), &db) != SQLITE_OK) {
            return QStringLiteral("cannot create ") + tmp;
        }
        orv::registerJetTextRules(db);
        char *err = nullptr;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            QString msg = name + QStringLiteral(": ") + QString::fromUtf8(err ? err : "?");
            sqlite3_free(err);
            sqlite3_close(db);
            return msg;
        }
        sqlite3_close(db);
        if (!QFile::rename(tmp, path)) {
            return QStringLiteral("cannot rename ") + tmp;
        }
    }
    return QString();
}

} // namespace orv::tools
