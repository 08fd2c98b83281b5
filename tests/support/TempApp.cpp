#include "support/TempApp.h"

#include "SchemaMaker.h"
#include "core/AppState.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <stdexcept>

namespace orv::test {

QString sourceData(const QString &relative)
{
    QString base = QStringLiteral(ORVENTO_SOURCE_DIR "/data");
    return relative.isEmpty() ? base : base + QLatin1Char('/') + relative;
}

TempApp::TempApp()
{
    const QString src = sourceData();
    QDirIterator it(src, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString rel = QDir(src).relativeFilePath(f);
        if (rel.startsWith(QLatin1String("database/")))
            continue;
        QDir().mkpath(QFileInfo(file(rel)).path());
        QFile::copy(f, file(rel));
    }
    for (const char *d : {"languages", "loghitv", "covers", "TempDir", "highlights/restanti", "tv/restanti",
                          "htmlcards", "htmlricerche", "htmlreport", "mytv", "help", "database"})
        QDir().mkpath(file(QString::fromLatin1(d)));
    const QString err = tools::makeDatabases(sourceData(QStringLiteral("database/schema.sql")),
                                             file(QStringLiteral("database")), true);
    if (!err.isEmpty())
        throw std::runtime_error(err.toStdString());
    setApplicationFolder(path());
}

QString TempApp::file(const QString &relative) const { return dir_.path() + QLatin1Char('/') + relative; }

} // namespace orv::test
