#include "grid/GridBuilder.h"

#include "core/Store.h"
#include "platform/Database.h"

#include <QDir>
#include <QHash>
#include <algorithm>

namespace orv {

namespace {

// Logo files by folded name: the folder is listed once per build.
QHash<QString, QString> listLogos(const QString &folder)
{
    QHash<QString, QString> out;
    if (folder.isEmpty())
        return out;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files))
        out.insert(name.toCaseFolded(), dir.filePath(name));
    return out;
}

qint32 dayNumberOf(const QDate &d) { return dayNumber(d.year(), d.month(), d.day()); }

} // namespace

bool GridBuilder::readRange(const GridModel &m, const QHash<QString, int> &rowOf, Records &records,
                            Buckets &buckets)
{
    // Every grid day at once, then bucketed by row and day (the store's
    // order keeps each bucket in Numerazione order). The range reads much of
    // the file: mapped, its pages need no read call each.
    try {
        listings_.exec(QStringLiteral("PRAGMA mmap_size=268435456"));
        records = ProgrammiTable(listings_).gridRange(dayNumberOf(m.firstDay), dayNumberOf(m.lastDay()));
    } catch (const std::exception &) {
        records.clear();
        return false;
    }
    QHash<qint32, int> dayOf;
    for (int d = 0; d < m.days; ++d)
        dayOf.insert(dayNumberOf(m.firstDay.addDays(d)), d);
    QString lastName;
    int lastRow = -1;
    for (size_t i = 0; i < records.size(); ++i) {
        const ProgrammiTable::GridRecord &p = records[i];
        if (p.Palinsesto != lastName) {
            lastName = p.Palinsesto;
            lastRow = rowOf.value(p.Palinsesto.toCaseFolded(), -1);
        }
        const int d = dayOf.value(p.Data, -1);
        if (lastRow >= 0 && d >= 0)
            buckets[size_t(lastRow) * size_t(m.days) + size_t(d)].push_back(int(i));
    }
    return true;
}

void GridBuilder::readEachDay(const GridModel &m, const Options &o, Records &records, Buckets &buckets)
{
    for (size_t r = 0; r < m.rows.size(); ++r)
        for (int d = 0; d < m.days; ++d) {
            std::vector<Programme> day;
            try {
                day = ProgrammiTable(listings_).channelDay(dayNumberOf(m.firstDay.addDays(d)), m.rows[r].NOMETV);
            } catch (const std::exception &) {
                if (o.mark)
                    o.mark(QStringLiteral("\u00A7"));
                continue;
            }
            std::vector<int> &bucket = buckets[r * size_t(m.days) + size_t(d)];
            for (Programme &p : day) {
                bucket.push_back(int(records.size()));
                ProgrammiTable::GridRecord g;
                g.Data = p.Data;
                g.Numerazione = p.Numerazione;
                g.Palinsesto = std::move(p.Palinsesto);
                g.ORA = std::move(p.ORA);
                g.Titolo = std::move(p.Titolo);
                g.Durata = std::move(p.Durata);
                g.Type = std::move(p.Type);
                g.marked = p.Marked == QLatin1String("1");
                g.link = !p.Link2.isEmpty();
                records.push_back(std::move(g));
            }
        }
}

GridModel GridBuilder::build(const Options &o)
{
    GridModel m;
    m.firstDay = o.mainDay.addDays(-1);
    m.days = std::max(1, o.giorniGriglia + 1);

    const QHash<QString, QString> logos = listLogos(o.logoFolder);
    QHash<QString, int> rowOf;
    for (const Channel &c : TelevisioniTable(channels_).activeVisibleByPosition()) {
        GridRow row;
        row.NOMETV = c.NOMETV;
        row.IDTV = QString::number(c.IDTV);
        row.Canale = c.Canale;
        row.Digitale = c.Digitale;
        row.Colore = c.Colore;
        row.logo = logos.value((row.IDTV + QStringLiteral(".gif")).toCaseFolded());
        rowOf.insert(c.NOMETV.toCaseFolded(), int(m.rows.size()));
        m.rows.push_back(std::move(row));
    }
    const int rowCount = int(m.rows.size());

    Records records;
    Buckets buckets(size_t(rowCount) * size_t(m.days));
    if (!readRange(m, rowOf, records, buckets))
        readEachDay(m, o, records, buckets);

    m.cells.reserve(records.size());
    // Few distinct types: each is tested once.
    QHash<QString, grid::CellColours> colours;
    for (int r = 0; r < rowCount; ++r) {
        if (o.progress)
            o.progress(r, rowCount);
        for (int d = 0; d < m.days; ++d) {
            std::vector<int> &bucket = buckets[size_t(r) * size_t(m.days) + size_t(d)];
            std::stable_sort(bucket.begin(), bucket.end(), [&records](int a, int b) {
                return records[size_t(a)].Numerazione < records[size_t(b)].Numerazione;
            });
            grid::PastMidnight midnight;
            for (int index : bucket) {
                ProgrammiTable::GridRecord &p = records[size_t(index)];
                GridCell cell;
                const int w = grid::cellWidth(p.Durata);
                cell.left = midnight.place(grid::cellLeft(p.ORA, d), w);
                cell.width = w < 0 ? grid::TemplateCellWidthTw : w;
                cell.key = p.key();
                cell.ORA = std::move(p.ORA);
                cell.Titolo = std::move(p.Titolo);
                cell.row = r;
                auto c = colours.find(p.Type);
                if (c == colours.end())
                    c = colours.insert(p.Type, grid::typeColours(p.Type, o.colore));
                cell.colours = *c;
                const int n = int(m.cells.size());
                if (p.marked)
                    m.favMarkers.push_back({n, true});
                if (p.link)
                    m.linkMarkers.push_back({n, true});
                m.cells.push_back(std::move(cell));
            }
        }
    }
    if (o.progress)
        o.progress(rowCount, rowCount);
    m.finish();
    return m;
}

} // namespace orv
