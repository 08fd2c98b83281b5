#include "core/Store.h"

namespace orv {

namespace {

const char *stateColumn(StateField f)
{
    switch (f) {
    case StateField::Marked: return "Marked";
    case StateField::Promemoria: return "Promemoria";
    case StateField::Registra: return "Registra";
    }
    return "Marked";
}

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

// ---------------------------------------------------------------- Programmi

Programme ProgrammiTable::read(const Statement &st)
{
    Programme p;
    p.Data = qint32(st.integer("Data"));
    p.Palinsesto = st.text("Palinsesto");
    p.Numerazione = int(st.integer("Numerazione"));
    p.ORA = st.text("ORA");
    p.Titolo = st.text("Titolo");
    p.Titolo2 = st.text("Titolo2");
    p.Type = st.text("Type");
    p.Genere = st.text("Genere");
    p.Descrizione = st.text("Descrizione");
    p.Durata = st.text("Durata");
    p.link = st.text("link");
    p.Link1 = st.text("Link1");
    p.Link2 = st.text("Link2");
    p.Immagine = st.text("Immagine");
    p.Marked = st.text("Marked");
    p.Promemoria = st.text("Promemoria");
    p.Registra = st.text("Registra");
    return p;
}

std::vector<Programme> ProgrammiTable::collect(Statement &st)
{
    std::vector<Programme> out;
    while (st.next())
        out.push_back(read(st));
    return out;
}

void ProgrammiTable::insert(const Programme &p)
{
    if (!insert_)
        insert_ = db_.prepare(QStringLiteral(
            "insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo, Titolo2, Type, Genere, "
            "Descrizione, Durata, link, Link1, Link2, Immagine, Marked, Promemoria, Registra) "
            "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    Statement &st = *insert_;
    st.reset();
    st.bind(1, qint64(p.Data)).bind(2, p.Palinsesto).bind(3, p.Numerazione).bind(4, p.ORA);
    st.bind(5, p.Titolo).bind(6, p.Titolo2).bind(7, p.Type).bind(8, p.Genere).bind(9, p.Descrizione);
    st.bind(10, p.Durata).bind(11, p.link).bind(12, p.Link1).bind(13, p.Link2).bind(14, p.Immagine);
    // A new row carries no mark: empty state fields stay NULL.
    auto state = [&](int i, const QString &v) {
        if (v.isEmpty())
            st.bindNull(i);
        else
            st.bind(i, v);
    };
    state(15, p.Marked);
    state(16, p.Promemoria);
    state(17, p.Registra);
    st.execute();
}

int ProgrammiTable::deleteAll() { return db_.prepare(QStringLiteral("delete from Programmi")).execute(); }

int ProgrammiTable::deleteBefore(qint32 day)
{
    return db_.prepare(QStringLiteral("delete from Programmi where Data < ?")).bind(1, qint64(day)).execute();
}

int ProgrammiTable::deleteChannelDay(qint32 day, const QString &channel)
{
    if (!deleteDay_)
        deleteDay_ = db_.prepare(QStringLiteral("delete from Programmi where Data = ? and Palinsesto = ?"));
    Statement &st = *deleteDay_;
    st.reset();
    st.bindAll(qint64(day), channel);
    return st.execute();
}

bool ProgrammiTable::hasChannelDay(qint32 day, const QString &channel)
{
    auto st = db_.prepare(QStringLiteral("select 1 from Programmi where Data = ? and Palinsesto = ? limit 1"));
    st.bindAll(qint64(day), channel);
    return st.next();
}

std::vector<Programme> ProgrammiTable::channelDay(qint32 day, const QString &channel)
{
    auto st = db_.prepare(
        QStringLiteral("select * from Programmi where Data = ? and Palinsesto = ? order by Numerazione asc"));
    st.bindAll(qint64(day), channel);
    return collect(st);
}

std::optional<Programme> ProgrammiTable::find(const ProgrammeKey &key)
{
    auto st = db_.prepare(
        QStringLiteral("select * from Programmi where Data = ? and Palinsesto = ? and Numerazione = ?"));
    st.bindAll(qint64(key.Data), key.Palinsesto, qint64(key.Numerazione));
    if (!st.next())
        return std::nullopt;
    return read(st);
}

std::vector<Programme> ProgrammiTable::byTitleLike(const QString &pattern)
{
    auto st = db_.prepare(QStringLiteral("select * from Programmi where Titolo like ?"));
    st.bind(1, pattern);
    return collect(st);
}

bool ProgrammiTable::setState(const ProgrammeKey &key, StateField field, bool on)
{
    auto st = db_.prepare(QStringLiteral("update Programmi set %1 = ? where Data = ? and Palinsesto = ? "
                                         "and Numerazione = ?")
                              .arg(QLatin1String(stateColumn(field))));
    st.bindAll(flag(on), qint64(key.Data), key.Palinsesto, qint64(key.Numerazione));
    return st.execute() > 0;
}

int ProgrammiTable::setMarkedByTitleLike(const QString &pattern, bool on)
{
    return db_.prepare(QStringLiteral("update Programmi set Marked = ? where Titolo like ?"))
        .bindAll(flag(on), pattern)
        .execute();
}

bool ProgrammiTable::setDurata(const ProgrammeKey &key, const QString &minutes)
{
    if (!durata_)
        durata_ = db_.prepare(QStringLiteral(
            "update Programmi set Durata = ? where Data = ? and Palinsesto = ? and Numerazione = ?"));
    Statement &st = *durata_;
    st.reset();
    st.bindAll(minutes, qint64(key.Data), key.Palinsesto, qint64(key.Numerazione));
    return st.execute() > 0;
}

std::vector<Programme> ProgrammiTable::withStateAt(qint32 day, const QString &time, StateField field)
{
    auto st = db_.prepare(QStringLiteral("select * from Programmi where Data = ? and ORA = ? and %1 = '1' "
                                         "order by Numerazione asc")
                              .arg(QLatin1String(stateColumn(field))));
    st.bindAll(qint64(day), time);
    return collect(st);
}

std::vector<Programme> ProgrammiTable::markedOnDay(qint32 day)
{
    auto st = db_.prepare(QStringLiteral("select * from Programmi where (Marked = '1' or Promemoria = '1' or "
                                         "Registra = '1') and Data = ? order by ORA"));
    st.bind(1, qint64(day));
    return collect(st);
}

std::vector<Programme> ProgrammiTable::reportRows(const QString &typePattern, qint32 day, const QString &from,
                                                  const QString &to)
{
    auto st = db_.prepare(QStringLiteral(
        "select * from Programmi where Type like ? and Data = ? and ORA >= ? and ORA <= ? order by ORA"));
    st.bindAll(typePattern, qint64(day), from, to);
    return collect(st);
}

qint64 ProgrammiTable::count()
{
    auto st = db_.prepare(QStringLiteral("select count(*) from Programmi"));
    st.next();
    return st.integer(0);
}

// -------------------------------------------------------------- Televisioni

Channel TelevisioniTable::read(const Statement &st)
{
    Channel c;
    c.IDTV = qint32(st.integer("IDTV"));
    c.NOMETV = st.text("NOMETV");
    c.Descrizione = st.text("Descrizione");
    c.Attivo = st.integer("Attivo") != 0;
    c.Visualizzare = st.integer("Visualizzare") != 0;
    c.Posizione = qint32(st.integer("Posizione"));
    c.ANTENNA = qint32(st.integer("ANTENNA"));
    c.Canale = st.text("Canale");
    c.Digitale = qint32(st.integer("Digitale"));
    c.Colore = qint32(st.integer("Colore"));
    c.Ricarica = st.integer("Ricarica") != 0;
    c.GIORNI = qint32(st.integer("GIORNI"));
    return c;
}

std::vector<Channel> TelevisioniTable::query(const QString &sql)
{
    auto st = db_.prepare(sql);
    std::vector<Channel> out;
    while (st.next())
        out.push_back(read(st));
    return out;
}

std::vector<Channel> TelevisioniTable::activeByPosition()
{
    return query(QStringLiteral("select * from Televisioni where Attivo <> 0 order by Posizione"));
}

std::vector<Channel> TelevisioniTable::activeByCode()
{
    return query(QStringLiteral("select * from Televisioni where Attivo <> 0 order by IDTV"));
}

std::vector<Channel> TelevisioniTable::activeVisibleByPosition()
{
    return query(QStringLiteral(
        "select * from Televisioni where Attivo <> 0 and Visualizzare <> 0 order by Posizione asc"));
}

std::vector<Channel> TelevisioniTable::visibleByPosition()
{
    return query(QStringLiteral("select * from Televisioni where Visualizzare <> 0 order by Posizione"));
}

std::vector<Channel> TelevisioniTable::allByPosition()
{
    return query(QStringLiteral("select * from Televisioni order by Posizione"));
}

std::optional<Channel> TelevisioniTable::byCode(qint32 idtv)
{
    auto st = db_.prepare(QStringLiteral("select * from Televisioni where IDTV = ?"));
    st.bind(1, qint64(idtv));
    if (!st.next())
        return std::nullopt;
    return read(st);
}

std::optional<Channel> TelevisioniTable::byName(const QString &name)
{
    auto st = db_.prepare(QStringLiteral("select * from Televisioni where NOMETV = ?"));
    st.bind(1, name);
    if (!st.next())
        return std::nullopt;
    return read(st);
}

bool TelevisioniTable::setAttivoPosizione(const QString &name, bool attivo, qint32 posizione)
{
    return db_.prepare(QStringLiteral("update Televisioni set Attivo = ?, Posizione = ? where NOMETV = ?"))
               .bindAll(attivo, qint64(posizione), name)
               .execute() > 0;
}

// ---------------------------------------------------------------- Preferiti

static QStringList column(Statement st)
{
    QStringList out;
    while (st.next())
        out << st.text(0);
    return out;
}

QStringList PreferitiTable::titles() { return column(db_.prepare(QStringLiteral("select Titolo from Preferiti"))); }

QStringList PreferitiTable::titlesDescending()
{
    return column(db_.prepare(QStringLiteral("select Titolo from Preferiti order by Titolo desc")));
}

bool PreferitiTable::contains(const QString &title)
{
    auto st = db_.prepare(QStringLiteral("select 1 from Preferiti where Titolo = ?"));
    st.bind(1, title);
    return st.next();
}

bool PreferitiTable::containsLike(const QString &pattern)
{
    auto st = db_.prepare(QStringLiteral("select 1 from Preferiti where Titolo like ?"));
    st.bind(1, pattern);
    return st.next();
}

qint32 PreferitiTable::addWithNextId(const QString &title)
{
    // The old rule takes the ID of the last row in ID order; rows without an
    // ID sort first, so this is the highest ID.
    auto st = db_.prepare(QStringLiteral("select ID from Preferiti order by ID asc"));
    qint32 last = 0;
    while (st.next())
        last = qint32(st.integer(0));
    qint32 id = last + 1;
    db_.prepare(QStringLiteral("insert into Preferiti (ID, Titolo) values (?, ?)")).bindAll(qint64(id), title).execute();
    return id;
}

void PreferitiTable::addWithoutId(const QString &title)
{
    db_.prepare(QStringLiteral("insert into Preferiti (Titolo) values (?)")).bind(1, title).execute();
}

int PreferitiTable::remove(const QString &title)
{
    // One row at a time, as the editor deletes the row it stands on.
    return db_.prepare(QStringLiteral("delete from Preferiti where rowid = "
                                      "(select rowid from Preferiti where Titolo = ? limit 1)"))
        .bind(1, title)
        .execute();
}

// ------------------------------------------------------------------ Monitor

QStringList MonitorTable::words() { return column(db_.prepare(QStringLiteral("select Titolo from Monitor"))); }

QStringList MonitorTable::wordsDescending()
{
    return column(db_.prepare(QStringLiteral("select Titolo from Monitor order by Titolo desc")));
}

bool MonitorTable::containsLike(const QString &word)
{
    auto st = db_.prepare(QStringLiteral("select 1 from Monitor where Titolo like ?"));
    st.bind(1, word);
    return st.next();
}

void MonitorTable::add(const QString &word)
{
    db_.prepare(QStringLiteral("insert into Monitor (Titolo) values (?)")).bind(1, word).execute();
}

int MonitorTable::remove(const QString &word)
{
    return db_.prepare(QStringLiteral("delete from Monitor where rowid = "
                                      "(select rowid from Monitor where Titolo = ? limit 1)"))
        .bind(1, word)
        .execute();
}

// ------------------------------------------------------------------- Config

bool ConfigTable::hasRow()
{
    auto st = db_.prepare(QStringLiteral("select 1 from Config limit 1"));
    return st.next();
}

QVariantMap ConfigTable::readRow()
{
    auto st = db_.prepare(QStringLiteral("select * from Config limit 1"));
    QVariantMap row;
    if (!st.next())
        return row;
    for (int i = 0; i < st.columnCount(); ++i)
        row.insert(st.columnName(i), st.value(i));
    return row;
}

void ConfigTable::writeRow(const QList<QPair<QString, QVariant>> &values)
{
    if (values.isEmpty())
        return;
    QStringList sets;
    for (const auto &v : values)
        sets << QStringLiteral("\"%1\" = ?").arg(v.first);
    auto st = db_.prepare(QStringLiteral("update Config set %1 where rowid = (select rowid from Config limit 1)")
                              .arg(sets.join(QStringLiteral(", "))));
    int i = 0;
    for (const auto &v : values)
        st.bind(++i, v.second);
    st.execute();
}

// ------------------------------------------------------------------ Importa

QStringList ImportaTable::types()
{
    QStringList out;
    for (const QString &t : allRows())
        if (!t.isEmpty())
            out << t;
    return out;
}

QStringList ImportaTable::allRows() { return column(db_.prepare(QStringLiteral("select Titolo from Importa"))); }

// --------------------------------------------------------------------- Days

qint32 dayNumber(int year, int month, int day) { return year * 10000 + month * 100 + day; }

QString dayText(qint32 day) { return QString::number(day).rightJustified(8, QLatin1Char('0')); }

} // namespace orv
