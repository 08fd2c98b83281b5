#include "views/Placeholders.h"

#include <algorithm>

namespace orv {

namespace {

bool isAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
}

bool isHex(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// Length of a character reference starting at the "&" at i, 0 when none.
qsizetype referenceLength(const QString &s, qsizetype i)
{
    qsizetype j = i + 1;
    const qsizetype n = s.size();
    if (j < n && s[j] == u'#') {
        ++j;
        const bool hex = j < n && (s[j] == u'x' || s[j] == u'X');
        if (hex)
            ++j;
        const qsizetype start = j;
        while (j < n && (hex ? isHex(s[j]) : s[j].isDigit() && s[j].unicode() < 128))
            ++j;
        return j > start && j < n && s[j] == u';' ? j - i + 1 : 0;
    }
    const qsizetype start = j;
    if (j >= n || !s[j].isLetter() || s[j].unicode() >= 128)
        return 0;
    while (j < n && isAsciiAlnum(s[j]))
        ++j;
    return j > start && j < n && s[j] == u';' ? j - i + 1 : 0;
}

} // namespace

QString htmlEscape(const QString &value)
{
    QString out;
    out.reserve(value.size() + 16);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        switch (c.unicode()) {
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        case u'\'': out += QLatin1String("&#39;"); break;
        case u'&': {
            const qsizetype len = referenceLength(value, i);
            if (len > 0) {
                out += QStringView(value).mid(i, len);
                i += len - 1;
            } else {
                out += QLatin1String("&amp;");
            }
            break;
        }
        default: out += c;
        }
    }
    return out;
}

void Placeholders::set(const QString &name, const QString &value)
{
    for (Entry &e : entries_)
        if (e.name == name) {
            e.value = value;
            return;
        }
    Entry e{name, value};
    auto at = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry &x) { return x.name.size() < name.size(); });
    entries_.insert(at, std::move(e));
}

QString Placeholders::fill(QStringView text) const
{
    QString out;
    fillInto(text, out);
    return out;
}

void Placeholders::fillInto(QStringView text, QString &out) const
{
    out.reserve(out.size() + text.size() + text.size() / 4);
    // Only the first characters of the names can start a match.
    QString firsts;
    for (const Entry &e : entries_)
        if (!e.name.isEmpty() && !firsts.contains(e.name[0]))
            firsts += e.name[0];
    const qsizetype n = text.size();
    qsizetype copied = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (!firsts.contains(c)) {
            ++i;
            continue;
        }
        const Entry *hit = nullptr;
        for (const Entry &e : entries_)
            if (e.name[0] == c && text.mid(i).startsWith(e.name)) {
                hit = &e;
                break;
            }
        if (!hit) {
            ++i;
            continue;
        }
        out += text.mid(copied, i - copied);
        out += hit->value;
        i += hit->name.size();
        copied = i;
    }
    out += text.mid(copied);
}

} // namespace orv
