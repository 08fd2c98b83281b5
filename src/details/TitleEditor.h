#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace orv {

// What sets the keyword monitor's editor and the favourites editor apart.
struct EditorProfile {
    enum class Table { Monitor, Preferiti };
    Table table;
    // Under the application folder.
    QString database;
    // Captions from the language texts 95-99 at each activation (else the design's).
    bool captionsFromLanguage;
    // "Elimina" only while a listed row is being edited (else always, but
    // for a new row that has no stored row yet).
    bool deleteOnlyWhileEditing;

    static const EditorProfile &monitor();
    static const EditorProfile &favourites();
};

// The editor of a list of titles in one table: "Nuovo", a click in the list,
// "Salva" and "Elimina". Rows are known by their row id, so a title that
// looks like another (a "*" in it, a duplicate) still reaches its own row.
// Each command opens the database anew; a database failure throws DbError.
class TitleEditor {
public:
    enum class State { None, NewRow, Editing };
    struct Item {
        qint64 id = 0;
        QString Titolo;
    };

    explicit TitleEditor(const EditorProfile &profile) : profile_(profile) {}
    const EditorProfile &profile() const { return profile_; }

    // The non-empty titles, ascending; no row is current afterwards.
    std::vector<Item> list();
    // A new row is pending until "Salva".
    void startNew();
    // The clicked row becomes the edited one; its title, or nothing when the
    // row is gone (then the state is unchanged).
    std::optional<QString> select(qint64 id);
    // Stores the typed text in stored form into the pending or edited row.
    // Blank text stores nothing. False when there was no row to store into:
    // none pending or edited, or the edited row is gone.
    bool save(const QString &typed);
    // Deletes the edited row; false when there was none (nothing pending or
    // edited, a new row not yet stored, or the row is gone).
    bool remove();

    State state() const { return state_; }
    qint64 currentRow() const { return row_; }
    bool deleteEnabled() const;

    // The typed text as stored: every apostrophe becomes "*".
    static QString storedForm(const QString &typed);

private:
    const EditorProfile &profile_;
    State state_ = State::None;
    qint64 row_ = 0;
};

} // namespace orv
