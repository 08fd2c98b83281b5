#include "acquisition/DownloadCycle.h"

#include "acquisition/BulkListings.h"
#include "acquisition/DayFileParser.h"
#include "acquisition/Updates.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Text.h"

#include <QFile>

namespace orv {

namespace {

const QString Firewall = QStringLiteral("Assicurati di non avere FIREWALL che bloccano l'accesso ED assicurati "
                                        "che Internet Explorer sia in modalita IN LINEA");

QString dayDigits(const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")); }

// The first item of the check file, read as a comma-delimited reader reads
// one field: leading blanks skipped, up to a comma or the line end, quotes
// removed.
QString firstItem(const QByteArray &bytes)
{
    const QStringList lines = text::splitLinesAny(text::decode(bytes));
    if (lines.isEmpty())
        return {};
    QString line = lines.first();
    qsizetype i = 0;
    while (i < line.size() && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t')))
        ++i;
    line = line.mid(i);
    if (line.startsWith(QLatin1Char('"'))) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), 1);
        return close < 0 ? line.mid(1) : line.mid(1, close - 1);
    }
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    return comma < 0 ? line : line.left(comma);
}

} // namespace

QString connectionFailureText(const QString &tag)
{
    return QStringLiteral("Errore Nel Collegamento internet con il Server... Sei CONNESSO?(%1)\r\n\r\n").arg(tag) +
           Firewall;
}

DownloadCycle::DownloadCycle(DownloadView &view, FetchFn fetch) : view_(view), fetch_(std::move(fetch)) {}

// finishStoring keeps its own database errors.
DownloadCycle::~DownloadCycle() { finishStoring(); }

ProgrammiTable &DownloadCycle::programmes()
{
    if (!programmes_) {
        listings_ = std::make_unique<Database>(openBulkListings());
        programmes_ = std::make_unique<ProgrammiTable>(*listings_);
    }
    return *programmes_;
}

bool DownloadCycle::hasDay(const QDate &day, const QString &name)
{
    return programmes().hasChannelDay(dayDigits(day).toInt(), name);
}

bool &DownloadCycle::updateChecked()
{
    static bool checked = false;
    return checked;
}

QDate DownloadCycle::today() const { return today_.isValid() ? today_ : QDate::currentDate(); }

QString DownloadCycle::url(const QString &path) const
{
    QString base = serverBase();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + path;
}

void DownloadCycle::cutShort(const QString &reason)
{
    InterrompiCiclo = true;
    if (!report_.cutShort) {
        report_.cutShort = true;
        report_.reason = reason;
    }
}

FetchOutcome DownloadCycle::fetchWithRetry(const QString &address, const QString &file, const QString &notice)
{
    FetchOutcome outcome = fetch_ ? fetch_(address, file) : FetchOutcome::Failed;
    if (outcome != FetchOutcome::Failed)
        return outcome;
    if (!notice.isEmpty())
        Prompt::message(notice);
    return fetch_ ? fetch_(address, file) : FetchOutcome::Failed;
}

void DownloadCycle::stop()
{
    Annulla = true;
    InterrompiCiclo = true;
    InterrompiLettura = true;
}

void DownloadCycle::run()
{
    Annulla = false;
    InterrompiCiclo = false;
    report_ = Report();

    view_.setStatus(QStringLiteral("Collegamento con il server in corso..."));
    view_.processEvents();
    view_.setStopEnabled(true);
    view_.setConnection(QStringLiteral("Collegamento Server.."));
    view_.setConnection(QStringLiteral("Collegamento Server..."));
    if (!updateChecked()) {
        if (CheckUpdate)
            CERCA_AGGIORNAMENTI();
        updateChecked() = true;
    }
    view_.setConnection(QStringLiteral("Collegamento Server...."));

    std::vector<Channel> channels;
    try {
        Database db = Database::open(PercorsoPalinsesti);
        TelevisioniTable table(db);
        view_.setChannelRange(int(table.activeByCode().size()));
        channels = table.activeByPosition();
        programmes();
    } catch (const DbError &e) {
        cutShort(QStringLiteral("Archivio non leggibile: %1").arg(e.text()));
        channels.clear();
    }

    int done = 0;
    for (const Channel &c : channels) {
        if (InterrompiCiclo)
            break;
        GATEWAY_TV(c.NOMETV, c.IDTV);
        view_.setChannelsDone(++done);
    }

    finishStoring();
    // The script engine and the post-processing open the file themselves.
    programmes_.reset();
    listings_.reset();

    view_.setStatus(QStringLiteral("Importazione Completata."));
    view_.finishBars();
    view_.setStopEnabled(false);
    view_.processEvents();
}

QString DownloadCycle::LEGGI_CODICE_TV(const QString &name)
{
    try {
        Database db = Database::open(PercorsoPalinsesti);
        const auto channel = TelevisioniTable(db).byName(name);
        if (!channel) {
            Prompt::message(QStringLiteral("ERRORE LETTURA CODICE TV"));
            return {};
        }
        return QString::number(channel->IDTV);
    } catch (const DbError &) {
        return {};
    }
}

void DownloadCycle::GATEWAY_TV(const QString &name, qint32 code)
{
    if (code <= 0) {
        Prompt::message(QStringLiteral("ERRORE LETTURA CODICE TV"));
        return;
    }
    const QString number = QString::number(code);
    const QString logo = appPath(QStringLiteral("loghitv/%1.gif").arg(number));
    if (QFile::exists(logo))
        view_.setLogo(logo);

    const QString checks = appPath(QStringLiteral("TempDir/checks.txt"));
    const FetchOutcome check = fetchWithRetry(url(QStringLiteral("/orvento/checks/%1.txt").arg(number)), checks);
    if (check == FetchOutcome::NotFound) {
        // The server does not know the channel: nothing to fetch for it.
        return;
    }
    if (check == FetchOutcome::Failed) {
        Prompt::message(connectionFailureText(QStringLiteral("1")));
        cutShort(QStringLiteral("Il file di controllo del canale %1 non e' stato ricevuto.").arg(name));
        return;
    }
    QByteArray bytes;
    files::readAll(checks, bytes);
    const QString item = firstItem(bytes);
    const bool script = !item.isEmpty() && item.at(0).toUpper() == QLatin1Char('S');
    if (!script) {
        SCARICA_GIORNI_DATABASE(code, name);
        return;
    }
    ++report_.scriptChannels;
    const FetchOutcome fetched = fetchWithRetry(url(QStringLiteral("/orvento/scripts/%1.txt").arg(number)),
                                                appPath(QStringLiteral("TempDir/script.txt")));
    if (fetched != FetchOutcome::Fetched) {
        Prompt::message(connectionFailureText(QStringLiteral("2")));
        Annulla = true;
        return;
    }
    SCARICA_GIORNI_SCRIPT(code, name);
}

void DownloadCycle::SCARICA_GIORNI_SCRIPT(qint32, const QString &name)
{
    QDate day = today();
    view_.setDayRange(1, ScriptDays);
    Annulla = false;
    for (int index = 1; index <= ScriptDays && !Annulla; ++index) {
        view_.setDayIndex(index);
        view_.setDay(day);
        bool present = true;
        try {
            present = hasDay(day, name);
        } catch (const DbError &) {
            // The day is left alone rather than fetched on top of what it may hold.
            view_.markReadFailure();
        }
        if (!present)
            SCARICA_TV_SCRIPT(dayDigits(day), name);
        day = day.addDays(1);
        view_.processEvents();
    }
    view_.setDayIndex(1);
    view_.processEvents();
}

void DownloadCycle::SCARICA_TV_SCRIPT(const QString &day, const QString &name)
{
    if (script_ && !script_(QStringLiteral("script.txt"), name, day))
        ++report_.failedDays;
}

void DownloadCycle::SCARICA_GIORNI_DATABASE(qint32 code, const QString &name)
{
    QDate day = today();
    view_.setDayRange(1, DatabaseBarMaximum);
    bool reload = false;
    int reloadDays = 0;
    try {
        Database channels = Database::open(PercorsoPalinsesti);
        if (const auto row = TelevisioniTable(channels).byCode(code)) {
            reload = row->Ricarica;
            reloadDays = row->GIORNI;
        }
    } catch (const DbError &) {
        // Without the channel's row its days are fetched only when empty.
        view_.markReadFailure();
    }

    Annulla = false;
    for (int index = 1; index <= DatabaseDays && !Annulla; ++index) {
        view_.setDayIndex(index);
        view_.setDay(day);
        bool fetch = true;
        if (!reload || index > reloadDays) {
            try {
                fetch = !hasDay(day, name);
            } catch (const DbError &) {
                view_.markReadFailure();
                fetch = false;
            }
        }
        if (fetch)
            SCARICA_TV_DATABASE(dayDigits(day), code, index, name);
        day = day.addDays(1);
        view_.processEvents();
    }
    // The channel's transfers are done: its days are stored now, so a cycle
    // that dies later keeps them and open windows see them.
    finishStoring();
    view_.setDayIndex(1);
    view_.processEvents();
}

void DownloadCycle::SCARICA_TV_DATABASE(const QString &day, qint32 code, int index, const QString &name)
{
    const QString address = url(QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(day));
    const QString scratch = appPath(QStringLiteral("TempDir/dbuff.txt"));
    const FetchOutcome outcome = fetchWithRetry(address, scratch, QStringLiteral("Ricevuto Errore 1"));
    if (outcome == FetchOutcome::NotFound) {
        // No file for this day: the channel's later days are not there either.
        Annulla = true;
        return;
    }
    if (outcome == FetchOutcome::Failed) {
        ++report_.failedDays;
        if (index > 7) {
            Prompt::message(QStringLiteral("Errore Nel Collegamento internet con il Server... Probabile Mancanza "
                                           "di connessione o di Dati (3)\r\n\r\n") +
                            Firewall);
            Annulla = true;
            cutShort(QStringLiteral("Il giorno %1 del canale %2 non e' stato ricevuto.").arg(day, name));
        }
        return;
    }
    QByteArray bytes;
    if (!files::readAll(scratch, bytes)) {
        view_.markReadFailure();
        Annulla = true;
        return;
    }
    storeDay(bytes, day.toInt(), name);
}

bool DownloadCycle::storeDay(const QByteArray &bytes, qint32 day, const QString &name)
{
    DayFileParser::Result read = DayFileParser::parse(bytes, day, name);
    if (read.shortLines > 0)
        view_.markReadFailure();
    if (read.timeTestFailed) {
        // Not a day file (or a broken one): keep what the day had and leave
        // the channel's later days alone.
        Annulla = true;
        return false;
    }
    if (read.programmes.empty())
        return false;
    pendingRows_ += int(read.programmes.size());
    pending_.push_back({day, name.trimmed(), std::move(read.programmes)});
    if (pendingRows_ >= BatchRows)
        finishStoring();
    return true;
}

void DownloadCycle::finishStoring()
{
    if (pending_.empty())
        return;
    std::vector<PendingDay> days;
    days.swap(pending_);
    pendingRows_ = 0;
    int storedDays = 0, storedRows = 0;
    try {
        ProgrammiTable &table = programmes();
        Transaction tx(*listings_);
        Statement begin = listings_->prepare(QStringLiteral("SAVEPOINT giorno"));
        Statement release = listings_->prepare(QStringLiteral("RELEASE giorno"));
        for (const PendingDay &d : days) {
            // A day that cannot be written whole keeps its old rows.
            begin.reset();
            begin.execute();
            try {
                table.deleteChannelDay(d.day, d.channel);
                for (const Programme &p : d.rows)
                    table.insert(p);
                release.reset();
                release.execute();
            } catch (const DbError &) {
                listings_->exec(QStringLiteral("ROLLBACK TO giorno; RELEASE giorno"));
                view_.markReadFailure();
                continue;
            }
            ++storedDays;
            storedRows += int(d.rows.size());
        }
        tx.commit();
    } catch (const DbError &) {
        view_.markReadFailure();
        return;
    }
    report_.daysStored += storedDays;
    report_.rowsStored += storedRows;
}

} // namespace orv
