#include "core/AppState.h"

#include "core/UserStore.h"
#include "platform/Files.h"

#include <QDir>

namespace orv {

void setApplicationFolder(const QString &folder)
{
    PercorsoApp = QDir::cleanPath(folder);
    PercorsoDb = appPath(QStringLiteral("\\database\\Orvento.cfg"));
    PercorsoPalinsesti = appPath(QStringLiteral("\\database\\Palinsesti.cfg"));
    PercorsoPreferiti = appPath(QStringLiteral("\\database\\Preferiti.cfg"));
}

QString appPath(const QString &relative) { return files::resolve(PercorsoApp, relative); }

QString serverBase()
{
    QString base = qEnvironmentVariable("ORVENTO_SERVER");
    if (base.isEmpty())
        base = UserStore().value(QStringLiteral("Server"));
    if (base.isEmpty())
        return QString::fromLatin1(DefaultServer);
    return base.endsWith(QLatin1Char('/')) ? base.chopped(1) : base;
}

} // namespace orv
