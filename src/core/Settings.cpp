#include "core/Settings.h"

#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Database.h"
#include "platform/Prompt.h"

#include <QHash>
#include <limits>
#include <variant>
#include <vector>

namespace orv {

namespace {

using Target = std::variant<QString *, qint32 *, qint16 *, bool *>;

struct Key {
    const char *name;
    Target var;
};

struct ConfigFile {
    const char *path;
    std::vector<Key> keys;
};

// Both files in the order their keys are read.
const std::vector<ConfigFile> &configFiles()
{
    static const std::vector<ConfigFile> files = {
        {"\\database\\config.cfg",
         {{"CARD", &CARD},
          {"Width", &Width},
          {"Heigth", &Heigth},
          {"Top", &Top},
          {"Left", &Left},
          {"FullScreen", &FullScreen},
          {"TakeOnlyListed", &TakeOnlyListed},
          {"ScriptError", &ScriptError},
          {"ShutDown", &ShutDown},
          {"ShutType", &ShutType},
          {"CheckUpdate", &CheckUpdate},
          {"TakeAll", &TakeAll},
          {"TakeNone", &TakeNone},
          {"HTMLRicerche", &HTMLRicerche},
          {"Locandine", &Locandine},
          {"HighLights", &HighLights},
          {"NavBar", &NavBar},
          {"GiorniGriglia", &GiorniGriglia},
          {"Cinedrawerdb", &Cinedrawerdb}}},
        {"\\database\\config2.cfg",
         {{"HTMLReport", &HTMLReport},
          {"Colore", &Colore},
          {"Pulisci", &Pulisci},
          {"UsaProxy", &UsaProxy},
          {"ProxyName", &ProxyName},
          {"ProxyPort", &ProxyPort},
          {"ProxyUser", &ProxyUser},
          {"ProxyPass", &ProxyPass},
          {"language", &language},
          {"HTMLmytv", &HTMLmytv},
          {"griglia", &griglia},
          {"PopUp", &PopUp}}},
    };
    return files;
}

// Keys whose load failed, with the value they held right after loading: the
// saver leaves them alone until the program gives them another value.
QHash<QString, QVariant> &unreadKeys()
{
    static QHash<QString, QVariant> keys;
    return keys;
}

const QString NoRowLoad =
    QStringLiteral("Errore nel caricamento configurazione, hai installto correttamente tutti i file?");
const QString NoRowSave =
    QStringLiteral("Errore nel salvataggio configurazione, hai installto correttamente tutti i file?");

QString loadFailure(const DbError &e)
{
    return QStringLiteral("Errore nel caricamento configurazione, hai installato correttamente tutti i file?\r\n")
           + QString::number(e.number()) + e.text()
           + QStringLiteral("\r\n\r\nSe l'installazione e' stata eseguita ed hai un sistema operativo come "
                            "Windows98, devi scaricare i file di runtime dal sito di orvento!\r\n\r\n"
                            " Se hai problemi non esitare a contattare il supporto tecnico!\r\n\r\n"
                            "ORVENTO NON FUNZIONERA' CORRETTAMENTE FINCHE NON INSTALLI I FILE NECESSARI "
                            "DI RUNTIME!, NON POTRAI VEDERE NESSUN PALINSESTO!");
}

QVariant currentValue(const Target &t)
{
    return std::visit([](auto *p) { return QVariant::fromValue(*p); }, t);
}

[[noreturn]] void nullValue() { throw DbError(94, QStringLiteral("Utilizzo non valido di Null")); }
[[noreturn]] void mismatch() { throw DbError(13, QStringLiteral("Tipo non corrispondente")); }
[[noreturn]] void overflow() { throw DbError(6, QStringLiteral("Overflow")); }

qint64 toWhole(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return -1;
        if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return 0;
        bool ok = false;
        const double d = s.toDouble(&ok);
        if (!ok)
            mismatch();
        return qRound64(d);
    }
    if (v.typeId() == QMetaType::Double)
        return qRound64(v.toDouble());
    return v.toLongLong();
}

template <typename Int> Int toInt(const QVariant &v)
{
    const qint64 n = toWhole(v);
    if (n < std::numeric_limits<Int>::min() || n > std::numeric_limits<Int>::max())
        overflow();
    return Int(n);
}

// Converts one stored value into its variable by the variable's type: NULL
// fits no type, numbers and "True"/"False" convert both ways.
void assign(const Target &t, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        nullValue();
    std::visit(
        [&](auto *p) {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, QString>)
                *p = v.toString();
            else if constexpr (std::is_same_v<T, bool>)
                *p = toWhole(v) != 0;
            else
                *p = toInt<T>(v);
        },
        t);
}

QVariant stored(const Target &t)
{
    return std::visit(
        [](auto *p) -> QVariant {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, QString>)
                return *p;
            else if constexpr (std::is_same_v<T, bool>)
                return qint64(*p ? 1 : 0);
            else
                return qint64(*p);
        },
        t);
}

void markUnread(const Key &k) { unreadKeys().insert(QString::fromLatin1(k.name), currentValue(k.var)); }

void markAllUnread(const ConfigFile &f)
{
    for (const Key &k : f.keys)
        markUnread(k);
}

void loadFile(const ConfigFile &f)
{
    Database db;
    Statement st;
    try {
        db = Database::open(appPath(QString::fromLatin1(f.path)));
        st = db.prepare(QStringLiteral("Select * from Config"));
    } catch (const DbError &e) {
        // Nothing of this file can be read: one report, not one per key.
        Prompt::message(loadFailure(e));
        markAllUnread(f);
        return;
    }
    bool hasRow = true;
    try {
        hasRow = st.next();
    } catch (const DbError &e) {
        Prompt::message(loadFailure(e));
    }
    if (!hasRow) {
        Prompt::message(NoRowLoad);
        markAllUnread(f);
        return;
    }
    for (const Key &k : f.keys) {
        try {
            assign(k.var, st.value(QString::fromLatin1(k.name)));
        } catch (const DbError &e) {
            markUnread(k);
            Prompt::message(loadFailure(e));
        }
    }
}

bool changedSinceLoad(const Key &k)
{
    auto it = unreadKeys().constFind(QString::fromLatin1(k.name));
    return it == unreadKeys().constEnd() || currentValue(k.var) != it.value();
}

QString saveFailure(const DbError &e)
{
    return NoRowSave + QStringLiteral("\r\n") + QString::number(e.number()) + e.text();
}

// False when the saver must stop.
bool saveFile(const ConfigFile &f, const QString &noRowText)
{
    QList<QPair<QString, QVariant>> values;
    for (const Key &k : f.keys)
        if (changedSinceLoad(k))
            values.append({QString::fromLatin1(k.name), stored(k.var)});
    if (values.isEmpty())
        return true;
    try {
        Database db = Database::open(appPath(QString::fromLatin1(f.path)));
        ConfigTable table(db);
        if (!table.hasRow()) {
            Prompt::message(noRowText);
            return true;
        }
        table.writeRow(values);
    } catch (const DbError &e) {
        Prompt::message(saveFailure(e));
        return false;
    }
    // Written now: from here on these keys hold what the file holds.
    for (const auto &v : values)
        unreadKeys().remove(v.first);
    return true;
}

} // namespace

void CARICA_CONFIGURAZIONE()
{
    unreadKeys().clear();
    for (const ConfigFile &f : configFiles())
        loadFile(f);
}

void SALVA_CONFIGURAZIONE()
{
    const auto &files = configFiles();
    if (!saveFile(files[0], Lingua[169]))
        return;
    saveFile(files[1], NoRowSave);
}

} // namespace orv
