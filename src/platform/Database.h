#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace orv {

// A failure of the database engine: its number and text are what the user is
// shown ("error number and text").
class DbError : public std::runtime_error {
public:
    DbError(int number, const QString &text);
    int number() const { return number_; }
    QString text() const { return text_; }
    // The number, a blank and the description: the error as it is shown.
    QString message() const { return QString::number(number_) + u' ' + text_; }

private:
    int number_;
    QString text_;
};

// Registers the listings' text rules on a raw connection: NOCASE compares
// without regard to case, accented letters included, and like() takes "*" for
// any run, "?" for one character, "#" for one digit and "[...]" for one of a
// list of characters ("[!...]" none of them, "a-z" a range); every other
// character, "%" and "_" included, stands for itself.
void registerJetTextRules(sqlite3 *db);

// The like() pattern match, exposed for callers that match in memory.
bool jetLike(const QString &text, const QString &pattern);
// The same on a text and a pattern already case-folded (QString::toCaseFolded).
bool jetLikeFolded(const QString &foldedText, const QString &foldedPattern);
// Case-insensitive comparison with the same rules as the NOCASE collation.
int jetCompare(const QString &a, const QString &b);

class Statement;

// How long a connection waits for another writer's lock before failing.
constexpr int BusyTimeoutMs = 250;

// One open database file. Opening never creates a file: the databases are
// installed with the program.
class Database {
public:
    Database() = default;
    ~Database();
    Database(Database &&other) noexcept;
    Database &operator=(Database &&other) noexcept;
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Throws DbError when the file is missing or not a database.
    static Database open(const QString &path);
    // Opens a file that belongs to another program (the user's movie
    // catalogue) as it stands: its journal mode is left alone, and a lock
    // held elsewhere is waited on for at most busyMs. Throws DbError when
    // the file is missing; one that is not a database fails at first use.
    static Database openForeign(const QString &path, int busyMs);

    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }
    void close();

    Statement prepare(const QString &sql);
    // Runs SQL without parameters (several statements allowed).
    void exec(const QString &sql);
    qint64 lastInsertRowId() const;
    int changes() const;

    sqlite3 *handle() const { return db_; }

private:
    static Database openFile(const QString &path, int flags, int busyMs);
    sqlite3 *db_ = nullptr;
    QString path_;
};

// A prepared statement with bound values. Columns are read by name without
// regard to case, however the query spells them.
class Statement {
public:
    Statement() = default;
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binding is 1-based, in the order of the "?" in the SQL text.
    Statement &bind(int index, const QVariant &value);
    Statement &bind(int index, const QString &value);
    Statement &bind(int index, const char *value) { return bind(index, QString::fromUtf8(value)); }
    Statement &bind(int index, qint64 value);
    Statement &bind(int index, int value) { return bind(index, qint64(value)); }
    Statement &bind(int index, bool value) { return bind(index, qint64(value ? 1 : 0)); }
    Statement &bindNull(int index);
    // Binds every value in order from index 1.
    template <typename... T> Statement &bindAll(const T &...values)
    {
        int i = 0;
        (bind(++i, values), ...);
        return *this;
    }

    // Steps to the next row; false at the end of the set.
    bool next();
    // Runs to the end (for statements that return no rows); gives the rows changed.
    int execute();
    // Ready to run again with new bindings.
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    int columnIndex(const QString &name) const; // -1 when there is no such column
    bool isNull(const QString &name) const;
    bool isNull(int column) const;
    QVariant value(const QString &name) const;
    QVariant value(int column) const;
    // Text of a column: NULL reads as empty, numbers as their decimal text.
    QString text(const QString &name) const;
    QString text(int column) const;
    qint64 integer(const QString &name) const;
    qint64 integer(int column) const;
    // The column's UTF-8 bytes, valid until the next step (no copy).
    QByteArrayView utf8(int column) const;

private:
    int requireColumn(const QString &name) const;
    void check(int rc) const;

    sqlite3 *db_ = nullptr;
    sqlite3_stmt *stmt_ = nullptr;
    std::vector<QByteArray> held_; // texts bound without a copy
    int stepError_ = 0;            // the latest step's error code, 0 when it succeeded
};

// Commits on commit(), rolls back when left without it.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    void commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    Database &db_;
    bool done_ = false;
};

} // namespace orv
