#pragma once

#include <QString>
#include <QStringView>
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
    void clear() { entries_.clear(); }
    // Later set() of the same name replaces the value.
    void set(const QString &name, const QString &value);
    QString fill(QStringView text) const;
    void fillInto(QStringView text, QString &out) const;

private:
    struct Entry {
        QString name;
        QString value;
    };
    std::vector<Entry> entries_; // longest name first
};

} // namespace orv
