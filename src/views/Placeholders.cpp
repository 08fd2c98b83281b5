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
    bool plain = true;
    for (QChar c : value)
        plain = plain && c != u'<' && c != u'>' && c != u'"' && c != u'\'' && c != u'&';
    if (plain)
        return value;
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

int Placeholders::slot(const QString &name)
{
    for (size_t k = 0; k < entries_.size(); ++k)
        if (entries_[k].name == name)
            return int(k);
    const int k = int(entries_.size());
    entries_.push_back(Entry{name, QString()});
    if (name.isEmpty() || name[0].unicode() >= 128)
        return k; // never matches
    starts_[name[0].unicode()] = true;
    auto at = std::find_if(order_.begin(), order_.end(),
                           [&](int x) { return entries_[size_t(x)].name.size() < name.size(); });
    order_.insert(at, k);
    return k;
}

void Placeholders::set(const QString &name, const QString &value) { setAt(slot(name), value); }

QString Placeholders::fill(QStringView text) const
{
    QString out;
    fillInto(text, out);
    return out;
}

void Placeholders::fillInto(QStringView text, QString &out) const
{
    out.reserve(out.size() + text.size() + text.size() / 4);
    const char16_t *s = text.utf16();
    const qsizetype n = text.size();
    qsizetype copied = 0;
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = s[i];
        if (c >= 128 || !starts_[c]) {
            ++i;
            continue;
        }
        const Entry *hit = nullptr;
        const QStringView rest = text.mid(i);
        for (int k : order_) {
            const Entry &e = entries_[size_t(k)];
            if (e.name[0] == c && rest.startsWith(e.name)) {
                hit = &e;
                break;
            }
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
