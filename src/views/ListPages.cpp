#include "views/ListPages.h"

#include <QRegularExpression>

namespace orv {

QString dbErrorText(const std::exception &e)
{
    if (auto *db = dynamic_cast<const DbError *>(&e))
        return db->message();
    return QString::fromUtf8(e.what());
}

namespace {

// Runs the query; on a failure the page is built from no rows.
template <typename Query> std::vector<Programme> runQuery(const QString &dbPath, PageBuild &out, Query query)
{
    try {
        Database db = Database::open(dbPath);
        // Each build opens the file afresh: map it rather than copy every
        // page of the day through reads.
        db.exec(QStringLiteral("PRAGMA mmap_size = 268435456"));
        ProgrammiTable t(db);
        return query(t);
    } catch (const std::exception &e) {
        out.dbError = dbErrorText(e);
        return {};
    }
}

} // namespace

PageBuild buildCardPage(const CardRequest &r)
{
    PageBuild out;
    ListTemplate t;
    out.templateFound = ListTemplate::read(r.templatePath, t);
    const std::vector<Programme> rows = runQuery(
        r.dbPath, out, [&](ProgrammiTable &p) { return p.channelDay(r.day, r.channel, CardLimit + 1); });
    ListPageBuilder b(t, ListKind::Card);
    b.setHead(rows.empty() ? r.channel : rows.front().Palinsesto, ListPageBuilder::dayText(r.day), r.logo);
    out.page = b.build(rows, CardLimit);
    return out;
}

PageBuild buildReportPage(const ReportRequest &r, PageProgress *progress)
{
    PageBuild out;
    ListTemplate t;
    out.templateFound = ListTemplate::read(r.templatePath, t);
    const std::vector<Programme> rows = runQuery(r.dbPath, out, [&](ProgrammiTable &p) {
        return p.reportRows(r.type + u'*', r.day, r.from, r.to, ReportLimit + 1);
    });
    ListPageBuilder b(t, ListKind::Report);
    b.setHead(rows.empty() ? QString() : rows.front().Palinsesto, ListPageBuilder::dayText(r.day));
    out.page = b.build(rows, ReportLimit, progress, QStringLiteral("Programmi nel report : "));
    return out;
}

QString searchPattern(const QString &words, bool exact)
{
    QString p = words;
    if (!exact)
        p.replace(u' ', u'*');
    return u'*' + p + u'*';
}

PageBuild buildSearchPage(const SearchRequest &r, PageProgress *progress)
{
    PageBuild out;
    ListTemplate t;
    out.templateFound = ListTemplate::read(r.templatePath, t);
    const std::vector<Programme> rows = runQuery(r.dbPath, out, [&](ProgrammiTable &p) {
        return p.search(searchPattern(r.words, r.exact), r.marked, r.promemoria, r.registra, r.fromDay,
                        ReportLimit + 1);
    });
    ListPageBuilder b(t, ListKind::Search);
    b.setHead(rows.empty() ? QString() : rows.front().Palinsesto, ListPageBuilder::dayText(r.shownDay));
    out.page = b.build(rows, ReportLimit, progress, QStringLiteral("Programmi Trovati : "));
    return out;
}

std::optional<QString> normaliseTime(const QString &typed)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})(?:[:.](\\d{2}))?$"));
    const auto m = re.match(typed.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    if (h > 23 || min > 59)
        return std::nullopt;
    return QStringLiteral("%1:%2").arg(h, 2, 10, QLatin1Char('0')).arg(min, 2, 10, QLatin1Char('0'));
}

QString channelLogo(const QString &palinsestiPath, const QString &channel)
{
    if (channel.isEmpty())
        return QString();
    try {
        Database db = Database::open(palinsestiPath);
        const std::optional<Channel> c = TelevisioniTable(db).byName(channel);
        return c ? QString::number(c->IDTV) + QStringLiteral(".gif") : QString();
    } catch (const std::exception &) {
        return QString();
    }
}

} // namespace orv
