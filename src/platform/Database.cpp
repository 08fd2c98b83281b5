#include "platform/Database.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <utility>
#include <vector>

namespace orv {

DbError::DbError(int number, const QString &text)
    : std::runtime_error(QStringLiteral("%1 %2").arg(number).arg(text).toStdString()),
      number_(number), text_(text)
{
}

namespace {

bool isAscii(const unsigned char *s, int n)
{
    for (int i = 0; i < n; ++i)
        if (s[i] & 0x80)
            return false;
    return true;
}

unsigned char lowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

QString folded(const unsigned char *s, int n)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(s), n).toCaseFolded();
}

int collateNoCase(void *, int n1, const void *p1, int n2, const void *p2)
{
    auto a = static_cast<const unsigned char *>(p1);
    auto b = static_cast<const unsigned char *>(p2);
    if (isAscii(a, n1) && isAscii(b, n2)) {
        int n = std::min(n1, n2);
        for (int i = 0; i < n; ++i) {
            int d = int(lowerAscii(a[i])) - int(lowerAscii(b[i]));
            if (d != 0)
                return d;
        }
        return n1 - n2;
    }
    return folded(a, n1).compare(folded(b, n2));
}

// One pattern element at p[pi], not "*": "?" any character, "#" a digit,
// "[...]" a list of characters ("!" first negates, "a-z" a range), anything
// else itself; a "[" without its "]" is itself. Gives the element's length
// and whether it takes the character c. `fold` gives a character's case-blind
// form.
template <typename C, typename Fold>
int element(const C *p, int pn, int pi, C c, Fold fold, bool &takes)
{
    const C x = p[pi];
    if (x == C('?')) {
        takes = true;
        return 1;
    }
    if (x == C('#')) {
        takes = c >= C('0') && c <= C('9');
        return 1;
    }
    if (x == C('[')) {
        int end = pi + 1;
        while (end < pn && p[end] != C(']'))
            ++end;
        if (end < pn) {
            int i = pi + 1;
            // "[!]" is the "!" itself.
            const bool negate = i + 1 < end && p[i] == C('!');
            if (negate)
                ++i;
            const C f = fold(c);
            bool in = false;
            for (; i < end && !in; ++i) {
                if (i + 2 < end && p[i + 1] == C('-')) {
                    in = fold(p[i]) <= f && f <= fold(p[i + 2]);
                    i += 2;
                } else {
                    in = fold(p[i]) == f;
                }
            }
            takes = in != negate;
            return end - pi + 1;
        }
    }
    takes = fold(x) == fold(c);
    return 1;
}

// "[]" lists nothing and stands for the empty text.
template <typename C> bool emptyList(const C *p, int pn, int pi)
{
    return pi + 1 < pn && p[pi] == C('[') && p[pi + 1] == C(']');
}

// Pattern match with one backtrack point, linear in practice: every element
// but "*" takes exactly one character.
template <typename C, typename Fold>
bool wildcardMatch(const C *t, int tn, const C *p, int pn, Fold fold)
{
    int ti = 0, pi = 0, starP = -1, starT = 0;
    while (ti < tn) {
        if (pi < pn && p[pi] == C('*')) {
            starP = pi++;
            starT = ti;
            continue;
        }
        if (emptyList(p, pn, pi)) {
            pi += 2;
            continue;
        }
        bool takes = false;
        const int len = pi < pn ? element(p, pn, pi, t[ti], fold, takes) : 0;
        if (takes) {
            pi += len;
            ++ti;
        } else if (starP >= 0) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < pn && (p[pi] == C('*') || emptyList(p, pn, pi)))
        pi += p[pi] == C('*') ? 1 : 2;
    return pi == pn;
}

bool likeUtf8(const unsigned char *t, int tn, const unsigned char *p, int pn)
{
    if (isAscii(t, tn) && isAscii(p, pn))
        return wildcardMatch(t, tn, p, pn, [](unsigned char x) { return lowerAscii(x); });
    return jetLike(QString::fromUtf8(reinterpret_cast<const char *>(t), tn),
                   QString::fromUtf8(reinterpret_cast<const char *>(p), pn));
}

void likeFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    // like(pattern, text): the operator "text LIKE pattern" arrives this way round.
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    auto p = sqlite3_value_text(argv[0]);
    int pn = sqlite3_value_bytes(argv[0]);
    auto t = sqlite3_value_text(argv[1]);
    int tn = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(ctx, likeUtf8(t, tn, p, pn) ? 1 : 0);
}

} // namespace

bool jetLike(const QString &text, const QString &pattern)
{
    return jetLikeFolded(text.toCaseFolded(), pattern.toCaseFolded());
}

bool jetLikeFolded(const QString &t, const QString &p)
{
    return wildcardMatch(t.constData(), int(t.size()), p.constData(), int(p.size()), [](QChar x) { return x; });
}

int jetCompare(const QString &a, const QString &b)
{
    return a.toCaseFolded().compare(b.toCaseFolded());
}

void registerJetTextRules(sqlite3 *db)
{
    int rc = sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, collateNoCase);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                                     nullptr, nullptr);
    // Without them the queries would quietly compare and match differently.
    if (rc != SQLITE_OK)
        throw DbError(rc, QString::fromUtf8(sqlite3_errmsg(db)));
}

// ---------------------------------------------------------------- Database

Database::~Database() { close(); }

Database::Database(Database &&other) noexcept : db_(other.db_), path_(std::move(other.path_))
{
    other.db_ = nullptr;
}

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        close();
        db_ = other.db_;
        path_ = std::move(other.path_);
        other.db_ = nullptr;
    }
    return *this;
}

Database Database::openFile(const QString &path, int flags, int busyMs)
{
    if (!QFileInfo(path).isFile())
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("Impossibile trovare il file '%1'.").arg(path));
    sqlite3 *raw = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | flags, nullptr);
    if (rc != SQLITE_OK) {
        QString msg = raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QStringLiteral("out of memory");
        sqlite3_close(raw);
        throw DbError(rc, msg);
    }
    sqlite3_extended_result_codes(raw, 0);
    sqlite3_busy_timeout(raw, busyMs);
    Database db;
    db.db_ = raw;
    db.path_ = path;
    registerJetTextRules(raw);
    return db;
}

Database Database::open(const QString &path)
{
    // A connection never leaves the thread that opened it: no locking inside.
    // Every connection lives on the window's thread, and no writer holds a
    // lock across a network wait or a box: a lock met here belongs to another
    // program and a short wait is all that is worth freezing the window for.
    Database db = openFile(path, SQLITE_OPEN_NOMUTEX, BusyTimeoutMs);
    // A file that is not a database shows up at the first real read.
    try {
        db.exec(QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;"));
    } catch (...) {
        db.close();
        throw;
    }
    return db;
}

Database Database::openForeign(const QString &path, int busyMs) { return openFile(path, 0, busyMs); }

void Database::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

Statement Database::prepare(const QString &sql)
{
    if (!db_)
        throw DbError(SQLITE_MISUSE, QStringLiteral("Database non aperto"));
    return Statement(db_, sql);
}

void Database::exec(const QString &sql)
{
    if (!db_)
        throw DbError(SQLITE_MISUSE, QStringLiteral("Database non aperto"));
    char *err = nullptr;
    int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        QString msg = err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_free(err);
        throw DbError(rc, msg);
    }
}

qint64 Database::lastInsertRowId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }
int Database::changes() const { return db_ ? sqlite3_changes(db_) : 0; }

// --------------------------------------------------------------- Statement

Statement::Statement(sqlite3 *db, const QString &sql) : db_(db)
{
    QByteArray utf8 = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(rc, QString::fromUtf8(sqlite3_errmsg(db)));
}

Statement::~Statement()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
}

Statement::Statement(Statement &&other) noexcept
    : db_(other.db_), stmt_(other.stmt_), held_(std::move(other.held_)), stepError_(other.stepError_)
{
    other.stmt_ = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        if (stmt_)
            sqlite3_finalize(stmt_);
        db_ = other.db_;
        stmt_ = other.stmt_;
        held_ = std::move(other.held_);
        stepError_ = other.stepError_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void Statement::check(int rc) const
{
    if (rc != SQLITE_OK)
        throw DbError(rc, QString::fromUtf8(sqlite3_errmsg(db_)));
}

Statement &Statement::bind(int index, const QString &value)
{
    if (value.isEmpty()) {
        check(sqlite3_bind_text(stmt_, index, "", 0, SQLITE_STATIC));
        return *this;
    }
    // The text is kept here until the bindings are cleared, so the engine
    // need not copy it.
    held_.push_back(value.toUtf8());
    const QByteArray &utf8 = held_.back();
    check(sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_STATIC));
    return *this;
}

Statement &Statement::bind(int index, qint64 value)
{
    check(sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

Statement &Statement::bindNull(int index)
{
    check(sqlite3_bind_null(stmt_, index));
    return *this;
}

Statement &Statement::bind(int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return bindNull(index);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return bind(index, value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return bind(index, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        check(sqlite3_bind_double(stmt_, index, value.toDouble()));
        return *this;
    default:
        return bind(index, value.toString());
    }
}

bool Statement::next()
{
    int rc = sqlite3_step(stmt_);
    stepError_ = rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_OK : rc;
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw DbError(rc, QString::fromUtf8(sqlite3_errmsg(db_)));
}

int Statement::execute()
{
    while (next()) {
    }
    return sqlite3_changes(db_);
}

void Statement::reset()
{
    const int rc = sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    held_.clear();
    // A failed step's code comes back from the reset: it was thrown already.
    const int thrown = std::exchange(stepError_, SQLITE_OK);
    if (rc != SQLITE_OK && rc != thrown)
        throw DbError(rc, QString::fromUtf8(sqlite3_errmsg(db_)));
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

int Statement::columnIndex(const QString &name) const
{
    // Called for every field of every row read by name: compare the engine's
    // own (ASCII) names in place instead of building a string for each.
    const QByteArray key = name.toUtf8();
    const int n = columnCount();
    for (int i = 0; i < n; ++i)
        if (qstricmp(sqlite3_column_name(stmt_, i), key.constData()) == 0)
            return i;
    return -1;
}

int Statement::requireColumn(const QString &name) const
{
    int i = columnIndex(name);
    if (i < 0)
        throw DbError(3265, QStringLiteral("Elemento '%1' non trovato nell'insieme.").arg(name));
    return i;
}

bool Statement::isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
bool Statement::isNull(const QString &name) const { return isNull(requireColumn(name)); }

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, column));
    default:
        return text(column);
    }
}

QVariant Statement::value(const QString &name) const { return value(requireColumn(name)); }

QString Statement::text(int column) const
{
    auto p = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    if (!p)
        return QString();
    return QString::fromUtf8(p, sqlite3_column_bytes(stmt_, column));
}

QString Statement::text(const QString &name) const { return text(requireColumn(name)); }

qint64 Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

QByteArrayView Statement::utf8(int column) const
{
    auto p = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return p ? QByteArrayView(p, sqlite3_column_bytes(stmt_, column)) : QByteArrayView();
}
qint64 Statement::integer(const QString &name) const { return integer(requireColumn(name)); }

// ------------------------------------------------------------- Transaction

Transaction::Transaction(Database &db) : db_(db) { db_.exec(QStringLiteral("BEGIN IMMEDIATE")); }

Transaction::~Transaction()
{
    if (!done_) {
        try {
            db_.exec(QStringLiteral("ROLLBACK"));
        } catch (const std::exception &e) {
            // A destructor cannot throw: the failed rollback is said on
            // standard error (SQLite rolls back itself when it closes).
            qWarning("ROLLBACK: %s", e.what());
        }
    }
}

void Transaction::commit()
{
    db_.exec(QStringLiteral("COMMIT"));
    done_ = true;
}

} // namespace orv
