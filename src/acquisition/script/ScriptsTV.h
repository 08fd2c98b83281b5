#pragma once

#include "acquisition/script/ProgrammeRecord.h"
#include "core/Store.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace orv {

// The scraping-script engine: runs a channel's script for one day against the
// page of its web query and saves the programmes it collects into Programmi.
// One engine object holds all the engine's state; its variables keep
// their values from run to run, so the download cycle uses one shared engine.
class ScriptsTV {
public:
    // Fetches a URL into a file and reports nothing; the engine reads
    // whatever the file then holds.
    using FetchFn = std::function<void(const QString &url, const QString &file)>;

    // Fetches through the network layer with the user's proxy settings.
    ScriptsTV();
    explicit ScriptsTV(FetchFn fetch);
    ~ScriptsTV();
    ScriptsTV(const ScriptsTV &) = delete;
    ScriptsTV &operator=(const ScriptsTV &) = delete;

    // The engine the download cycle runs.
    static ScriptsTV &shared();

    // One run for a channel-day, as SCARICA_TV_SCRIPT starts it: the script
    // file name under TempDir, the channel name and the day "yyyymmdd".
    void ESEGUI_SCRIPT_TV(const QString &nome, const QString &tv, const QString &giorno);
    void ESEGUI_SCRIPT_TV();

    void setRecordView(RecordView *view) { view_ = view; }
    void setFetch(FetchFn fetch) { fetch_ = std::move(fetch); }
    // Lets window events run (the Stop button); the default runs Qt's queue.
    void setEventPump(std::function<void()> pump) { pump_ = std::move(pump); }
    // The clock a run's time is read from, in milliseconds; the default is
    // the monotonic clock.
    void setClock(std::function<qint64()> msNow) { clock_ = std::move(msNow); }

    // What one run may use. A run that goes beyond any of them ends through
    // the general failure box, whatever the answer.
    struct Limits {
        qint64 lines = 2000000;  // script lines executed
        qint64 work = 50000000;  // work units: a line looked at, 64 bytes searched, folded or copied
        qint64 runMs = 300000;   // the run's time, not counting the user's answers to boxes
        int depth = 200;         // blocks and loops re-entering the dispatcher
        qsizetype scriptBytes = 1 << 20;
        qsizetype variableBytes = 1 << 20; // each variable and each record field
        qsizetype pageBytes = 16 << 20;    // each page as fetched
        qsizetype openPageBytes = 48 << 20; // all pages held at once
    };
    // Units one page fetch costs, so that the budget also bounds the fetches.
    static constexpr qint64 FetchWork = 20000;
    void setLimits(const Limits &limits) { limits_ = limits; }

    // A day's saved programmes are written together when its run ends, in
    // one short transaction; a run that dies first leaves nothing of the day.
    // True when the last run ended in the general failure box (a limit
    // included) or in the (S1) box: nothing of its day was stored.
    bool failed() const { return failed_; }

    const ProgrammeRecord &record() const { return record_; }

    static QByteArray LEGGI_REPLACESPACES(const QString &nome);
    static QByteArray LEGGI_SCRIPTGENERATION(const QString &nome);
    // The page normalisers: html.txt to html1.txt, FileWebB.txt to FileWeb.txt;
    // false when a file could not be written or read.
    static bool NORMALIZZA_HTML();
    static bool NORMALIZZA_WEB();
    // The cover file name for a channel and code (unsafe characters made "_").
    static QString coverName(const QString &tv, const QByteArray &code);

    // Engine state, named as the rest of the program knows it.
    QString ScriptNome, ScriptTv, ScriptGiorno;
    static constexpr int RigheMax = 5000;
    std::array<QByteArray, RigheMax + 1> ScriptRighe;
    int ScriptNumRighe = RigheMax;
    int ScriptPc = 0;
    int ScriptPosChiave = 0;
    std::array<QByteArray, 51> ScriptVariabili;
    QByteArray ScriptCursore = "0";
    QByteArray ScriptRigaPagina;
    int ScriptFilePagina = 133;
    QByteArray ScriptSuErrore;
    bool ScriptFerma = false;
    bool ScriptEsciCiclo = false;
    bool ScriptFineBlocco = false;
    int ScriptInizioCiclo = 0;
    int ScriptVarTag = 0;
    int RispostaScript = 0;
    int ContaProgrammi = 0;
    int ScriptGeneration = 1;
    QByteArray ReplaceSpaces = "%20";

    static constexpr int MainPage = 133;
    static constexpr int RispostaRetry = 4;
    static constexpr int RispostaCancel = 2;

private:
    struct Page {
        QByteArray data;
        qsizetype pos = 0;
        bool atEnd() const { return pos >= data.size(); }
        QByteArray readLine();
    };
    struct Store;
    using Routine = void (ScriptsTV::*)();
    struct Keyword {
        const char *text;
        Routine routine;
    };
    static const std::array<Keyword, 32> &keywords();

    // The run's pieces.
    bool prepare();
    void ESEGUI_SEZIONI_SCRIPT();
    void runPass(const QByteArray &start, const QByteArray &end);
    void ESEGUI_ISTRUZIONE();
    // The general failure box; true when the answer is Retry.
    bool generalFailure();
    void finishRun();
    void step();
    // Adds work to the run's account; ends the run when a limit is passed.
    // One comparison in the common case: checkAt_ is the nearer of the
    // budget and the next look at the clock.
    void charge(qint64 units)
    {
        work_ += units;
        if (work_ >= checkAt_)
            checkLimits();
    }
    void chargeBytes(qsizetype bytes) { charge(bytes / 64); }
    // Searches a folded word in a folded text from column start1, a piece at
    // a time, each piece charged as it is searched: the limits are looked at
    // inside a long search, not only after it.
    qsizetype searchCharged(qsizetype start1, QByteArrayView folded, QByteArrayView word);
    // The page line last read, folded once for all the searches in it.
    const QByteArray &foldedPageLine();
    void checkLimits();
    // Refuses a text larger than a variable may hold.
    void bounded(qsizetype bytes) const;
    // Replaces every before by after, left to right, within those bounds.
    void replaceBounded(QByteArray &text, QByteArrayView before, QByteArrayView after);
    // A message box whose wait is not counted in the run's time.
    int ask(const QString &text, const QString &title);
    // Writes the day's saved programmes in one short transaction.
    void flushRows();

    // Shared helpers of the instructions.
    const QByteArray &line(int index) const;
    QByteArray argument(int offset) const;
    int variableIndex(const QByteArray &twoChars) const;
    QByteArray &variable(const QByteArray &twoChars);
    Page &currentPage();
    void openPage(int number, const QString &file);
    void fetchInto(const QString &url, const QString &file);
    void box(const QByteArray &message);
    void boxSettingFerma(const QByteArray &message);
    void applyOnError(const QByteArray &arg);
    bool threeVariables(const QByteArray &arg, QByteArray &aa, QByteArray &bb, QByteArray &cc) const;
    bool twoVariables(int offset, QByteArray &a, QByteArray &b, QByteArray &rest) const;
    bool recordVariable(int offset, const char *message, QByteArray *value, bool silentWithScriptError = false);
    bool takeField(int offset, const char *message, QByteArray &field, int check, bool trim = true);
    void recordChanged();
    void PULISCI_CAMPI_PROGRAMMA();
    void SALVA_LOCANDINA();
    void skipTypeBlock();
    void tagBlock(bool substitute);

    // Instructions.
    void ISTR_FINDLINE();
    void ISTR_SAVEDATA();
    void ISTR_TAKETYPE();
    void ISTR_TAKECODE();
    void ISTR_TAKEHOUR();
    void ISTR_TAKELINK();
    void ISTR_TAKETITLE();
    void ISTR_FIND();
    void ISTR_TAKEWORD();
    void ISTR_TAKEWORDLEN();
    void ISTR_PUT();
    void ISTR_REPEAT();
    void ISTR_WHILE();
    void ISTR_READNEXTLINE();
    void ISTR_STARTGODEEP();
    void ISTR_ENDGODEEP();
    void ISTR_IF();
    void ISTR_TITLE();
    void ISTR_RESETCURSOR();
    void ISTR_SETCURSOR();
    void ISTR_TAKECOMMENTS();
    void ISTR_COMPUTECURSOR();
    void ISTR_PUTCURSOR();
    void ISTR_CHECKVARIABLE();
    void ISTR_STARTDELETETAGS();
    void ISTR_STARTSUBSTITUTETAGS();
    void ISTR_GOTO();
    void ISTR_STARTREADWEB();
    void ISTR_TAKEPOSTER();
    void ISTR_STRING();
    void ISTR_RESTOREWEB();
    void ISTR_OPENNEWWEB();

    FetchFn fetch_;
    std::function<void()> pump_;
    RecordView *view_ = nullptr;
    ProgrammeRecord record_;
    std::map<int, Page> pages_;
    std::unique_ptr<Store> store_;
    std::optional<QStringList> importa_;
    // Which keyword each script line holds, and where: found once per run.
    static constexpr int NotLooked = -2, NoKeyword = -1;
    std::array<int, RigheMax + 1> keywordOf_;
    std::array<int, RigheMax + 1> keywordAt_;
    Limits limits_;
    qint64 steps_ = 0;
    qint64 work_ = 0;
    qint64 checkAt_ = 0;
    std::function<qint64()> clock_;
    qint64 startedMs_ = 0;
    qint64 waitedMs_ = 0; // spent waiting for answers to boxes
    int depth_ = 0;
    bool failed_ = false;
    // foldedLine_ is ScriptRigaPagina folded while foldedOf_ shares its data.
    QByteArray foldedOf_, foldedLine_;
    std::vector<Programme> rows_; // the day's saved programmes, not yet written
    qsizetype rowBytes_ = 0;
};

} // namespace orv
