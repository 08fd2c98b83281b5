#include "LogoLayout.h"

#include "ChannelLogo.h"
#include "SchemaMaker.h"
#include "platform/Database.h"

#include <QDir>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>

namespace orv::tools {

QString layOutLogos(const QString &schemaPath, const QString &logoFolder)
{
    // The shipped list, not the installed one: a kept database may hold
    // channels added since, whose logos only the download brings.
    QTemporaryDir shipped;
    if (!shipped.isValid())
        return QStringLiteral("cannot make a temporary folder");
    QString err = makeDatabases(schemaPath, shipped.path(), true);
    if (!err.isEmpty())
        return err;
    const QDir dir(logoFolder);
    if (!QDir().mkpath(logoFolder))
        return QStringLiteral("cannot make ") + logoFolder;
    QSet<QString> present;
    for (const QString &name : dir.entryList(QDir::Files))
        present.insert(name.toCaseFolded());
    try {
        Database db = Database::open(shipped.filePath(QStringLiteral("Palinsesti.cfg")));
        Statement st = db.prepare(QStringLiteral("select IDTV, NOMETV from Televisioni order by IDTV"));
        while (st.next()) {
            const int code = int(st.integer(0));
            const QString name = QString::number(code) + QStringLiteral(".gif");
            if (present.contains(name.toCaseFolded()))
                continue;
            QSaveFile f(dir.filePath(name));
            if (!f.open(QIODevice::WriteOnly) || f.write(channelLogo(code, st.text(1))) < 0 || !f.commit())
                return QStringLiteral("cannot write ") + f.fileName();
        }
    } catch (const DbError &e) {
        return e.text();
    }
    return QString();
}

} // namespace orv::tools
