#pragma once

#include "platform/Database.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <optional>
#include <vector>

// The tables of the six databases and the queries the program runs on them.
// Every query binds its values; text compares without regard to case and
// like-patterns take "*", "?", "#" and "[...]" (see platform/Database).
namespace orv {

// The programme key: day yyyymmdd, channel name, 1-based running number.
struct ProgrammeKey {
    qint32 Data = 0;
    QString Palinsesto;
    int Numerazione = 0;
    bool operator==(const ProgrammeKey &) const = default;
};

struct Programme {
    qint32 Data = 0;
    QString Palinsesto;
    int Numerazione = 0;
    QString ORA;
    QString Titolo;
    QString Titolo2;
    QString Type;
    QString Genere;
    QString Descrizione;
    QString Durata;
    QString link;
    QString Link1;
    QString Link2;
    QString Immagine;
    QString Marked;
    QString Promemoria;
    QString Registra;

    ProgrammeKey key() const { return {Data, Palinsesto, Numerazione}; }
};

// The state fields, each set exactly when it holds "1".
enum class StateField { Marked, Promemoria, Registra };

class ProgrammiTable {
public:
    explicit ProgrammiTable(Database &db) : db_(db) {}

    void insert(const Programme &p);
    // Removes every row ("delete * from Programmi").
    int deleteAll();
    // Removes the rows of days before the given one.
    int deleteBefore(qint32 day);
    int deleteChannelDay(qint32 day, const QString &channel);
    bool hasChannelDay(qint32 day, const QString &channel);
    std::vector<Programme> channelDay(qint32 day, const QString &channel);
    std::optional<Programme> find(const ProgrammeKey &key);
    std::vector<Programme> byTitleLike(const QString &pattern);
    // Writes "1" or "0" into one state field of one row; false when no row.
    bool setState(const ProgrammeKey &key, StateField field, bool on);
    // Writes the mark on every row whose title is like the pattern.
    int setMarkedByTitleLike(const QString &pattern, bool on);
    // Rows of a day starting at time with the state field set, by Numerazione.
    std::vector<Programme> withStateAt(qint32 day, const QString &time, StateField field);
    // Rows of one day with any state field set, by start time (MyTV).
    std::vector<Programme> markedOnDay(qint32 day);
    // Rows of one day whose Type is like the pattern and that start between
    // the two times, by start time (daily report).
    std::vector<Programme> reportRows(const QString &typePattern, qint32 day, const QString &from,
                                      const QString &to);
    qint64 count();

    // Favourite marks of the pop-up.
    // Sets Marked on every row whose title is like the pattern and that was
    // not set; gives those rows' keys.
    std::vector<ProgrammeKey> markTitleLike(const QString &pattern);
    struct MarkedRow {
        qint64 rowid;
        ProgrammeKey key;
        QString Titolo;
    };
    // The rows whose Marked is set.
    std::vector<MarkedRow> markedRows();
    // Clears Marked on those rows.
    void unmarkRows(const std::vector<qint64> &rowids);

    static Programme read(const Statement &st);

    // Reminders and keyword search.
    // Rows of the days first..last starting at time with any state field set.
    std::vector<Programme> markedStartingAt(qint32 firstDay, qint32 lastDay, const QString &time);
    // The fields a title search needs, row by row from the day on, in no order.
    struct Head {
        qint32 Data = 0;
        QString Palinsesto;
        int Numerazione = 0;
        QString ORA;
        QString Titolo;
    };
    void headsFromDay(qint32 day, const std::function<void(const Head &)> &row);

    // --- List pages: at most `limit` rows, so one above a page's limit
    // tells that the limit was reached.
    // One channel's day by Numerazione (channel card).
    std::vector<Programme> channelDay(qint32 day, const QString &channel, int limit);
    // Daily report rows by start time, then channel and number, so rows of
    // equal start come in a stable order.
    std::vector<Programme> reportRows(const QString &typePattern, qint32 day, const QString &from,
                                      const QString &to, int limit);
    // Search page: rows with any of Titolo, Descrizione, Durata, Type, Genere
    // like the pattern, carrying every mark asked for, from a day on (0: all),
    // by day, start time, channel and number.
    std::vector<Programme> search(const QString &pattern, bool marked, bool promemoria, bool registra,
                                  qint32 fromDay, int limit);
    // MyTV: one day's marked rows by start time.
    std::vector<Programme> markedOnDay(qint32 day, int limit);

    // Day grid: the rows of the days first to last with only what the grid
    // shows, ordered by day, channel and Numerazione.
    struct GridRecord {
        qint32 Data = 0;
        int Numerazione = 0;
        QString Palinsesto;
        QString ORA;
        QString Titolo;
        QString Durata;
        QString Type;
        bool marked = false; // Marked holds "1"
        bool link = false;   // Link2 is not empty
        ProgrammeKey key() const { return {Data, Palinsesto, Numerazione}; }
    };
    std::vector<GridRecord> gridRange(qint32 first, qint32 last);

private:
    std::vector<Programme> collect(Statement &st);
    Database &db_;
    std::optional<Statement> insert_;
    std::optional<Statement> deleteDay_;
};

struct Channel {
    qint32 IDTV = 0;
    QString NOMETV;
    QString Descrizione;
    bool Attivo = false;
    bool Visualizzare = false;
    qint32 Posizione = 0;
    std::optional<qint32> ANTENNA; // channel group; empty when NULL or not a number
    QString Canale;
    qint32 Digitale = 0;
    qint32 Colore = 0;
    bool Ricarica = false;
    qint32 GIORNI = 0;
};

class TelevisioniTable {
public:
    explicit TelevisioniTable(Database &db) : db_(db) {}

    std::vector<Channel> activeByPosition();        // download order
    std::vector<Channel> activeByCode();            // post-processing order
    std::vector<Channel> activeVisibleByPosition(); // tree and grid
    std::vector<Channel> visibleByPosition();       // channel setup
    std::vector<Channel> allByPosition();
    std::optional<Channel> byCode(qint32 idtv);
    std::optional<Channel> byName(const QString &name);
    // Writes the two fields the channel setup may change.
    bool setAttivoPosizione(const QString &name, bool attivo, qint32 posizione);

    static Channel read(const Statement &st);

private:
    std::vector<Channel> query(const QString &sql);
    Database &db_;
};

// A table of titles, one per row in `Titolo` (favourites, monitor keywords).
// Text compares without regard to case.
class TitleTable {
public:
    QStringList titles();                // every title, table order
    bool contains(const QString &title); // exact, without regard to case
    // Adds a title with no ID of its own.
    void add(const QString &title);
    // Removes the first row with that title.
    int remove(const QString &title);
    // Removes every row with that title; gives how many.
    int removeAll(const QString &title);

    // The title editors: rows by row id.
    // (row id, Titolo) of every row, Titolo descending.
    std::vector<std::pair<qint64, QString>> rowsDescending();
    // False when the row is gone.
    bool update(qint64 id, const QString &title);
    bool removeRow(qint64 id);

protected:
    // table: the name of one of the program's own tables.
    TitleTable(Database &db, const char *table) : db_(db), table_(QLatin1String(table)) {}
    Database &db_;
    QString table_;
};

class PreferitiTable : public TitleTable {
public:
    explicit PreferitiTable(Database &db) : TitleTable(db, "Preferiti") {}
    // Adds a title with the highest ID plus 1 (1 when empty); gives the ID.
    qint32 addWithNextId(const QString &title);
};

class MonitorTable : public TitleTable {
public:
    explicit MonitorTable(Database &db) : TitleTable(db, "Monitor") {}
};

// The single Config row of a configuration database, column by column.
class ConfigTable {
public:
    explicit ConfigTable(Database &db) : db_(db) {}
    // False when the table holds no row.
    bool hasRow();
    // The row's values by column name; NULL values are invalid QVariants.
    QVariantMap readRow();
    // Writes the given columns into the row.
    void writeRow(const QList<QPair<QString, QVariant>> &values);

private:
    Database &db_;
};

class ImportaTable {
public:
    explicit ImportaTable(Database &db) : db_(db) {}
    QStringList types(); // non-empty types, table order
    QStringList allRows(); // every row as stored

private:
    Database &db_;
};

// Day helpers: a day is the number yyyymmdd.
qint32 dayNumber(int year, int month, int day);
QString dayText(qint32 day); // "yyyymmdd"

} // namespace orv
