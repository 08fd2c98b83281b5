#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace orv {

// HTML escaping of a value: < > " ' and every & that does not start a
// character reference (&egrave; &#233; &#xE9;), so stored entities survive.
QString htmlEscape(const QString &value);

// A set of placeholders with their values, filled into a text in one pass:
// at each place the longest placeholder that matches wins, and an inserted
// value is never scanned again (a title "_TV_TITLE_" stays as typed).
// Matching is exact and case-sensitive; every occurrence is replaced.
class Placeholders {
public:
    void clear()
    {
        entries_.clear();
        order_.clear();
        std::fill(std::begin(starts_), std::end(starts_), false);
    }
    // Later set() of the same name replaces the value.
    void set(const QString &name, const QString &value);
    // The slot of a name (added when new), for setting values row by row.
    int slot(const QString &name);
    void setAt(int slot, const QString &value) { entries_[size_t(slot)].value = value; }
    QString fill(QStringView text) const;
    void fillInto(QStringView text, QString &out) const;

private:
    struct Entry {
        QString name;
        QString value;
    };
    std::vector<Entry> entries_; // in the order added
    std::vector<int> order_;     // longest name first
    // Which characters below 128 start a name (the names are ASCII markup).
    bool starts_[128] = {};
};

} // namespace orv
