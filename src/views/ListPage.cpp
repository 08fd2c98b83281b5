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

void ListPageBuilder::fillRow(const Programme &p, int position, QString &out)
{
    const bool described = !p.Descrizione.isEmpty();
    const QString day = dayText(p.Data);
    Placeholders &f = row_;
    f.set(QStringLiteral("_PR_DATE_"), day);
    f.set(QStringLiteral("_TV_HOUR_"), htmlEscape(p.ORA));
    f.set(QStringLiteral("_PR_TITLE_"), htmlEscape(p.Titolo));
    f.set(QStringLiteral("_TV_TITLE_"), htmlEscape(p.Palinsesto));
    f.set(QStringLiteral("_TV_TODAY_"), day);
    f.set(QStringLiteral("_PR_TIPO_"), orFiller(p.Type, " "));
    f.set(QStringLiteral("_TV_ID_"), u'\'' + htmlEscape(programmeIdText(p)) + u'\'');
    f.set(QStringLiteral("<!--BEGIN_LINK_FLAG-->"),
          described ? QStringLiteral("<a href='#p%1'>").arg(position) : QStringLiteral("<!---->"));
    f.set(QStringLiteral("<!--END_LINK_FLAG-->"), described ? QStringLiteral("</a>") : QStringLiteral("<!---->"));
    f.set(QStringLiteral("_TV_DESCRIPTION_"), orFiller(p.Descrizione, "<!----->"));
    f.set(QStringLiteral("_TV_WEBLINK_"), orFiller(p.link, "<!----->"));
    f.set(QStringLiteral("_TV_TYPE_"), orFiller(p.Type, "<!------>"));
    f.set(QStringLiteral("_PR_TV_"), orFiller(p.Palinsesto, " "));
    f.set(QStringLiteral("_TV_ICONA1_"), icon(p.Marked, "lente.gif"));
    f.set(QStringLiteral("_TV_ICONA2_"), icon(p.Promemoria, "postit.gif"));
    f.set(QStringLiteral("_TV_ICONA3_"), icon(p.Registra, "registra.gif"));
    f.fillInto(t_.row, out);
}

void ListPageBuilder::fillDescription(const Programme &p, int position, QString &out)
{
    const QString day = dayText(p.Data);
    Placeholders &f = description_;
    f.set(QStringLiteral("_TV_HOUR_"), htmlEscape(p.ORA));
    f.set(QStringLiteral("_PR_TITLE_"), htmlEscape(p.Titolo));
    f.set(QStringLiteral("<!--NAME_FLAG-->"), QStringLiteral("p%1").arg(position));
    f.set(QStringLiteral("_TV_TITLE_"), htmlEscape(p.Palinsesto));
    f.set(QStringLiteral("_TV_TODAY_"), day);
    f.set(QStringLiteral("_PR_TIPO_"), orFiller(p.Type, " "));
    f.set(QStringLiteral("_TV_ID_"), u'\'' + htmlEscape(programmeIdText(p)) + u'\'');
    f.set(QStringLiteral("_TV_DESCRIPTION_"), orFiller(p.Descrizione, "<!----->"));
    if (kind_ == ListKind::Report)
        f.set(QStringLiteral("_PR_TV_"), orFiller(p.Palinsesto, " "));
    f.set(QStringLiteral("_TV_WEBLINK_"), orFiller(p.link, "<!----->"));
    f.set(QStringLiteral("_TV_TYPE_"), orFiller(p.Type, "<!------>"));
    f.set(QStringLiteral("_TV_COVER_"), cover(p.Immagine));
    f.set(QStringLiteral("_TV_ICONA1_"), icon(p.Marked, "lente.gif"));
    f.set(QStringLiteral("_TV_ICONA2_"), icon(p.Promemoria, "postit.gif"));
    f.set(QStringLiteral("_TV_ICONA3_"), icon(p.Registra, "registra.gif"));
    f.fillInto(t_.description, out);
}

ListPageResult ListPageBuilder::build(const std::vector<Programme> &rows, int limit, PageProgress *progress,
                                      const QString &rowsLabel)
{
    ListPageResult r;
    const int shown = int(std::min<size_t>(rows.size(), size_t(limit)));
    r.overLimit = rows.size() > size_t(limit);
    r.rows = shown;

    QString rowsText;
    rowsText.reserve(qsizetype(t_.row.size() + 64) * shown);
    for (int i = 0; i < shown; ++i) {
        fillRow(rows[size_t(i)], i + 1, rowsText);
        if (progress && !progress->step(rowsLabel + QString::number(i + 1))) {
            r.cancelled = true;
            return r;
        }
    }
    QString descriptions;
    for (int i = 0; i < shown; ++i) {
        const Programme &p = rows[size_t(i)];
        if (p.Descrizione.isEmpty())
            continue;
        if (progress &&
            !progress->step(QStringLiteral("Creazione Link : %1/%2").arg(i).arg(shown))) {
            r.cancelled = true;
            return r;
        }
        fillDescription(p, i + 1, descriptions);
    }

    const QLatin1String crlf("\r\n");
    QString &html = r.html;
    html.reserve(t_.head.size() + rowsText.size() + t_.middle.size() + descriptions.size() + t_.tail.size() + 16);
    head_.fillInto(t_.head, html);
    html += crlf;
    html += rowsText;
    html += crlf;
    html += t_.middle;
    html += crlf;
    html += descriptions;
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
