#include "core/Store.h"

#include <QHash>

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

// Day grid: one range query for every grid day, read by column number.
// Channel names, types and durations repeat from row to row: a repeated
// value shares the previous row's text instead of decoding it again.
std::vector<ProgrammiTable::GridRecord> ProgrammiTable::gridRange(qint32 first, qint32 last)
{
    auto st = db_.prepare(QStringLiteral(
        "select Data, Palinsesto, Numerazione, ORA, Titolo, Durata, Type, Marked, Link2 from Programmi "
        "where Data >= ? and Data <= ? order by Data, Palinsesto, Numerazione"));
    st.bindAll(qint64(first), qint64(last));
    std::vector<GridRecord> out;
    auto count = db_.prepare(QStringLiteral("select count(*) from Programmi where Data >= ? and Data <= ?"));
    count.bindAll(qint64(first), qint64(last));
    if (count.next())
        out.reserve(size_t(count.integer(0)));
    struct Shared {
        QByteArray bytes;
        QString text;
        const QString &get(QByteArrayView now)
        {
            if (now != QByteArrayView(bytes)) {
                bytes = now.toByteArray();
                text = QString::fromUtf8(now);
            }
            return text;
        }
    } name, durata, type;
    // Start times repeat across channels and days: one text per time.
    QHash<QByteArray, QString> times;
    while (st.next()) {
        GridRecord r;
        r.Data = qint32(st.integer(0));
        r.Palinsesto = name.get(st.utf8(1));
        r.Numerazione = int(st.integer(2));
        const QByteArrayView ora = st.utf8(3);
        auto t = times.constFind(QByteArray::fromRawData(ora.data(), ora.size()));
        if (t == times.constEnd())
            t = times.insert(ora.toByteArray(), QString::fromUtf8(ora));
        r.ORA = *t;
        r.Titolo = st.text(4);
        r.Durata = durata.get(st.utf8(5));
        r.Type = type.get(st.utf8(6));
        r.marked = st.utf8(7) == "1";
        r.link = !st.utf8(8).isEmpty();
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<ProgrammeKey> ProgrammiTable::markTitleLike(const QString &pattern)
{
    auto st = db_.prepare(QStringLiteral("update Programmi set Marked = '1' where Titolo like ? and "
                                         "(Marked is null or Marked <> '1') returning Data, Palinsesto, Numerazione"));
    st.bind(1, pattern);
    std::vector<ProgrammeKey> out;
    while (st.next())
        out.push_back({qint32(st.integer(0)), st.text(1), int(st.integer(2))});
    return out;
}

std::vector<ProgrammiTable::MarkedRow> ProgrammiTable::markedRows()
{
    auto st = db_.prepare(
        QStringLiteral("select rowid, Data, Palinsesto, Numerazione, Titolo from Programmi where Marked = '1'"));
    std::vector<MarkedRow> out;
    while (st.next())
        out.push_back({st.integer(0), {qint32(st.integer(1)), st.text(2), int(st.integer(3))}, st.text(4)});
    return out;
}

void ProgrammiTable::unmarkRows(const std::vector<qint64> &rowids)
{
    auto st = db_.prepare(QStringLiteral("update Programmi set Marked = '0' where rowid = ?"));
    for (qint64 id : rowids) {
        st.reset();
        st.bind(1, id);
        st.execute();
    }
}

// Reminders and keyword search.

std::vector<Programme> ProgrammiTable::markedStartingAt(qint32 firstDay, qint32 lastDay, const QString &time)
{
    auto st = db_.prepare(QStringLiteral("select * from Programmi where Data between ? and ? and ORA = ? and "
                                         "(Promemoria = '1' or Registra = '1' or Marked = '1') "
                                         "order by Numerazione, Palinsesto, Data"));
    st.bindAll(qint64(firstDay), qint64(lastDay), time);
    return collect(st);
}

void ProgrammiTable::headsFromDay(qint32 day, const std::function<void(const Head &)> &row)
{
    auto st = db_.prepare(
        QStringLiteral("select Data, Palinsesto, Numerazione, ORA, Titolo from Programmi where +Data >= ?"));
    st.bind(1, qint64(day));
    Head h;
    while (st.next()) {
        h.Data = qint32(st.integer(0));
        h.Palinsesto = st.text(1);
        h.Numerazione = int(st.integer(2));
        h.ORA = st.text(3);
        h.Titolo = st.text(4);
        row(h);
    }
}

// --- List pages

namespace {

// The list pages read hundreds of rows at a time: columns by position.
const char *const PageColumns = "Data, Palinsesto, Numerazione, ORA, Titolo, Titolo2, Type, Genere, Descrizione, "
                                "Durata, link, Link1, Link2, Immagine, Marked, Promemoria, Registra";

std::vector<Programme> collectByPosition(Statement &st)
{
    std::vector<Programme> out;
    while (st.next()) {
        Programme p;
        p.Data = qint32(st.integer(0));
        p.Palinsesto = st.text(1);
        p.Numerazione = int(st.integer(2));
        QString *texts[] = {&p.ORA,  &p.Titolo, &p.Titolo2,  &p.Type,   &p.Genere,     &p.Descrizione, &p.Durata,
                            &p.link, &p.Link1,  &p.Link2,    &p.Immagine, &p.Marked, &p.Promemoria,  &p.Registra};
        for (int c = 0; c < 14; ++c)
            *texts[c] = st.text(c + 3);
        out.push_back(std::move(p));
    }
    return out;
}

} // namespace

std::vector<Programme> ProgrammiTable::channelDay(qint32 day, const QString &channel, int limit)
{
    auto st = db_.prepare(QStringLiteral("select %1 from Programmi where Data = ? and Palinsesto = ? "
                                         "order by Numerazione asc limit ?")
                              .arg(QLatin1String(PageColumns)));
    st.bindAll(qint64(day), channel, qint64(limit));
    return collectByPosition(st);
}

std::vector<Programme> ProgrammiTable::reportRows(const QString &typePattern, qint32 day, const QString &from,
                                                  const QString &to, int limit)
{
    // Times are "hh:mm" digits and channel names are written one way, so
    // plain comparisons give the collation's order without its cost on
    // every row of the day; the pattern is tested on the rows in range only.
    auto st = db_.prepare(QStringLiteral("select %1 from Programmi where Data = ? and ORA collate binary >= ? "
                                         "and ORA collate binary <= ? and Type like ? order by ORA collate binary, "
                                         "Palinsesto collate binary, Numerazione limit ?")
                              .arg(QLatin1String(PageColumns)));
    st.bindAll(qint64(day), from, to, typePattern, qint64(limit));
    return collectByPosition(st);
}

std::vector<Programme> ProgrammiTable::search(const QString &pattern, bool marked, bool promemoria, bool registra,
                                              qint32 fromDay, int limit)
{
    QString sql = QStringLiteral("select %1 from Programmi where (Titolo like ?1 or Descrizione like ?1 or "
                                 "Durata like ?1 or Type like ?1 or Genere like ?1)")
                      .arg(QLatin1String(PageColumns));
    if (marked)
        sql += QLatin1String(" and Marked collate binary = '1'");
    if (promemoria)
        sql += QLatin1String(" and Promemoria collate binary = '1'");
    if (registra)
        sql += QLatin1String(" and Registra collate binary = '1'");
    // Walking the key index by day lets the engine stop at the limit.
    sql += QLatin1String(" and Data >= ?2 order by Data, ORA collate binary, Palinsesto collate binary, "
                         "Numerazione limit ?3");
    auto st = db_.prepare(sql);
    st.bindAll(pattern, qint64(fromDay), qint64(limit));
    return collectByPosition(st);
}

std::vector<Programme> ProgrammiTable::markedOnDay(qint32 day, int limit)
{
    // "1" has no letter case: a plain comparison finds the same rows without
    // the collation's cost on every row of the day.
    auto st = db_.prepare(QStringLiteral("select %1 from Programmi where Data = ? and (Marked collate binary = '1' "
                                         "or Promemoria collate binary = '1' or Registra collate binary = '1') "
                                         "order by ORA collate binary, "
                                         "Palinsesto collate binary, Numerazione limit ?")
                              .arg(QLatin1String(PageColumns)));
    st.bindAll(qint64(day), qint64(limit));
    return collectByPosition(st);
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
    // An empty or non-numeric group is no group at all.
    bool numeric = false;
    const qint32 group = st.value(QStringLiteral("ANTENNA")).toString().trimmed().toInt(&numeric);
    if (numeric)
        c.ANTENNA = group;
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

// ------------------------------------------------------------ Title tables

static QStringList column(Statement st)
{
    QStringList out;
    while (st.next())
        out << st.text(0);
    return out;
}

QStringList TitleTable::titles() { return column(db_.prepare(QStringLiteral("select Titolo from %1").arg(table_))); }

bool TitleTable::contains(const QString &title)
{
    auto st = db_.prepare(QStringLiteral("select 1 from %1 where Titolo = ?").arg(table_));
    st.bind(1, title);
    return st.next();
}

void TitleTable::add(const QString &title)
{
    db_.prepare(QStringLiteral("insert into %1 (Titolo) values (?)").arg(table_)).bind(1, title).execute();
}

int TitleTable::remove(const QString &title)
{
    // One row at a time, as the editor deletes the row it stands on.
    return db_.prepare(QStringLiteral("delete from %1 where rowid = (select rowid from %1 where Titolo = ? limit 1)")
                           .arg(table_))
        .bind(1, title)
        .execute();
}

int TitleTable::removeAll(const QString &title)
{
    return db_.prepare(QStringLiteral("delete from %1 where Titolo = ?").arg(table_)).bind(1, title).execute();
}

std::vector<std::pair<qint64, QString>> TitleTable::rowsDescending()
{
    auto st = db_.prepare(QStringLiteral("select rowid, Titolo from %1 order by Titolo desc, rowid desc").arg(table_));
    std::vector<std::pair<qint64, QString>> out;
    while (st.next())
        out.emplace_back(st.integer(0), st.text(1));
    return out;
}

bool TitleTable::update(qint64 id, const QString &title)
{
    return db_.prepare(QStringLiteral("update %1 set Titolo = ? where rowid = ?").arg(table_))
               .bindAll(title, id)
               .execute() > 0;
}

bool TitleTable::removeRow(qint64 id)
{
    return db_.prepare(QStringLiteral("delete from %1 where rowid = ?").arg(table_)).bind(1, id).execute() > 0;
}

qint32 PreferitiTable::addWithNextId(const QString &title)
{
    // The new ID follows the ID of the last row in ID order; rows without an
    // ID sort first, so this is the highest ID.
    auto st = db_.prepare(QStringLiteral("select ID from Preferiti order by ID asc"));
    qint32 last = 0;
    while (st.next())
        last = qint32(st.integer(0));
    qint32 id = last + 1;
    db_.prepare(QStringLiteral("insert into Preferiti (ID, Titolo) values (?, ?)")).bindAll(qint64(id), title).execute();
    return id;
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
