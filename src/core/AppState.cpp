#include "core/AppState.h"

#include "platform/Files.h"

#include <QDir>
#include <QSettings>

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
    QString env = qEnvironmentVariable("ORVENTO_SERVER");
    if (!env.isEmpty())
        return env.endsWith(QLatin1Char('/')) ? env.chopped(1) : env;
    QSettings s(QStringLiteral("Orvento"), QStringLiteral("Orvento"));
    QString v = s.value(QStringLiteral("Options/Server")).toString();
    if (!v.isEmpty())
        return v.endsWith(QLatin1Char('/')) ? v.chopped(1) : v;
    return QString::fromLatin1(DefaultServer);
}

} // namespace orv
