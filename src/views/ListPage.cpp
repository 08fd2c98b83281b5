#include "views/ListPage.h"

#include "platform/Files.h"
#include "views/ProgrammeId.h"

#include <QDir>
#include <QUrl>

namespace orv {

namespace {

QString orFiller(const QString &value, const char *filler)
{
    return value.isEmpty() ? QString::fromLatin1(filler) : htmlEscape(value);
}

const QString Transparent = QStringLiteral("htmlcards/trasparente.gif");

} // namespace

QString ListPageBuilder::dayText(qint32 day)
{
    const QString d = orv::dayText(day);
    if (d.size() != 8)
        return QString();
    return d.mid(6, 2) + u'/' + d.mid(4, 2) + u'/' + d.left(4);
}

QString ListPageBuilder::icon(const QString &state, const char *picture)
{
    return state == QLatin1String("1") ? QStringLiteral("htmlcards/") + QLatin1String(picture) : Transparent;
}

QString ListPageBuilder::cover(const QString &immagine)
{
    if (immagine.isEmpty() || !files::isPlainFileName(immagine))
        return QStringLiteral("covers/none.jpg");
    return QStringLiteral("covers/") + QString::fromLatin1(QUrl::toPercentEncoding(immagine));
}

void ListPageBuilder::setHead(const QString &title, const QString &today, const QString &logo)
{
    head_.clear();
    head_.set(QStringLiteral("_TV_TITLE_"), htmlEscape(title));
    head_.set(QStringLiteral("_TV_TODAY_"), htmlEscape(today));
    if (kind_ == ListKind::Card)
        head_.set(QStringLiteral("_LOGO_TV_"), htmlEscape(logo));
}

namespace {

const char *const RowNames[] = {"_PR_DATE_",        "_TV_HOUR_",     "_PR_TITLE_",     "_TV_TITLE_",
                                "_TV_TODAY_",       "_PR_TIPO_",     "_TV_ID_",        "<!--BEGIN_LINK_FLAG-->",
                                "<!--END_LINK_FLAG-->", "_TV_DESCRIPTION_", "_TV_WEBLINK_", "_TV_TYPE_",
                                "_PR_TV_",          "_TV_ICONA1_",   "_TV_ICONA2_",    "_TV_ICONA3_"};
// The card's and the search page's descriptions leave _PR_TV_ alone.
const char *const DescriptionNames[] = {"_TV_HOUR_",   "_PR_TITLE_",   "<!--NAME_FLAG-->", "_TV_TITLE_",
                                        "_TV_TODAY_",  "_PR_TIPO_",    "_TV_ID_",          "_TV_DESCRIPTION_",
                                        "_TV_WEBLINK_", "_TV_TYPE_",   "_TV_COVER_",       "_TV_ICONA1_",
                                        "_TV_ICONA2_", "_TV_ICONA3_",  "_PR_TV_"};

} // namespace

void ListPageBuilder::prepareSlots()
{
    if (!rowSlots_.empty())
        return;
    for (const char *n : RowNames)
        rowSlots_.push_back(row_.slot(QLatin1String(n)));
    const int names = kind_ == ListKind::Report ? 15 : 14;
    for (int i = 0; i < names; ++i)
        descriptionSlots_.push_back(description_.slot(QLatin1String(DescriptionNames[i])));
}

void ListPageBuilder::fillRow(const Programme &p, int position, QString &out)
{
    const bool described = !p.Descrizione.isEmpty();
    const QString day = dayText(p.Data);
    const QString values[] = {
        day,
        htmlEscape(p.ORA),
        htmlEscape(p.Titolo),
        htmlEscape(p.Palinsesto),
        day,
        orFiller(p.Type, " "),
        programmeIdValue(p),
        described ? QStringLiteral("<a href='#p%1'>").arg(position) : QStringLiteral("<!---->"),
        described ? QStringLiteral("</a>") : QStringLiteral("<!---->"),
        orFiller(p.Descrizione, "<!----->"),
        orFiller(p.link, "<!----->"),
        orFiller(p.Type, "<!------>"),
        orFiller(p.Palinsesto, " "),
        icon(p.Marked, "lente.gif"),
        icon(p.Promemoria, "postit.gif"),
        icon(p.Registra, "registra.gif"),
    };
    for (size_t k = 0; k < rowSlots_.size(); ++k)
        row_.setAt(rowSlots_[k], values[k]);
    row_.fillInto(t_.row, out);
}

void ListPageBuilder::fillDescription(const Programme &p, int position, QString &out)
{
    const QString day = dayText(p.Data);
    const QString values[] = {
        htmlEscape(p.ORA),
        htmlEscape(p.Titolo),
        QStringLiteral("p%1").arg(position),
        htmlEscape(p.Palinsesto),
        day,
        orFiller(p.Type, " "),
        programmeIdValue(p),
        orFiller(p.Descrizione, "<!----->"),
        orFiller(p.link, "<!----->"),
        orFiller(p.Type, "<!------>"),
        cover(p.Immagine),
        icon(p.Marked, "lente.gif"),
        icon(p.Promemoria, "postit.gif"),
        icon(p.Registra, "registra.gif"),
        orFiller(p.Palinsesto, " "),
    };
    for (size_t k = 0; k < descriptionSlots_.size(); ++k)
        description_.setAt(descriptionSlots_[k], values[k]);
    description_.fillInto(t_.description, out);
}

ListPageResult ListPageBuilder::build(const std::vector<Programme> &rows, int limit, PageProgress *progress,
                                      const QString &rowsLabel)
{
    ListPageResult r;
    prepareSlots();
    const int shown = int(std::min<size_t>(rows.size(), size_t(limit)));
    r.overLimit = rows.size() > size_t(limit);
    r.rows = shown;

    // The page grows in place, part after part.
    const QLatin1String crlf("\r\n");
    QString &html = r.html;
    html.reserve(t_.head.size() + t_.middle.size() + t_.tail.size() +
                 qsizetype(t_.row.size() + t_.description.size() + 256) * (shown + 1));
    head_.fillInto(t_.head, html);
    html += crlf;
    for (int i = 0; i < shown; ++i) {
        fillRow(rows[size_t(i)], i + 1, html);
        if (progress && !progress->step(rowsLabel + QString::number(i + 1))) {
            r = ListPageResult{QString(), shown, r.overLimit, true};
            return r;
        }
    }
    html += crlf;
    html += t_.middle;
    html += crlf;
    for (int i = 0; i < shown; ++i) {
        const Programme &p = rows[size_t(i)];
        if (p.Descrizione.isEmpty())
            continue;
        if (progress && !progress->step(QStringLiteral("Creazione Link : %1/%2").arg(i).arg(shown))) {
            r = ListPageResult{QString(), shown, r.overLimit, true};
            return r;
        }
        fillDescription(p, i + 1, html);
    }
    html += crlf;
    html += t_.tail;
    html += crlf;
    return r;
}

bool writeListPage(const QString &path, const QString &html, QString *error)
{
    QByteArray bytes("\xEF\xBB\xBF");
    bytes += html.toUtf8();
    return files::writeAtomically(path, bytes, error);
}

QStringList templateChoices(const QString &folder)
{
    QStringList out;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
            out << name;
    return out;
}

} // namespace orv
