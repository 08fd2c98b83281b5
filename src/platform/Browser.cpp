#include "platform/Browser.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPrintDialog>
#include <QPrinter>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace orv {

namespace {

const char *ScriptName = "orvento-click";

QString pageKey(const QUrl &url) { return url.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery).toString(); }

} // namespace

Browser::Browser(QWidget *parent) : QWebEngineView(parent)
{
    QWebEngineSettings *s = page()->settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    connect(this, &QWebEngineView::printFinished, this, [this](bool) { printer_.reset(); });
}

Browser::~Browser() = default;

void Browser::setClickPages(const QList<QUrl> &pages, const QString &idPattern)
{
    pages_ = pages;
    pattern_ = idPattern;
    if (!channel_) {
        channel_ = new QWebChannel(this);
        bridge_ = new BrowserBridge(this);
        channel_->registerObject(QStringLiteral("orventoBridge"), bridge_);
        page()->setWebChannel(channel_, QWebEngineScript::ApplicationWorld);
    }
    installScript();
}

void Browser::installScript()
{
    QWebEngineScriptCollection &scripts = page()->scripts();
    for (const QWebEngineScript &old : scripts.find(QLatin1String(ScriptName)))
        scripts.remove(old);
    QFile lib(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    lib.open(QIODevice::ReadOnly);
    QJsonArray own;
    for (const QUrl &u : pages_)
        own.append(pageKey(u));
    const QString body = QStringLiteral(R"JS(
(function () {
  var own = %1;
  var idRule = new RegExp(%2);
  var here = location.href.split('#')[0].split('?')[0];
  if (own.indexOf(here) < 0) return;
  var bridge = null;
  new QWebChannel(qt.webChannelTransport, function (ch) { bridge = ch.objects.orventoBridge; });
  document.addEventListener('click', function (ev) {
    var el = document.activeElement;
    var ok = true;
    if (!el) ok = false;
    else {
      var id = el.id || '';
      if (id !== '') {
        if (id.indexOf('#') < 0 || !idRule.test(id)) ok = false;
        else if (bridge) bridge.clicked(id, here);
      }
    }
    if (!ok) { ev.preventDefault(); ev.stopPropagation(); }
  }, true);
})();
)JS")
                             .arg(QString::fromUtf8(QJsonDocument(own).toJson(QJsonDocument::Compact)),
                                  QString::fromUtf8(QJsonDocument(QJsonArray{pattern_})
                                                        .toJson(QJsonDocument::Compact))
                                      .mid(1)
                                      .chopped(1));
    QWebEngineScript script;
    script.setName(QLatin1String(ScriptName));
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(QString::fromUtf8(lib.readAll()) + body);
    scripts.insert(script);
}

void Browser::onClicked(const QString &id, const QString &pageUrl)
{
    // The page may have changed since the click; count only our own pages.
    bool known = false;
    for (const QUrl &u : pages_)
        known = known || pageKey(u) == pageUrl;
    if (known && pageKey(url()) == pageUrl)
        emit elementClicked(id);
}

void Browser::navigate(const QString &localFile)
{
    const QUrl target = QUrl::fromLocalFile(localFile);
    // The same page again is reloaded from disk, not served from memory.
    if (pageKey(url()) == pageKey(target) && url().isValid())
        page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    else
        load(target);
}

void Browser::printWithDialog()
{
    if (printer_)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printer_ = std::move(printer);
    print(printer_.get());
}

} // namespace orv
