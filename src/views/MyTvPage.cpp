#include "views/MyTvPage.h"

#include "core/PastMidnight.h"
#include "mdi/DateNav.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "views/ProgrammeId.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// The line placeholders, by kind.
enum Kind { KId, KHour, KTitle, KChannel, KindCount };
const QLatin1String LinePrefixes[KindCount] = {QLatin1String("_TV_ID_"), QLatin1String("_TV_HOUR_DAY_"),
                                               QLatin1String("_PR_TITLE_DAY_"), QLatin1String("_TV_TV_DAY_")};

// A number without leading zero followed by "_" at i; its end in *end.
int numberAt(QStringView s, qsizetype i, qsizetype *end)
{
    qsizetype j = i;
    while (j < s.size() && j - i < 6 && s[j] >= u'0' && s[j] <= u'9')
        ++j;
    if (j == i || j >= s.size() || s[j] != u'_' || (s[i] == u'0'))
        return -1;
    *end = j + 1;
    return s.mid(i, j - i).toInt();
}

QString dateText(const QDate &d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

} // namespace

QString MyTvPage::readTemplate(const QString &path, bool *found)
{
    QByteArray bytes;
    const bool ok = QFileInfo(path).isFile() && files::readAll(path, bytes);
    if (found)
        *found = ok;
    if (!ok)
        return QString();
    QStringList lines = text::splitLinesAny(text::decode(bytes));
    if (lines.size() > ListTemplate::MaxLines)
        lines.resize(ListTemplate::MaxLines);
    QString out;
    for (const QString &l : lines)
        out += l + QLatin1String("\r\n");
    return out;
}

int MyTvPage::capacity(const QString &text)
{
    const QLatin1String marker("<!--LINES:");
    const qsizetype at = text.indexOf(marker);
    if (at >= 0) {
        const qsizetype from = at + marker.size();
        const qsizetype dash = text.indexOf(u'-', from);
        if (dash < 0)
            return 0;
        // The decimal number the text starts with, a fraction rounded.
        const double n = listing::leadingValue(text.mid(from, dash - from));
        return n > 0 ? int(std::min(std::round(n), 1e9)) : 0;
    }
    static const QRegularExpression dayOne(
        QStringLiteral("_(?:TV_ID|TV_HOUR_DAY|PR_TITLE_DAY|TV_TV_DAY)_1_([1-9]\\d{0,4})_"));
    int highest = 0;
    for (auto it = dayOne.globalMatch(text); it.hasNext();)
        highest = std::max(highest, it.next().captured(1).toInt());
    return highest;
}

MyTvPage::Result MyTvPage::build(const QString &text, const QDate &start,
                                 const std::function<std::vector<Programme>(qint32 day)> &dayRows,
                                 PageProgress *progress)
{
    Result r;
    r.capacity = capacity(text);
    // Values by (kind, day, line); only lines the template offers get one.
    QHash<quint64, QString> values;
    auto key = [](int kind, int d, int n) { return (quint64(kind) << 48) | (quint64(d) << 32) | quint64(n); };
    int count = 0;
    for (int d = 1; d <= Days; ++d) {
        const QDate day = start.addDays(d - 1);
        const std::vector<Programme> rows = dayRows(dayNumber(day.year(), day.month(), day.day()));
        int n = 0;
        for (const Programme &p : rows) {
            if (n == DayLimit) {
                r.overDayLimit = true;
                break;
            }
            ++n;
            ++count;
            if (n > r.capacity) {
                r.overCapacity = true;
            } else {
                values.insert(key(KId, d, n), programmeIdValue(p));
                values.insert(key(KHour, d, n), htmlEscape(p.ORA));
                values.insert(key(KTitle, d, n), htmlEscape(p.Titolo));
                values.insert(key(KChannel, d, n), htmlEscape(p.Palinsesto));
            }
            if (progress && !progress->step(QStringLiteral("Creazione MyTV : %1").arg(count))) {
                r.cancelled = true;
                return r;
            }
        }
    }

    // One pass: every placeholder found is replaced once; values are not scanned.
    const QStringView s(text);
    QString &out = r.html;
    out.reserve(text.size() + text.size() / 8 + 2);
    const QLatin1String dataInizio("_DATA_INIZIO_"), tday("_TDAY_"), nday("_NDAY_");
    qsizetype copied = 0;
    qsizetype i = 0;
    while ((i = s.indexOf(u'_', i)) >= 0) {
        const QStringView rest = s.mid(i);
        QString value;
        qsizetype end = -1;
        if (rest.startsWith(dataInizio)) {
            value = dateText(start);
            end = i + dataInizio.size();
        } else if (rest.startsWith(tday) || rest.startsWith(nday)) {
            qsizetype e = 0;
            const int d = numberAt(s, i + tday.size(), &e);
            if (d >= 1 && d <= Days) {
                const QDate day = start.addDays(d - 1);
                value = rest.startsWith(tday) ? dateText(day)
                                              : datenav::weekdayName(datenav::weekdayNumber(day));
                end = e;
            }
        } else {
            for (int k = 0; k < KindCount && end < 0; ++k) {
                if (!rest.startsWith(LinePrefixes[k]))
                    continue;
                qsizetype e1 = 0, e2 = 0;
                const int d = numberAt(s, i + LinePrefixes[k].size(), &e1);
                const int n = d >= 1 && d <= Days ? numberAt(s, e1, &e2) : -1;
                if (n < 1)
                    break;
                const auto it = values.constFind(key(k, d, n));
                if (it != values.constEnd()) {
                    value = *it;
                    end = e2;
                } else if (k != KId) {
                    end = e2; // an empty line
                }
            }
        }
        if (end < 0) {
            ++i;
            continue;
        }
        out += s.mid(copied, i - copied);
        out += value;
        i = copied = end;
    }
    out += s.mid(copied);
    out += QLatin1String("\r\n");
    return r;
}

} // namespace orv
