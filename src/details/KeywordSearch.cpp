#include "details/KeywordSearch.h"

#include "details/ProgrammeDisplay.h"

#include <QHash>
#include <algorithm>

namespace orv {

namespace {

// A keyword as a like-pattern anywhere in the title, folded once.
struct Pattern {
    QString folded;
    // A keyword of blanks, "*" and "?" alone would list every programme: it
    // lists none.
    bool usable;

    explicit Pattern(const QString &keyword)
        : folded(QLatin1Char('*') + keyword.toCaseFolded() + QLatin1Char('*')),
          usable(std::any_of(keyword.begin(), keyword.end(),
                             [](QChar c) { return c != u' ' && c != u'*' && c != u'?'; }))
    {
    }
    bool matches(const QString &foldedTitle) const { return usable && jetLikeFolded(foldedTitle, folded); }
};

struct Hit {
    ProgrammiTable::Head row;
    int keyword;
};

} // namespace

MonitorTree KeywordSearch::run(Database &listings, const QStringList &keywords, qint32 firstDay)
{
    MonitorTree tree;
    QStringList words;
    std::vector<Pattern> patterns;
    for (const QString &kw : keywords) {
        if (words.contains(kw))
            continue;
        words << kw;
        patterns.emplace_back(kw);
        auto &node = tree.keywords.emplace_back();
        node.key = QLatin1Char('R') + kw;
        node.text = kw;
    }
    if (std::none_of(patterns.begin(), patterns.end(), [](const Pattern &p) { return p.usable; }))
        return tree;

    // Titles repeat across days and channels: each distinct one is folded
    // and tested once.
    QHash<QString, std::vector<int>> matchesOf;
    std::vector<Hit> hits;
    ProgrammiTable(listings).headsFromDay(firstDay, [&](const ProgrammiTable::Head &row) {
        if (row.Data == 0 || row.Palinsesto.isEmpty() || row.ORA.isEmpty())
            return;
        auto it = matchesOf.find(row.Titolo);
        if (it == matchesOf.end()) {
            std::vector<int> found;
            const QString folded = row.Titolo.toCaseFolded();
            for (size_t k = 0; k < patterns.size(); ++k)
                if (patterns[k].matches(folded))
                    found.push_back(int(k));
            it = matchesOf.insert(row.Titolo, std::move(found));
        }
        for (int k : *it)
            hits.push_back({row, k});
    });

    // Keyword by keyword, then by day and start time: a day node is the
    // last one made or a new one, a channel node is looked up within its day.
    std::sort(hits.begin(), hits.end(), [](const Hit &a, const Hit &b) {
        return std::tie(a.keyword, a.row.Data, a.row.ORA, a.row.Palinsesto, a.row.Numerazione) <
               std::tie(b.keyword, b.row.Data, b.row.ORA, b.row.Palinsesto, b.row.Numerazione);
    });
    QHash<QString, size_t> channelsOfDay;
    QString day;
    for (const Hit &h : hits) {
        auto &kw = tree.keywords[size_t(h.keyword)];
        if (kw.days.empty() || kw.days.back().programmeDay != h.row.Data) {
            day = ProgrammeTexts::dayText(h.row.Data);
            auto &node = kw.days.emplace_back();
            node.key = kw.key + QLatin1Char('D') + day;
            node.text = day;
            node.programmeDay = h.row.Data;
            channelsOfDay.clear();
        }
        auto &dayNode = kw.days.back();
        auto slot = channelsOfDay.constFind(h.row.Palinsesto);
        if (slot == channelsOfDay.cend()) {
            slot = channelsOfDay.insert(h.row.Palinsesto, dayNode.channels.size());
            auto &node = dayNode.channels.emplace_back();
            node.key = dayNode.key + h.row.Palinsesto;
            node.text = h.row.Palinsesto;
        }
        auto &prog = dayNode.channels[*slot].programmes.emplace_back();
        prog.programme = {h.row.Data, h.row.Palinsesto, h.row.Numerazione};
        prog.key = QLatin1Char('D') + day + QLatin1Char('[') + QString::number(h.row.Numerazione) +
                   QLatin1Char(']') + h.row.Palinsesto + h.row.ORA;
        prog.text = h.row.ORA + QLatin1Char('-') + h.row.Titolo;
        tree.found = true;
    }
    return tree;
}

} // namespace orv
