#include "acquisition/script/ScriptsTV.h"

#include "core/Settings.h"
#include "platform/Net.h"

namespace orv {

// Kept apart from the engine so that programs which inject their own fetch
// (the tests) do not need the network layer.
ScriptsTV::ScriptsTV()
    : ScriptsTV([](const QString &url, const QString &file) {
          net::ProxySettings proxy;
          proxy.use = UsaProxy;
          proxy.host = ProxyName;
          proxy.port = ProxyPort;
          proxy.user = ProxyUser;
          proxy.password = ProxyPass;
          net::copyUrlToFile(url, file, proxy);
      })
{
}

ScriptsTV &ScriptsTV::shared()
{
    static ScriptsTV engine;
    return engine;
}

} // namespace orv
