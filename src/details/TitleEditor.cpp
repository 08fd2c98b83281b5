#include "details/TitleEditor.h"

#include "core/AppState.h"
#include "core/Store.h"

#include <algorithm>

namespace orv {

namespace {

Database openFor(const EditorProfile &p) { return Database::open(appPath(p.database)); }

// The editor's calls, on its table.
template <typename F> auto onTable(const EditorProfile &p, F &&f)
{
    Database db = openFor(p);
    if (p.table == EditorProfile::Table::Monitor) {
        MonitorTable t(db);
        return f(t);
    }
    PreferitiTable t(db);
    return f(t);
}

} // namespace

const EditorProfile &EditorProfile::monitor()
{
    static const EditorProfile p{Table::Monitor, QStringLiteral("database/monitor.cfg"), true, false};
    return p;
}

const EditorProfile &EditorProfile::favourites()
{
    static const EditorProfile p{Table::Preferiti, QStringLiteral("database/preferiti.cfg"), false, true};
    return p;
}

QString TitleEditor::storedForm(const QString &typed)
{
    QString s = typed;
    return s.replace(QLatin1Char('\''), QLatin1Char('*'));
}

std::vector<TitleEditor::Item> TitleEditor::list()
{
    state_ = State::None;
    row_ = 0;
    auto rows = onTable(profile_, [](auto &t) { return t.rowsDescending(); });
    std::vector<Item> out;
    // Read descending and put each at the top: the list ends ascending.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (!it->second.isEmpty())
            out.push_back({it->first, it->second});
    return out;
}

void TitleEditor::startNew()
{
    // Opening now reports a missing database at "Nuovo", not only at "Salva".
    openFor(profile_);
    state_ = State::NewRow;
    row_ = 0;
}

std::optional<QString> TitleEditor::select(qint64 id)
{
    auto rows = onTable(profile_, [](auto &t) { return t.rowsDescending(); });
    const auto it = std::find_if(rows.begin(), rows.end(), [id](const auto &r) { return r.first == id; });
    if (it == rows.end())
        return std::nullopt;
    state_ = State::Editing;
    row_ = id;
    return it->second;
}

bool TitleEditor::save(const QString &typed)
{
    const State was = state_;
    const qint64 id = row_;
    state_ = State::None;
    row_ = 0;
    if (was == State::None)
        return false;
    if (typed.trimmed().isEmpty())
        return true;
    const QString stored = storedForm(typed);
    if (was == State::NewRow) {
        onTable(profile_, [&](auto &t) { t.add(stored); return 0; });
        return true;
    }
    return onTable(profile_, [&](auto &t) { return t.update(id, stored); });
}

bool TitleEditor::remove()
{
    if (state_ != State::Editing)
        return false;
    const qint64 id = row_;
    const bool gone = onTable(profile_, [&](auto &t) { return t.removeRow(id); });
    state_ = State::None;
    row_ = 0;
    return gone;
}

bool TitleEditor::deleteEnabled() const
{
    return profile_.deleteOnlyWhileEditing ? state_ == State::Editing : state_ != State::NewRow;
}

} // namespace orv
