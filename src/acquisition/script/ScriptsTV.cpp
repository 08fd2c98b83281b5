#include "acquisition/script/ScriptsTV.h"

#include "acquisition/script/ScriptText.h"
#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>

namespace orv {

using namespace script;

namespace {

// A run-time failure that the pass reports through the general failure box.
struct ScriptFailure {};
// Cancel in the general failure box: the run ends.
struct RunEnd {};
// A script that works too hard: the run ends.
struct RunGuard {};

// A column or length taken from a script's number. Not a number is a
// run-time failure; beyond any line the value is clamped, so the conversion
// stays defined and reads as "past the end".
qsizetype clampedColumn(double x)
{
    if (std::isnan(x))
        throw ScriptFailure{};
    constexpr double Bound = 9.0e15;
    return qsizetype(std::clamp(x, -Bound, Bound));
}

qint64 fileSize(const QString &file) { return QFileInfo(file).size(); }

// A row that could not be written: its error into the third status panel.
void reportDbError(const DbError &e)
{
    mainWindow().writeStatus(3, e.message());
}

QString tempFile(const QString &name) { return appPath(QStringLiteral("TempDir/") + name); }
QString tempFile(const char *name) { return tempFile(QString::fromLatin1(name)); }

// The 1-based positions of the first N "#" of s; false when there are fewer.
template <size_t N> bool hashes(const QByteArray &s, qsizetype (&p)[N])
{
    qsizetype from = 1;
    for (qsizetype &q : p) {
        q = inStr(from, s, "#");
        if (q == 0)
            return false;
        from = q + 1;
    }
    return true;
}

bool isWebAddress(const QByteArray &url)
{
    const QByteArray u = url.toLower();
    return (u.startsWith("http://") || u.startsWith("https://")) && u.size() > 8;
}

int roundedInt16(double x)
{
    const double r = roundHalfEven(x);
    if (!(r >= std::numeric_limits<qint16>::min() && r <= std::numeric_limits<qint16>::max()))
        throw ScriptFailure{};
    return int(r);
}

void normalise(const QString &source, const QString &target)
{
    // The source always ends with an LF once the two blank lines are added;
    // every LF then ends one line written with CR LF.
    QFile src(source);
    if (!src.open(QIODevice::Append))
        throw ScriptFailure{};
    src.write("  \r\n  \r\n");
    src.close();
    QByteArray data;
    if (!files::readAll(source, data))
        throw ScriptFailure{};
    data.replace("\n", "\r\n");
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(data) != data.size())
        throw ScriptFailure{};
}

// Reads the comma- and line-separated items of a script file, the way the
// header items are found, and keeps the value of the last item with the key.
QByteArray headerValue(const QString &nome, const QByteArray &key, bool numeric, bool reportFailure)
{
    QByteArray data;
    QByteArray value;
    if (!files::readAll(tempFile(nome), data)) {
        if (reportFailure)
            mainWindow().writeStatus(3, QStringLiteral("53 File not found: ") + nome);
        return value;
    }
    qsizetype i = 0;
    const qsizetype n = data.size();
    for (int items = 0; items < 4900 && i < n; ++items) {
        while (i < n && data[i] == ' ')
            ++i;
        QByteArray item;
        if (i < n && data[i] == '"') {
            const qsizetype close = data.indexOf('"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            item = data.mid(i + 1, end - i - 1);
            i = end + 1;
            while (i < n && data[i] != ',' && data[i] != '\r' && data[i] != '\n')
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && data[i] != ',' && data[i] != '\r' && data[i] != '\n')
                ++i;
            item = data.mid(start, i - start);
        }
        if (i < n && data[i] == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        ++i;
        const qsizetype at = inStrNoCase(1, item, key);
        if (at > 0) {
            value = mid(item, at + key.size());
            if (numeric)
                value = numberText(leadingNumber(value));
        }
    }
    return value;
}

} // namespace

QString ProgrammeRecord::shown(const QByteArray &bytes) { return text::decode(bytes); }

QByteArray ScriptsTV::Page::readLine()
{
    const qsizetype cr = data.indexOf('\r', pos);
    QByteArray l;
    if (cr < 0) {
        l = data.mid(pos);
        pos = data.size();
    } else {
        l = data.mid(pos, cr - pos);
        pos = cr + 1;
        if (pos < data.size() && data[pos] == '\n')
            ++pos;
    }
    return l;
}

// The listings database of one run, open without a transaction between the
// short writes of its saved rows.
struct ScriptsTV::Store {
    Database db;
    std::unique_ptr<ProgrammiTable> table;
};

ScriptsTV::ScriptsTV(FetchFn fetch) : fetch_(std::move(fetch))
{
    keywordOf_.fill(NotLooked);
    clock_ = [] {
        using namespace std::chrono;
        return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    pump_ = [] {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    };
}

ScriptsTV::~ScriptsTV() = default;

const std::array<ScriptsTV::Keyword, 32> &ScriptsTV::keywords()
{
    // The order decides which instruction a line holding several keywords runs.
    static const std::array<Keyword, 32> table{{
        {"#FINDLINE#=", &ScriptsTV::ISTR_FINDLINE},
        {"#SAVEDATA#", &ScriptsTV::ISTR_SAVEDATA},
        {"#TAKETYPE#=", &ScriptsTV::ISTR_TAKETYPE},
        {"#TAKECODE#=", &ScriptsTV::ISTR_TAKECODE},
        {"#TAKEHOUR#=", &ScriptsTV::ISTR_TAKEHOUR},
        {"#TAKELINK#=", &ScriptsTV::ISTR_TAKELINK},
        {"#TAKETITLE#=", &ScriptsTV::ISTR_TAKETITLE},
        {"#FIND#=", &ScriptsTV::ISTR_FIND},
        {"#TAKEWORD#=", &ScriptsTV::ISTR_TAKEWORD},
        {"#TAKEWORDLEN#=", &ScriptsTV::ISTR_TAKEWORDLEN},
        {"#PUT#=", &ScriptsTV::ISTR_PUT},
        {"#REPEAT#", &ScriptsTV::ISTR_REPEAT},
        {"#WHILE#", &ScriptsTV::ISTR_WHILE},
        {"#READNEXTLINE#", &ScriptsTV::ISTR_READNEXTLINE},
        {"#STARTGODEEP#", &ScriptsTV::ISTR_STARTGODEEP},
        {"#ENDGODEEP#", &ScriptsTV::ISTR_ENDGODEEP},
        {"#IF#", &ScriptsTV::ISTR_IF},
        {"#TITLE#", &ScriptsTV::ISTR_TITLE},
        {"#RESETCURSOR#", &ScriptsTV::ISTR_RESETCURSOR},
        {"#SETCURSOR#", &ScriptsTV::ISTR_SETCURSOR},
        {"#TAKECOMMENTS#", &ScriptsTV::ISTR_TAKECOMMENTS},
        {"#COMPUTECURSOR#", &ScriptsTV::ISTR_COMPUTECURSOR},
        {"#PUTCURSOR#", &ScriptsTV::ISTR_PUTCURSOR},
        {"#CHECKVARIABLE#", &ScriptsTV::ISTR_CHECKVARIABLE},
        {"#STARTDELETETAGS#", &ScriptsTV::ISTR_STARTDELETETAGS},
        {"#STARTSUBSTITUTETAGS#", &ScriptsTV::ISTR_STARTSUBSTITUTETAGS},
        {"#GOTO#", &ScriptsTV::ISTR_GOTO},
        {"#STARTREADWEB#", &ScriptsTV::ISTR_STARTREADWEB},
        {"#TAKEPOSTER#", &ScriptsTV::ISTR_TAKEPOSTER},
        {"#STRING#", &ScriptsTV::ISTR_STRING},
        {"#RESTOREWEB#", &ScriptsTV::ISTR_RESTOREWEB},
        {"#OPENNEWWEB#", &ScriptsTV::ISTR_OPENNEWWEB},
    }};
    return table;
}

// ---------------------------------------------------------------- the run

void ScriptsTV::ESEGUI_SCRIPT_TV(const QString &nome, const QString &tv, const QString &giorno)
{
    ScriptNome = nome;
    ScriptTv = tv;
    ScriptGiorno = giorno;
    ESEGUI_SCRIPT_TV();
}

void ScriptsTV::ESEGUI_SCRIPT_TV()
{
    if (pump_)
        pump_();
    for (auto &l : ScriptRighe)
        l.clear();
    ScriptPc = 0;
    ScriptNumRighe = RigheMax;
    ScriptFilePagina = MainPage;
    ContaProgrammi = 0;
    // A programme left half-collected by an earlier run must not leak into this one.
    PULISCI_CAMPI_PROGRAMMA();
    pages_.clear();
    importa_.reset();
    keywordOf_.fill(NotLooked);
    steps_ = 0;
    work_ = 0;
    checkAt_ = 0;
    waitedMs_ = 0;
    startedMs_ = clock_();
    depth_ = 0;
    rows_.clear();
    rowBytes_ = 0;
    failed_ = false;
    bool tooHard = false;
    try {
        if (prepare())
            ESEGUI_SEZIONI_SCRIPT();
    } catch (const RunEnd &) {
        failed_ = true;
    } catch (const RunGuard &) {
        tooHard = true;
    } catch (const ScriptFailure &) {
    } catch (const std::bad_alloc &) {
        tooHard = true;
    } catch (const std::length_error &) {
        tooHard = true;
    }
    // What the run held is let go before the box.
    pages_.clear();
    foldedOf_.clear();
    foldedLine_.clear();
    if (tooHard) {
        generalFailure(); // the run ends whatever the answer
        failed_ = true;
    }
    finishRun();
}

void ScriptsTV::finishRun()
{
    // A failed run leaves nothing of its day, so the next cycle fetches it whole.
    if (!failed_)
        flushRows();
    rows_ = {};
    rowBytes_ = 0;
    store_.reset();
}

void ScriptsTV::flushRows()
{
    if (rows_.empty() || !store_)
        return;
    // The whole day in one short transaction at the end of its run, never
    // open across a page fetch or a box: a window writing a mark meanwhile
    // does not wait. A refused row is lost alone, as a failed save is.
    try {
        Transaction tx(store_->db);
        for (const Programme &p : rows_) {
            try {
                store_->table->insert(p);
            } catch (const DbError &e) {
                reportDbError(e);
            }
        }
        tx.commit();
    } catch (const DbError &e) {
        reportDbError(e);
    }
    rows_.clear();
    rowBytes_ = 0;
}

bool ScriptsTV::prepare()
{
    QByteArray data;
    if (!files::isPlainFileName(ScriptNome) || fileSize(tempFile(ScriptNome)) > limits_.scriptBytes ||
        !files::readAll(tempFile(ScriptNome), data))
        return false;
    const QList<QByteArray> lines = text::splitLinesCr(data);
    if (lines.size() > RigheMax + 1)
        return false;
    ScriptInizioCiclo = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        ScriptRighe[i] = lines[i];

    QByteArray url;
    bool found = false;
    for (int i = 1; i <= RigheMax && !found; ++i) {
        if (!containsNoCase(ScriptRighe[i], "#WEBQUERY#"))
            continue;
        found = true;
        const qsizetype at = inStrNoCase(1, ScriptRighe[i], "http:");
        if (at == 0)
            return false;
        url = mid(ScriptRighe[i], at);
        const QByteArray day = ScriptGiorno.toLatin1();
        url.replace("#DAY#", mid(day, 7, 2));
        url.replace("#MONTH#", mid(day, 5, 2));
        url.replace("#SHORTYEAR#", mid(day, 3, 2));
        url.replace("#LONGYEAR#", mid(day, 1, 4));
        ScriptRighe[i] = url;
    }
    ScriptPc = 0;
    if (!found) {
        Prompt::message(QStringLiteral("Errore In Ricezione Dati da Internet. Codice (S1)!"));
        failed_ = true;
        return false;
    }
    ReplaceSpaces = LEGGI_REPLACESPACES(ScriptNome);
    ScriptGeneration = roundedInt16(leadingNumber(LEGGI_SCRIPTGENERATION(ScriptNome)));
    url = trimBlanks(url);
    url.replace(" ", ReplaceSpaces);
    const QString address = text::decode(url);
    const QString fetchedPage = tempFile(ScriptGeneration < 2 ? "html.txt" : "html1.txt");
    fetchInto(address, fetchedPage);
    if (fileSize(fetchedPage) > limits_.pageBytes)
        throw RunGuard{};
    if (ScriptGeneration < 2 && !NORMALIZZA_HTML())
        return false;
    return true;
}

QByteArray ScriptsTV::LEGGI_REPLACESPACES(const QString &nome)
{
    const QByteArray v = headerValue(nome, "#REPLACESPACES#=", false, true);
    return v.isEmpty() ? QByteArray("%20") : v;
}

QByteArray ScriptsTV::LEGGI_SCRIPTGENERATION(const QString &nome)
{
    const QByteArray v = headerValue(nome, "#SCRIPTGENERATION#=", true, false);
    return v.isEmpty() ? QByteArray("1") : v;
}

static bool normalised(const char *source, const char *target)
{
    try {
        normalise(tempFile(source), tempFile(target));
        return true;
    } catch (const ScriptFailure &) {
        return false;
    }
}

bool ScriptsTV::NORMALIZZA_HTML() { return normalised("html.txt", "html1.txt"); }
bool ScriptsTV::NORMALIZZA_WEB() { return normalised("FileWebB.txt", "FileWeb.txt"); }

void ScriptsTV::fetchInto(const QString &url, const QString &file)
{
    charge(FetchWork);
    // A failed fetch must never leave an earlier run's page to be read; it
    // leaves an empty page, which the script reads as a page without lines.
    QFile::remove(file);
    if (fetch_)
        fetch_(url, file);
    if (!QFileInfo::exists(file)) {
        QFile empty(file);
        if (empty.open(QIODevice::WriteOnly))
            empty.close();
    }
}

void ScriptsTV::ESEGUI_SEZIONI_SCRIPT()
{
    runPass("#DOWNLOADINFO#", "#ENDDOWNLOADINFO#");
    runPass("#COMMENTS#", "#ENDCOMMENTS#");
}

void ScriptsTV::runPass(const QByteArray &start, const QByteArray &end)
{
    ScriptPc = 0;
    try {
        openPage(MainPage, tempFile("html1.txt"));
    } catch (const ScriptFailure &) {
        if (!generalFailure())
            throw RunEnd{};
    }
    ScriptCursore = "0";
    ScriptFerma = false;
    while (ScriptPc < ScriptNumRighe && !ScriptFerma) {
        ++ScriptPc;
        step();
        if (!containsNoCase(ScriptRighe[ScriptPc], start))
            continue;
        while (ScriptPc < ScriptNumRighe && !ScriptFerma) {
            ++ScriptPc;
            step();
            try {
                if (containsNoCase(line(ScriptPc), end))
                    ScriptFerma = true;
                else
                    ESEGUI_ISTRUZIONE();
            } catch (const ScriptFailure &) {
                if (!generalFailure())
                    throw RunEnd{};
            }
        }
    }
    pages_.erase(MainPage);
    ScriptPc = 0;
}

int ScriptsTV::ask(const QString &text, const QString &title)
{
    const qint64 asked = clock_();
    const Answer a = Prompt::message(text, title, Buttons::RetryCancel, Icon::Information, Answer::Cancel);
    waitedMs_ += clock_() - asked;
    RispostaScript = a == Answer::Retry ? RispostaRetry : RispostaCancel;
    return RispostaScript;
}

bool ScriptsTV::generalFailure()
{
    return ask(QStringLiteral("General Script Failure, Check Script's Line n° : ") + QString::number(ScriptPc),
               QString()) == RispostaRetry;
}

void ScriptsTV::step()
{
    if (++steps_ > limits_.lines)
        throw RunGuard{};
    // Every line looked at costs its length: markers and "#ENDIF#" are searched in it.
    charge(1 + (unsigned(ScriptPc) <= unsigned(RigheMax) ? ScriptRighe[size_t(ScriptPc)].size() / 64 : 0));
    // Stop is not looked at: the day's run goes to its end and is stored
    // whole; the limits bound how long that takes.
    if ((steps_ & 0xFFF) == 0 && pump_)
        pump_();
}

void ScriptsTV::checkLimits()
{
    if (work_ > limits_.work || clock_() - startedMs_ - waitedMs_ > limits_.runMs)
        throw RunGuard{};
    checkAt_ = std::min(work_ + 16384, limits_.work + 1);
}

qsizetype ScriptsTV::searchCharged(qsizetype start1, QByteArrayView folded, QByteArrayView word)
{
    return inStrWith(start1, folded, word, [&](qsizetype start) -> qsizetype {
        // A piece is about a clock look's worth of work (16384 units); pieces
        // overlap by the word's length less one, so no place is missed.
        const qsizetype piece = std::max<qsizetype>(1 << 20, word.size());
        for (qsizetype from = start; from + word.size() <= folded.size(); from += piece) {
            const qsizetype end = std::min(folded.size(), from + piece + word.size() - 1);
            const qsizetype at = find(folded.sliced(from, end - from), word);
            // The word is prepared for each piece, which is read up to the word found.
            chargeBytes(word.size() + (at < 0 ? end - from : at + word.size()));
            if (at >= 0)
                return from + at;
        }
        return -1;
    });
}

const QByteArray &ScriptsTV::foldedPageLine()
{
    if (foldedOf_.constData() != ScriptRigaPagina.constData() || foldedOf_.size() != ScriptRigaPagina.size()) {
        chargeBytes(ScriptRigaPagina.size());
        foldedLine_ = foldCase(ScriptRigaPagina);
        foldedOf_ = ScriptRigaPagina;
    }
    return foldedLine_;
}

void ScriptsTV::bounded(qsizetype bytes) const
{
    if (bytes > limits_.variableBytes)
        throw RunGuard{};
}

void ScriptsTV::replaceBounded(QByteArray &text, QByteArrayView before, QByteArrayView after)
{
    charge(1 + (text.size() + before.size()) / 64);
    if (before.isEmpty())
        return;
    qsizetype at = find(text, before);
    if (at < 0)
        return;
    // The size is known before the text is built: a text that would outgrow
    // a variable is never made.
    qsizetype count = 0;
    for (; at >= 0; at = find(text, before, at + before.size()))
        ++count;
    const qsizetype size = text.size() + count * (after.size() - before.size());
    bounded(size);
    chargeBytes(text.size() + size);
    QByteArray out;
    out.reserve(size);
    qsizetype done = 0;
    for (at = find(text, before); at >= 0; at = find(text, before, done)) {
        out.append(QByteArrayView(text).sliced(done, at - done)).append(after);
        done = at + before.size();
    }
    out.append(QByteArrayView(text).sliced(done));
    text = std::move(out);
}

void ScriptsTV::ESEGUI_ISTRUZIONE()
{
    struct Depth {
        int &d;
        explicit Depth(int &x) : d(x) { ++d; }
        ~Depth() { --d; }
    } depth(depth_);
    if (depth_ > limits_.depth)
        throw RunGuard{};
    const QByteArray &l = line(ScriptPc);
    int &which = keywordOf_[ScriptPc];
    if (which == NotLooked) {
        charge(l.size() / 2); // 32 keyword searches, once per line and run
        which = NoKeyword;
        const auto &table = keywords();
        for (size_t i = 0; l.contains('#') && i < table.size(); ++i) {
            const qsizetype at = inStrNoCase(1, l, table[i].text);
            if (at > 0) {
                which = int(i);
                keywordAt_[ScriptPc] = int(at);
                break;
            }
        }
    }
    if (which == NoKeyword) {
        ScriptPosChiave = 0;
        return;
    }
    ScriptPosChiave = keywordAt_[ScriptPc];
    (this->*keywords()[size_t(which)].routine)();
}

// ------------------------------------------------------- shared helpers

const QByteArray &ScriptsTV::line(int index) const
{
    if (index < 0 || index > RigheMax)
        throw ScriptFailure{};
    return ScriptRighe[index];
}

QByteArray ScriptsTV::argument(int offset) const { return mid(line(ScriptPc), ScriptPosChiave + offset); }

int ScriptsTV::variableIndex(const QByteArray &twoChars) const
{
    const auto v = strictNumber(twoChars);
    if (!v)
        throw ScriptFailure{};
    const double r = roundHalfEven(*v);
    if (!(r >= 0 && r <= 50))
        throw ScriptFailure{};
    return int(r);
}

QByteArray &ScriptsTV::variable(const QByteArray &twoChars) { return ScriptVariabili[variableIndex(twoChars)]; }

ScriptsTV::Page &ScriptsTV::currentPage()
{
    auto it = pages_.find(ScriptFilePagina);
    if (it == pages_.end())
        throw ScriptFailure{};
    return it->second;
}

void ScriptsTV::openPage(int number, const QString &file)
{
    // A normalised page may hold twice the bytes fetched (a CR for every LF).
    const qint64 size = fileSize(file);
    qint64 held = size;
    for (const auto &[n, page] : pages_)
        if (n != number)
            held += page.data.size();
    if (size > 2 * limits_.pageBytes + 16 || held > limits_.openPageBytes)
        throw ScriptFailure{};
    chargeBytes(size);
    Page p;
    if (!files::readAll(file, p.data))
        throw ScriptFailure{};
    pages_[number] = std::move(p);
}

void ScriptsTV::box(const QByteArray &message)
{
    const QString textShown = ProgrammeRecord::shown(message) + QStringLiteral("Line : ") + QString::number(ScriptPc);
    if (ask(textShown, QStringLiteral("Script Engine Information")) != RispostaRetry) {
        ScriptEsciCiclo = true;
        ScriptFineBlocco = true;
    }
}

void ScriptsTV::boxSettingFerma(const QByteArray &message)
{
    box(message);
    ScriptFerma = true;
}

void ScriptsTV::applyOnError(const QByteArray &arg)
{
    static const QByteArray tail = "#ONERROR#=";
    if (!containsNoCase(arg, tail))
        return;
    const QByteArray &l = line(ScriptPc);
    ScriptSuErrore = mid(l, inStrNoCase(1, l, tail) + tail.size());
}

bool ScriptsTV::threeVariables(const QByteArray &arg, QByteArray &aa, QByteArray &bb, QByteArray &cc) const
{
    qsizetype p[6];
    if (!hashes(arg, p))
        return false;
    aa = mid(arg, p[0] + 1, 2);
    bb = mid(arg, p[2] + 1, 2);
    cc = mid(arg, p[4] + 1, 2);
    return true;
}

// --------------------------------------------- search, cursor and text

void ScriptsTV::ISTR_FIND()
{
    ScriptSuErrore.clear();
    const QByteArray arg = argument(7);
    applyOnError(arg);
    const qsizetype p = inStr(1, arg, "#");
    if (p == 0) {
        ScriptFerma = true;
        box("Error on Script Expression : The #FIND# Instruction is not complete !");
        return;
    }
    const QByteArray word = left(arg, p - 1);
    QByteArray &var = variable(mid(arg, p + 1, 2));
    const auto cursor = strictNumber(ScriptCursore);
    if (!cursor || !(roundHalfEven(*cursor) >= 1))
        throw ScriptFailure{};
    const qsizetype from = clampedColumn(roundHalfEven(*cursor));
    chargeBytes(word.size());
    const qsizetype at = searchCharged(from, foldedPageLine(), foldCase(word));
    if (at > 0) {
        ScriptCursore = QByteArray::number(at);
        var = ScriptCursore;
        return;
    }
    if (ScriptSuErrore == "*ASK*")
        box("Can't Find The Word : " + word + " On the #FIND# Script");
    var = "0";
}

void ScriptsTV::ISTR_FINDLINE()
{
    ScriptSuErrore.clear();
    const QByteArray arg = argument(11);
    const qsizetype p = inStr(1, arg, "#");
    if (p == 0) {
        box("Error on Script Expression : The #FINDLINE# Instruction is not complete !");
        return;
    }
    applyOnError(arg);
    const QByteArray word = left(arg, p - 1);
    QByteArray &var = variable(mid(arg, p + 1, 2));
    Page &page = currentPage();
    chargeBytes(word.size());
    const QByteArray folded = foldCase(word);
    while (!page.atEnd()) {
        ScriptRigaPagina = page.readLine();
        charge(1 + ScriptRigaPagina.size() / 64);
        const qsizetype at = searchCharged(1, foldedPageLine(), folded);
        if (at > 0) {
            ScriptCursore = QByteArray::number(at);
            var = "1";
            return;
        }
    }
    var = "0";
    if (ScriptSuErrore == "*STOP*")
        ScriptFerma = true;
    else if (ScriptSuErrore == "*ASK*")
        box("Can't Find The Word : " + word);
}

void ScriptsTV::ISTR_READNEXTLINE()
{
    ScriptCursore = "1";
    Page &page = currentPage();
    if (!page.atEnd()) {
        ScriptRigaPagina = page.readLine();
        chargeBytes(ScriptRigaPagina.size());
        return;
    }
    box("The Web Page Is End, This Shouldn't Happen ! Take a look at #REPEAT#-#WHILE# Function ");
    ScriptEsciCiclo = true;
}

void ScriptsTV::ISTR_RESETCURSOR() { ScriptCursore = "1"; }

void ScriptsTV::ISTR_SETCURSOR() { ScriptCursore = argument(12); }

void ScriptsTV::ISTR_COMPUTECURSOR()
{
    ScriptCursore = numberText(leadingNumber(ScriptCursore) + leadingNumber(argument(16)));
}

void ScriptsTV::ISTR_PUTCURSOR()
{
    const QByteArray arg = argument(12);
    const qsizetype p = inStr(1, arg, "#");
    if (p == 0) {
        boxSettingFerma("Error on Script Expression : The #PUTCURSOR# Instruction is not complete !");
        return;
    }
    variable(mid(arg, p + 1, 2)) = ScriptCursore;
}

void ScriptsTV::ISTR_PUT()
{
    ScriptSuErrore.clear();
    const QByteArray arg = argument(6);
    const qsizetype p = inStr(1, arg, "#");
    if (p == 0) {
        boxSettingFerma("Error on Script Expression : The #PUT# Instruction is not complete !");
        return;
    }
    variable(mid(arg, p + 1, 2)) = left(arg, p - 1);
}

void ScriptsTV::ISTR_TAKEWORDLEN()
{
    ScriptSuErrore.clear();
    QByteArray aa, bb, cc;
    if (!threeVariables(argument(13), aa, bb, cc)) {
        boxSettingFerma("Error on Script Expression : The #TAKEWORDLEN# Instruction is not complete !");
        return;
    }
    QByteArray &target = variable(aa);
    const auto start = strictNumber(variable(bb));
    const auto length = strictNumber(variable(cc));
    if (!start || !length)
        throw ScriptFailure{};
    const double s = roundHalfEven(*start + 1);
    const double n = roundHalfEven(*length);
    if (!(s >= 1) || !(n >= 0))
        throw ScriptFailure{};
    QByteArray piece = mid(ScriptRigaPagina, clampedColumn(s), clampedColumn(n));
    chargeBytes(piece.size());
    bounded(piece.size());
    target = std::move(piece);
}

void ScriptsTV::ISTR_TAKEWORD()
{
    ScriptSuErrore.clear();
    QByteArray aa, bb, cc;
    if (!threeVariables(argument(11), aa, bb, cc)) {
        boxSettingFerma("Error on Script Expression : The #TAKEWORD# Instruction is not complete !");
        return;
    }
    QByteArray &target = variable(aa);
    const QByteArray &from = variable(bb);
    const double b = leadingNumber(from);
    const double c = leadingNumber(variable(cc));
    const auto strict = strictNumber(from);
    if (!strict)
        throw ScriptFailure{};
    const double s = roundHalfEven(*strict + 1);
    if (!(s >= 1))
        throw ScriptFailure{};
    auto take = [&](qsizetype n) {
        QByteArray piece = mid(ScriptRigaPagina, clampedColumn(s), n);
        chargeBytes(piece.size());
        bounded(piece.size());
        target = std::move(piece);
    };
    if (c == 0) {
        take(-1);
        return;
    }
    const double length = roundHalfEven(c - b - 1);
    if (length >= 1) {
        take(clampedColumn(length));
        return;
    }
    if (ScriptError) {
        ScriptEsciCiclo = ScriptFineBlocco = ScriptFerma = true;
        return;
    }
    box("Error on Script Expression : The #TAKEWORD# Instruction is not complete !");
}

void ScriptsTV::ISTR_STRING()
{
    ScriptSuErrore.clear();
    const QByteArray head = argument(9);
    const qsizetype p = inStr(1, head, "#");
    if (p == 0)
        throw ScriptFailure{};
    QByteArray &target = variable(mid(head, p + 1, 2));
    QByteArray value = argument(14);
    for (int j = 0; j < 50; ++j) {
        const char ref[5] = {'#', char('0' + j / 10), char('0' + j % 10), '#', 0};
        replaceBounded(value, QByteArrayView(ref, 4), ScriptVariabili[j]);
    }
    const qsizetype tail = inStrNoCase(1, value, "#ONERROR#=");
    if (tail > 0) {
        value = left(value, tail - 1);
        applyOnError(argument(9));
    }
    target = value;
}

// ----------------------------------------------- programme record

void ScriptsTV::recordChanged()
{
    if (view_)
        view_->recordChanged(record_);
}

// Finds the record instructions' variable. Without a "#" the box is shown and
// the pass ends; a bad number is a run-time failure.
bool ScriptsTV::recordVariable(int offset, const char *message, QByteArray *value, bool silentWithScriptError)
{
    const QByteArray arg = argument(offset);
    const qsizetype p = inStr(1, arg, "#");
    if (p == 0) {
        if (silentWithScriptError && ScriptError)
            ScriptEsciCiclo = ScriptFineBlocco = ScriptFerma = true;
        else
            boxSettingFerma(message);
        return false;
    }
    if (value)
        *value = variable(mid(arg, p + 1, 2));
    return true;
}

bool ScriptsTV::takeField(int offset, const char *message, QByteArray &field, int check, bool trim)
{
    QByteArray v;
    if (!recordVariable(offset, message, &v))
        return false;
    chargeBytes(v.size());
    field = trim ? trimBlanks(v) : v;
    record_.Check1[check] = true;
    recordChanged();
    return true;
}

void ScriptsTV::ISTR_TAKECODE()
{
    takeField(11, "Error on Script Expression : The #TAKECODE# Instruction is not complete !", record_.TxtCode, 0,
              false);
}

void ScriptsTV::ISTR_TAKEHOUR()
{
    takeField(11, "Error on Script Expression : The #TAKEHOUR# Instruction is not complete !", record_.TxtHour, 1);
}

void ScriptsTV::ISTR_TAKETITLE()
{
    if (takeField(12, "Error on Script Expression : The #TAKETITLE# Instruction is not complete !",
                  record_.TxtTitle, 2) &&
        view_)
        view_->captionChanged(ProgrammeRecord::shown(record_.TxtTitle));
}

void ScriptsTV::ISTR_TITLE()
{
    takeField(8, "Error on Script Expression : The #MOVIETITLE# Instruction is not complete !", record_.TxtTitle, 2,
              false);
}

void ScriptsTV::ISTR_TAKELINK()
{
    takeField(11, "Error on Script Expression : The #TAKELINK# Instruction is not complete !", record_.TxtLink, 3);
}

void ScriptsTV::ISTR_TAKETYPE()
{
    takeField(11, "Error on Script Expression : The #TAKETYPE# Instruction is not complete !", record_.TxtType, 4);
}

void ScriptsTV::ISTR_TAKECOMMENTS()
{
    QByteArray v;
    if (!recordVariable(15, "Error on Script Expression : The #TAKECOMMENT# Instruction is not complete !", &v,
                        true))
        return;
    const QByteArray piece = trimBlanks(v);
    bounded(record_.TxtUserComments.size() + piece.size());
    record_.TxtUserComments += piece;
    record_.Check1[5] = true;
    recordChanged();
}

void ScriptsTV::ISTR_TAKEPOSTER()
{
    if (!recordVariable(12, "Error on Script Expression : The #TAKEPOSTER# Instruction is not complete !",
                        nullptr))
        return;
    if (!Locandine)
        return;
    // Every failure from here on ends the instruction silently.
    try {
        const QByteArray arg = argument(12);
        const QByteArray url = trimBlanks(variable(mid(arg, inStr(1, arg, "#") + 1, 2)));
        if (!isWebAddress(url))
            return;
        const QString buffer = tempFile("buffercover.jpg");
        fetchInto(ProgrammeRecord::shown(url), buffer);
        QImage picture;
        if (!picture.load(buffer))
            return;
        if (view_)
            view_->coverChanged(picture);
    } catch (const ScriptFailure &) {
        return;
    }
    SALVA_LOCANDINA();
    record_.Check1[13] = true;
    recordChanged();
}

QString ScriptsTV::coverName(const QString &tv, const QByteArray &code)
{
    QString name = tv + QLatin1Char('_') + ProgrammeRecord::shown(code);
    // Whatever could leave the folder or break a file name or a link to it.
    static const QString unsafe = QStringLiteral("' /():<>*?\\\"|#%");
    for (QChar &c : name)
        if (unsafe.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('_');
    return name.left(120);
}

void ScriptsTV::SALVA_LOCANDINA()
{
    if (record_.TxtCode.isEmpty())
        return;
    const QString name = coverName(ScriptTv, record_.TxtCode);
    const QString folder = appPath(QStringLiteral("covers"));
    if (!QFileInfo(folder).isDir())
        return;
    auto taken = [&](const QString &file) {
        return QFileInfo::exists(files::resolve(folder, file));
    };
    QString file = name + QStringLiteral(".jpg");
    for (int k = 1; taken(file); ++k) {
        if (k > 100000)
            return;
        file = name + QLatin1Char('_') + QString::number(k) + QStringLiteral(".jpg");
    }
    if (QFile::rename(tempFile("buffercover.jpg"), folder + QLatin1Char('/') + file))
        record_.TxtCover = file;
}

void ScriptsTV::PULISCI_CAMPI_PROGRAMMA()
{
    record_.clear();
    recordChanged();
}

void ScriptsTV::ISTR_SAVEDATA()
{
    // Numerazione is a 16-bit number: a run saves at most that many rows.
    if (ContaProgrammi >= std::numeric_limits<qint16>::max()) {
        mainWindow().writeStatus(3, QStringLiteral("6 Overflow"));
        PULISCI_CAMPI_PROGRAMMA();
        return;
    }
    ++ContaProgrammi;
    try {
        if (!store_) {
            auto s = std::make_unique<Store>();
            s->db = Database::open(PercorsoDb);
            s->table = std::make_unique<ProgrammiTable>(s->db);
            store_ = std::move(s);
        }
        const qsizetype bytes = record_.TxtTitle.size() + record_.TxtHour.size() + record_.TxtLink.size() +
                                record_.TxtType.size() + record_.TxtUserComments.size();
        chargeBytes(bytes);
        Programme p;
        p.Titolo = ProgrammeRecord::shown(record_.TxtTitle);
        p.ORA = ProgrammeRecord::shown(record_.TxtHour);
        p.link = ProgrammeRecord::shown(record_.TxtLink);
        p.Type = ProgrammeRecord::shown(record_.TxtType);
        p.Descrizione = ProgrammeRecord::shown(record_.TxtUserComments);
        p.Immagine = record_.TxtCover;
        p.Data = ScriptGiorno.left(8).toInt();
        p.Numerazione = ContaProgrammi;
        p.Palinsesto = QString::fromUtf8(trimBlanks(ScriptTv.toUtf8()));
        // The day's rows wait in memory for its end, within the cap on what
        // the pages may hold at once.
        rowBytes_ += bytes + qsizetype(sizeof(Programme));
        if (rowBytes_ > limits_.openPageBytes)
            throw RunGuard{};
        rows_.push_back(std::move(p));
    } catch (const DbError &e) {
        reportDbError(e);
    }
    PULISCI_CAMPI_PROGRAMMA();
}

// ---------------------------------------------------------- control flow

// The "#IF#" and "#WHILE#" argument: two variable references after the
// character that follows the keyword, then whatever stands after them.
bool ScriptsTV::twoVariables(int offset, QByteArray &a, QByteArray &b, QByteArray &rest) const
{
    const QByteArray text = argument(offset);
    qsizetype p[4];
    if (!hashes(text, p))
        return false;
    a = mid(text, p[0] + 1, 2);
    b = mid(text, p[2] + 1, 2);
    rest = mid(text, p[3] + 1);
    return true;
}

void ScriptsTV::ISTR_REPEAT()
{
    ScriptEsciCiclo = false;
    ScriptInizioCiclo = ScriptPc + 1;
    while (!ScriptEsciCiclo) {
        ++ScriptPc;
        step();
        ESEGUI_ISTRUZIONE();
    }
}

void ScriptsTV::ISTR_WHILE()
{
    QByteArray a, b, rest;
    if (!twoVariables(8, a, b, rest)) {
        boxSettingFerma("Error on Script Expression : The #WHILE# Instruction is not complete !");
        return;
    }
    chargeBytes(variable(a).size() + variable(b).size());
    const bool equal = variable(a) == variable(b);
    const bool again = rest.contains("==") ? equal : !equal;
    if (again) {
        ScriptEsciCiclo = false;
        ScriptPc = ScriptInizioCiclo - 1;
    } else {
        ScriptEsciCiclo = true;
    }
}

void ScriptsTV::ISTR_IF()
{
    QByteArray a, b, rest;
    if (!twoVariables(5, a, b, rest)) {
        boxSettingFerma("Error on Script Expression : The #IF# Instruction is not complete !");
        return;
    }
    if (rest.contains("==") || rest.contains("<>") || rest.contains("<<") || rest.contains(">>"))
        chargeBytes(variable(a).size() + variable(b).size());
    bool holds;
    if (rest.contains("=="))
        holds = variable(a) == variable(b);
    else if (rest.contains("<>"))
        holds = variable(a) != variable(b);
    else if (rest.contains("<<"))
        holds = leadingNumber(variable(a)) < leadingNumber(variable(b));
    else if (rest.contains(">>"))
        holds = leadingNumber(variable(a)) > leadingNumber(variable(b));
    else
        return;
    ScriptFineBlocco = false;
    while (ScriptPc < ScriptNumRighe && !ScriptFineBlocco) {
        ++ScriptPc;
        step();
        if (containsNoCase(line(ScriptPc), "#ENDIF#"))
            ScriptFineBlocco = true;
        else if (holds)
            ESEGUI_ISTRUZIONE();
    }
}

void ScriptsTV::ISTR_GOTO()
{
    ScriptSuErrore.clear();
    const QByteArray target = foldCase(argument(7) + ":");
    chargeBytes(target.size());
    const int from = ScriptPc;
    for (ScriptPc = 1; ScriptPc <= ScriptNumRighe; ++ScriptPc) {
        charge(1 + ScriptRighe[ScriptPc].size() / 32); // folded, then searched
        if (inStrFolded(1, ScriptRighe[ScriptPc], target) > 0) {
            ScriptEsciCiclo = ScriptFineBlocco = true;
            return;
        }
    }
    ScriptPc = from;
    box("Error on Script Expression : The #GOTO# Instruction point to a label that didn't exist!");
    ScriptFerma = true;
    ScriptPc = ScriptNumRighe;
}

void ScriptsTV::ISTR_STARTGODEEP()
{
    if (TakeNone) {
        skipTypeBlock();
        return;
    }
    if (TakeAll)
        return;
    if (!importa_) {
        try {
            Database db = Database::open(appPath(QStringLiteral("database/config.cfg")));
            importa_ = ImportaTable(db).types();
        } catch (const DbError &) {
            throw ScriptFailure{};
        }
    }
    const QString type = ProgrammeRecord::shown(record_.TxtType);
    for (const QString &title : *importa_)
        if (!title.isEmpty() && type.contains(title, Qt::CaseSensitive))
            return;
    skipTypeBlock();
}

void ScriptsTV::skipTypeBlock()
{
    while (ScriptPc < ScriptNumRighe) {
        ++ScriptPc;
        charge(1 + ScriptRighe[ScriptPc].size() / 64);
        if (containsNoCase(ScriptRighe[ScriptPc], "#ENDGODEEP#"))
            return;
    }
}

void ScriptsTV::ISTR_ENDGODEEP() {}

// ------------------------------------------------------------ tag blocks

void ScriptsTV::ISTR_CHECKVARIABLE()
{
    ScriptVarTag = roundedInt16(leadingNumber(argument(17)));
}

void ScriptsTV::ISTR_STARTDELETETAGS() { tagBlock(false); }
void ScriptsTV::ISTR_STARTSUBSTITUTETAGS() { tagBlock(true); }

void ScriptsTV::tagBlock(bool substitute)
{
    const QByteArray header = substitute ? "#SUBSTITUTETAGS#" : "#DELETETAGS#";
    const QByteArray end = substitute ? "#ENDSUBSTITUTETAGS#" : "#ENDDELETETAGS#";
    const int remembered = ScriptPc;
    int at = 0;
    for (int i = 1; i <= ScriptNumRighe && !at; ++i) {
        charge(1 + ScriptRighe[i].size() / 64);
        if (containsNoCase(ScriptRighe[i], header))
            at = i;
    }
    if (!at)
        return;
    for (int i = at + 1; i <= ScriptNumRighe; ++i) {
        ScriptPc = i;
        const QByteArray &l = ScriptRighe[i];
        // Three searches and a cut-out text: a tag line is no cheap line.
        charge(8 + l.size() / 64);
        if (containsNoCase(l, end))
            break;
        if (ScriptFerma)
            continue;
        if (ScriptVarTag < 0 || ScriptVarTag > 50)
            throw ScriptFailure{};
        QByteArray &v = ScriptVariabili[ScriptVarTag];
        if (substitute) {
            const qsizetype e1 = inStr(1, l, "=");
            const qsizetype e2 = e1 ? inStr(e1 + 1, l, "=") : 0;
            if (!e2)
                throw ScriptFailure{};
            const QByteArray old = mid(l, e1 + 1, e2 - e1 - 1);
            if (!old.isEmpty())
                replaceBounded(v, old, mid(l, e2 + 1));
        } else {
            qsizetype h[2];
            const QByteArray tag = hashes(l, h) ? mid(l, h[1] + 2) : mid(l, 2);
            if (!tag.isEmpty())
                replaceBounded(v, tag, " ");
        }
    }
    ScriptPc = remembered;
}

// ------------------------------------------------------- page switching

void ScriptsTV::ISTR_OPENNEWWEB()
{
    try {
        const QByteArray arg = argument(13);
        const qsizetype p = inStr(1, arg, "#");
        if (p == 0)
            throw ScriptFailure{};
        const int nn = variableIndex(mid(arg, p + 1, 2));
        ScriptFilePagina = nn;
        const QByteArray address = ScriptVariabili[nn];
        // Only web pages are fetched; anything else is refused before any transfer.
        if (!isWebAddress(address))
            throw ScriptFailure{};
        const QString fetched = tempFile(ScriptGeneration >= 2 ? "FileWeb.txt" : "FileWebB.txt");
        fetchInto(ProgrammeRecord::shown(address), fetched);
        if (fileSize(fetched) > limits_.pageBytes)
            throw ScriptFailure{};
        if (ScriptGeneration < 2 && !NORMALIZZA_WEB())
            throw ScriptFailure{};
        if (nn == 0 || pages_.count(nn))
            throw ScriptFailure{};
        openPage(nn, tempFile("FileWeb.txt"));
    } catch (const ScriptFailure &) {
        box("Error on Script Expression : #OPENNEWWEB# ");
    }
}

void ScriptsTV::ISTR_RESTOREWEB()
{
    pages_.erase(ScriptFilePagina);
    ScriptFilePagina = MainPage;
}

void ScriptsTV::ISTR_STARTREADWEB()
{
    pages_.erase(ScriptFilePagina);
    openPage(ScriptFilePagina, ScriptFilePagina == MainPage ? tempFile("html1.txt") : tempFile("FileWeb.txt"));
    ScriptCursore = "0";
}

} // namespace orv
