#include "details/KeywordSearch.h"

#include <QHash>
#include <algorithm>

namespace orv {

namespace {

// A keyword folded once and cut at its "*"; empty pieces dropped.
struct Pattern {
    QStringList pieces;

    explicit Pattern(const QString &keyword)
    {
        for (const QString &p : keyword.toCaseFolded().split(QLatin1Char('*'), Qt::SkipEmptyParts))
            pieces << p;
    }
    // A keyword of blanks and "*" alone would list every programme.
    bool usable() const
    {
        return std::any_of(pieces.begin(), pieces.end(), [](const QString &p) { return !p.trimmed().isEmpty(); });
    }
    bool matches(const QString &foldedTitle) const
    {
        qsizetype from = 0;
        for (const QString &p : pieces) {
            const qsizetype at = foldedTitle.indexOf(p, from);
            if (at < 0)
                return false;
            from = at + p.size();
        }
        return true;
    }
};

struct Hit {
    ProgrammiTable::Head row;
    int keyword;
};

template <typename N> N &findOrAdd(std::vector<N> &nodes, const QString &key, const QString &text)
{
    for (N &n : nodes)
        if (n.key == key)
            return n;
    N &n = nodes.emplace_back();
    n.key = key;
    n.text = text;
    return n;
}

} // namespace

bool KeywordSearch::titleMatches(const QString &keyword, const QString &title)
{
    const Pattern p(keyword);
    return p.usable() && p.matches(title.toCaseFolded());
}

QString KeywordSearch::dayText(qint32 day)
{
    const QString d = orv::dayText(day);
    return d.mid(6, 2) + QLatin1Char('/') + d.mid(4, 2) + QLatin1Char('/') + d.left(4);
}

QString KeywordSearch::programmeKey(const ProgrammeKey &key, const QString &ora)
{
    return QLatin1Char('D') + dayText(key.Data) + QLatin1Char('[') + QString::number(key.Numerazione) +
           QLatin1Char(']') + key.Palinsesto + ora;
}

MonitorTree KeywordSearch::run(Database &listings, const QStringList &keywords, qint32 firstDay)
{
    MonitorTree tree;
    QStringList words;
    std::vector<Pattern> patterns;
    for (const QString &kw : keywords) {
        if (words.contains(kw))
            continue;
        Pattern p(kw);
        if (!p.usable())
            continue;
        words << kw;
        patterns.push_back(std::move(p));
        auto &node = tree.keywords.emplace_back();
        node.key = QLatin1Char('R') + kw;
        node.text = kw;
    }
    if (words.isEmpty())
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

    std::sort(hits.begin(), hits.end(), [](const Hit &a, const Hit &b) {
        return std::tie(a.row.Data, a.row.ORA, a.row.Palinsesto, a.row.Numerazione) <
               std::tie(b.row.Data, b.row.ORA, b.row.Palinsesto, b.row.Numerazione);
    });
    for (const Hit &h : hits) {
        auto &kw = tree.keywords[size_t(h.keyword)];
        const QString day = dayText(h.row.Data);
        auto &dayNode = findOrAdd(kw.days, kw.key + QLatin1Char('D') + day, day);
        auto &channel = findOrAdd(dayNode.channels, dayNode.key + h.row.Palinsesto, h.row.Palinsesto);
        auto &prog = channel.programmes.emplace_back();
        prog.programme = {h.row.Data, h.row.Palinsesto, h.row.Numerazione};
        prog.key = programmeKey(prog.programme, h.row.ORA);
        prog.text = h.row.ORA + QLatin1Char('-') + h.row.Titolo;
        tree.found = true;
    }
    return tree;
}

} // namespace orv
