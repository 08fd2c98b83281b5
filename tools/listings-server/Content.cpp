#include "Content.h"

#include "Guide.h"

#include <QStringEncoder>

namespace listings {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString dayDigits(const QDate &day) { return day.toString(QStringLiteral("yyyyMMdd")); }

QString detailUrl(const QString &base, int code, const QDate &day, int number)
{
    return QStringLiteral("%1/web/scheda/%2/%3-%4.htm").arg(base).arg(code).arg(dayDigits(day)).arg(number);
}

// Texts are plain words; pages escape only what would break the markup the
// scripts look for.
QString html(QString text)
{
    return text.replace(QLatin1Char('<'), QStringLiteral("&lt;")).replace(QLatin1Char('>'), QStringLiteral("&gt;"));
}

QString italianDate(const QDate &day) { return day.toString(QStringLiteral("dd/MM/yyyy")); }

} // namespace

QByteArray cp1252(const QString &text)
{
    QStringEncoder encoder("windows-1252");
    return encoder.encode(text);
}

QByteArray checkFile(const Channel &channel)
{
    // The first item decides the mode: "S" script, anything else day files.
    QString mode = channel.scripted ? QStringLiteral("S") : QStringLiteral("D");
    return cp1252(mode + QStringLiteral(",%1,%2").arg(channel.code).arg(channel.name) + crlf);
}

QByteArray dayFile(const Channel &channel, const QDate &day, const QString &base)
{
    QString out;
    for (const Programme &p : daySchedule(channel, day)) {
        QStringList fields = {p.startText(), QString::number(p.duration), p.type, p.genre, p.title, p.title2,
                              p.description.join(QStringLiteral(" \u00A6 ")),
                              p.hasPage ? detailUrl(base, channel.code, day, p.number) : QString(),
                              p.origin, QString()};
        for (const QString &f : fields)
            out += f + QStringLiteral("\u00A7");
        out += crlf;
    }
    return cp1252(out);
}

QByteArray la7Page(const QDate &day, const QString &base)
{
    const Channel &la7 = *channelByCode(107);
    QString out = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"windows-1252\">\n"
                                 "<title>La7 - Guida TV del %1</title>\n</head>\n<body>\n"
                                 "<div id=\"testata\"><h1>La7</h1><h2>Guida TV di %1</h2></div>\n"
                                 "<ul class=\"palinsesto\">\n")
                      .arg(italianDate(day));
    for (const Programme &p : daySchedule(la7, day))
        out += QStringLiteral("<li class=\"prog\"><b>%1</b><i>%2</i><a href=\"%3\">%4</a><p>%5</p></li>\n")
                   .arg(p.startText(), html(p.type), detailUrl(base, la7.code, day, p.number), html(p.title),
                        html(p.description.join(QLatin1Char(' '))));
    out += QStringLiteral("<li class=\"fine\">Fine della programmazione</li>\n</ul>\n"
                          "<div id=\"piede\">La7 &copy; Tutti i diritti riservati</div>\n</body>\n</html>\n");
    return cp1252(out);
}

QByteArray gulpPage(const QDate &day, const QString &base)
{
    const Channel &gulp = *channelByCode(502);
    QString out = QStringLiteral("<html>\r\n<head><title>Rai Gulp - %1</title></head>\r\n<body>\r\n"
                                 "<h1>I programmi di oggi</h1>\r\n<table class=\"guida\">\r\n")
                      .arg(italianDate(day));
    for (const Programme &p : daySchedule(gulp, day)) {
        QString time = p.startText().replace(QLatin1Char(':'), QLatin1Char('.'));
        out += QStringLiteral("<tr><td class=\"ora\">%1</td><td class=\"titolo\">%2</td>"
                              "<td class=\"genere\">%3</td></tr>\r\n")
                   .arg(time, html(p.title), html(p.type));
        out += QStringLiteral("<tr><td class=\"descr\" colspan=\"3\">%1</td><td class=\"scheda\">"
                              "<a href=\"%2\">scheda</a></td></tr>\r\n")
                   .arg(html(p.description.join(QLatin1Char(' '))), detailUrl(base, gulp.code, day, p.number));
    }
    out += QStringLiteral("<tr class=\"fine\"><td colspan=\"3\">Fine dei programmi</td></tr>\r\n"
                          "</table>\r\n</body>\r\n</html>\r\n");
    return cp1252(out);
}

QByteArray detailPage(const Channel &channel, const QDate &day, int number, const QString &base)
{
    const auto schedule = daySchedule(channel, day);
    if (number < 1 || number > int(schedule.size()))
        return {};
    const Programme &p = schedule[size_t(number - 1)];
    const QString code = QStringLiteral("%1-%2-%3").arg(channel.code).arg(dayDigits(day)).arg(number);
    QString out = QStringLiteral("<html>\n<head><title>%1 - %2</title></head>\n<body>\n").arg(html(p.title), channel.name);
    out += QStringLiteral("<div class=\"scheda\">\n");
    out += QStringLiteral("<span class=\"codice\">%1</span>\n").arg(code);
    out += QStringLiteral("<h1 class=\"titolo\">%1</h1>\n").arg(html(p.title));
    if (!p.title2.isEmpty())
        out += QStringLiteral("<h2 class=\"titolo2\">%1</h2>\n").arg(html(p.title2));
    out += QStringLiteral("<div class=\"orario\">%1 - %2 minuti</div>\n").arg(p.startText()).arg(p.duration);
    out += QStringLiteral("<div class=\"genere\">%1 <i>%2</i></div>\n").arg(html(p.type), html(p.genre));
    out += QStringLiteral("<img class=\"locandina\" src=\"%1/web/img/%2/%3-%4.jpg\" alt=\"locandina\">\n")
               .arg(base).arg(channel.code).arg(dayDigits(day)).arg(number);
    QStringList lines;
    for (const QString &line : p.description)
        lines << html(line);
    out += QStringLiteral("<div class=\"trama\"><b>Trama:</b> %1</div>\n").arg(lines.join(QStringLiteral("<br>")));
    if (!p.origin.isEmpty())
        out += QStringLiteral("<div class=\"origine\">%1</div>\n").arg(p.origin);
    out += QStringLiteral("</div>\n</body>\n</html>\n");
    return cp1252(out);
}

QByteArray scriptFile(const Channel &channel, const QString &base)
{
    QStringList lines;
    if (channel.code == 107) {
        lines = {
            "Orvento - La7 - guida dei programmi dal sito del canale",
            "#SCRIPTGENERATION#=1",
            "#REPLACESPACES#=%20",
            "#WEBQUERY#=" + base + "/web/la7/guida.htm?giorno=#DAY#&mese=#MONTH#&anno=#LONGYEAR#",
            "#DOWNLOADINFO#",
            "#PUT#=prog#30#",
            "#PUT#=1#35#",
            "#PUT#=#36#",
            "#FINDLINE#=<title>#01##ONERROR#=*STOP*",
            "#STARTREADWEB#",
            "#RESETCURSOR#",
            "#FINDLINE#=<ul class=\"palinsesto\">#01##ONERROR#=*STOP*",
            "#FINDLINE#=<li class=\"#01##ONERROR#=*STOP*",
            "#PUT#=fine#32#",
            "#FIND#=class=\"#02#",
            "#COMPUTECURSOR#=6",
            "#PUTCURSOR#=#03#",
            "#COMPUTECURSOR#=1",
            "#FIND#=\"#04#",
            "#TAKEWORD#=#32##03##04#",
            "#REPEAT#",
            "#FIND#=<b>#05#",
            "#COMPUTECURSOR#=2",
            "#PUTCURSOR#=#06#",
            "#FIND#=</b>#07#",
            "#TAKEWORD#=#08##06##07#",
            "#TAKEHOUR#=#08#",
            "#FIND#=<i>#05#",
            "#COMPUTECURSOR#=2",
            "#PUTCURSOR#=#06#",
            "#FIND#=</i>#07#",
            "#TAKEWORD#=#09##06##07#",
            "#TAKETYPE#=#09#",
            "#FIND#=href=\"#05#",
            "#COMPUTECURSOR#=5",
            "#PUTCURSOR#=#06#",
            "#COMPUTECURSOR#=1",
            "#FIND#=\"#07#",
            "#TAKEWORD#=#10##06##07#",
            "#TAKELINK#=#10#",
            "#COMPUTECURSOR#=1",
            "#PUTCURSOR#=#06#",
            "#FIND#=</a>#07#",
            "#TAKEWORD#=#11##06##07#",
            "#TAKETITLE#=#11#",
            "#FIND#=<p>#05#",
            "#COMPUTECURSOR#=2",
            "#PUTCURSOR#=#06#",
            "#FIND#=</p>#07#",
            "#TAKEWORD#=#12##06##07#",
            "#PUT#=#17#",
            "Film, serie e documentari hanno una scheda con il codice, la locandina e la trama completa.",
            "#STARTGODEEP#",
            "#OPENNEWWEB#=#10#",
            "#FINDLINE#=<span class=\"codice\">#13#",
            "#IF#=#13##35#==",
            "#FIND#=\">#14#",
            "#COMPUTECURSOR#=1",
            "#PUTCURSOR#=#15#",
            "#FIND#=</span>#16#",
            "#TAKEWORD#=#19##15##16#",
            "#TAKECODE#=#19#",
            "#ENDIF#",
            "#FINDLINE#=class=\"locandina\"#13#",
            "#IF#=#13##35#==",
            "#FIND#=src=\"#14#",
            "#COMPUTECURSOR#=4",
            "#PUTCURSOR#=#15#",
            "#COMPUTECURSOR#=1",
            "#FIND#=\"#16#",
            "#TAKEWORD#=#19##15##16#",
            "#TAKEPOSTER##19#",
            "#ENDIF#",
            "#FINDLINE#=<div class=\"trama\">#13#",
            "#IF#=#13##35#==",
            "#FIND#=</b>#14#",
            "#COMPUTECURSOR#=3",
            "#PUTCURSOR#=#15#",
            "#FIND#=</div>#16#",
            "#TAKEWORD#=#17##15##16#",
            "#CHECKVARIABLE#=#17#",
            "#STARTDELETETAGS#",
            "#STARTSUBSTITUTETAGS#",
            "#ENDIF#",
            "#RESTOREWEB#",
            "#ENDGODEEP#",
            "#IF#=#17##36#==",
            "#STRING#=#17#=#12#",
            "#ENDIF#",
            "#TAKECOMMENTS#=#17#",
            "#SAVEDATA#",
            "#FINDLINE#=<li class=\"#01##ONERROR#=*STOP*",
            "#PUT#=fine#32#",
            "#FIND#=class=\"#02#",
            "#COMPUTECURSOR#=6",
            "#PUTCURSOR#=#03#",
            "#COMPUTECURSOR#=1",
            "#FIND#=\"#04#",
            "#TAKEWORD#=#32##03##04#",
            "#WHILE#=#32##30#==",
            "#ENDDOWNLOADINFO#",
            "#COMMENTS#",
            "Una riga per programma nella lista della pagina; la lista finisce con la voce di chiusura.",
            "#PUT#=completa#33#",
            "#RESETCURSOR#",
            "#FINDLINE#=Fine della programmazione#01#",
            "#IF#=#01##35#==",
            "#GOTO#=verificata",
            "#ENDIF#",
            "#PUT#=incompleta#33#",
            "verificata:",
            "#SETCURSOR#=1",
            "#ENDCOMMENTS#",
            "Schede: i tag da togliere e le entita' da sostituire nella trama.",
            "#DELETETAGS#",
            "#TAG#=<br>",
            "#TAG#=<i>",
            "#TAG#=</i>",
            "#ENDDELETETAGS#",
            "#SUBSTITUTETAGS#",
            "=&amp;=&",
            "=&lt;=<",
            "=&gt;=>",
            "=&quot;=\"",
            "#ENDSUBSTITUTETAGS#",
        };
    } else if (channel.code == 502) {
        lines = {
            "Orvento - Rai Gulp - programmi per ragazzi",
            "#SCRIPTGENERATION#=2",
            "#WEBQUERY#=" + base + "/web/gulp/#LONGYEAR##MONTH##DAY#.html",
            "#DOWNLOADINFO#",
            "#PUT#=<tr>#30#",
            "#PUT#=0#41#",
            "#PUT#=4#42#",
            "#PUT#=2#40#",
            "#FINDLINE#=<table class=\"guida\">#01##ONERROR#=*STOP*",
            "#READNEXTLINE#",
            "#PUT#=fine#31#",
            "#TAKEWORDLEN#=#31##41##42#",
            "#REPEAT#",
            "#FIND#=<td class=\"ora\">#05#",
            "#COMPUTECURSOR#=15",
            "#PUTCURSOR#=#06#",
            "#TAKEWORDLEN#=#18##06##40#",
            "#COMPUTECURSOR#=3",
            "#PUTCURSOR#=#06#",
            "#TAKEWORDLEN#=#19##06##40#",
            "#STRING#=#20#=#18#:#19#",
            "#TAKEHOUR#=#20#",
            "#FIND#=<td class=\"titolo\">#05#",
            "#COMPUTECURSOR#=18",
            "#PUTCURSOR#=#06#",
            "#FIND#=</td>#07#",
            "#TAKEWORD#=#21##06##07#",
            "#TITLE#=#21#",
            "#FIND#=<td class=\"genere\">#05#",
            "#COMPUTECURSOR#=18",
            "#PUTCURSOR#=#06#",
            "#FIND#=</td>#07#",
            "#TAKEWORD#=#22##06##07#",
            "#TAKETYPE#=#22#",
            "#READNEXTLINE#",
            "#FIND#=colspan=\"3\">#05#",
            "#COMPUTECURSOR#=11",
            "#PUTCURSOR#=#06#",
            "#FIND#=</td>#07#",
            "#TAKEWORD#=#23##06##07#",
            "#TAKECOMMENTS#=#23#",
            "#SAVEDATA#",
            "#READNEXTLINE#",
            "#PUT#=fine#31#",
            "#TAKEWORDLEN#=#31##41##42#",
            "#WHILE#=#31##30#==",
            "#ENDDOWNLOADINFO#",
            "#COMMENTS#",
            "Ogni programma occupa due righe della tabella: orario, titolo e genere, poi la descrizione.",
            "#ENDCOMMENTS#",
        };
    } else {
        return {};
    }
    return cp1252(lines.join(crlf) + crlf);
}

namespace {

struct HighlightTopic {
    const char *prefix;
    const char *heading;
    QStringList types;
    int from, to; // start times worth a mention, in minutes
};

const std::vector<HighlightTopic> &topics()
{
    static const std::vector<HighlightTopic> t = {
        {"film_settimana", "I film della settimana", {"Film"}, 20 * 60, 23 * 60 + 30},
        {"serie_settimana", "Serie e miniserie da non perdere", {"Telefilm", "Miniserie"}, 20 * 60, 23 * 60 + 30},
        {"sport_settimana", "Lo sport in TV", {"Sport"}, 12 * 60, 23 * 60},
        {"documentari_settimana", "Documentari: natura, storia & scienza", {"Documentario"}, 14 * 60, 23 * 60 + 30},
        {"ragazzi_settimana", "Per i più giovani", {"Cartoni Animati", "Programmi per ragazzi"}, 14 * 60, 19 * 60},
    };
    return t;
}

QString weekTag(const QDate &today)
{
    int year = 0;
    int week = today.weekNumber(&year);
    return QStringLiteral("%1_%2").arg(year).arg(week, 2, 10, QLatin1Char('0'));
}

} // namespace

QStringList highlightNames(const QDate &today)
{
    QStringList names;
    for (const HighlightTopic &t : topics())
        names << QStringLiteral("%1_%2.htm").arg(QLatin1String(t.prefix), weekTag(today));
    names << QStringLiteral("stasera_%1.htm").arg(dayDigits(today));
    return names;
}

QByteArray highlightList(const QDate &today) { return cp1252(highlightNames(today).join(crlf) + crlf); }

QByteArray highlightPage(const QString &name, const QDate &today, const QString &base)
{
    const QStringList names = highlightNames(today);
    const int index = int(names.indexOf(name));
    if (index < 0)
        return {};
    const bool tonight = index == int(topics().size());
    const QString heading = tonight ? QStringLiteral("Stasera in TV - %1").arg(italianDate(today))
                                    : QString::fromUtf8(topics()[size_t(index)].heading);
    QString out = QStringLiteral("<html>\r\n<head><meta charset=\"windows-1252\"><title>%1</title></head>\r\n"
                                 "<body style=\"font-family: sans-serif\">\r\n<h1>%1</h1>\r\n<ul>\r\n")
                      .arg(html(heading));
    int count = 0;
    const int days = tonight ? 1 : 7;
    for (int d = 0; d < days && count < 24; ++d) {
        const QDate day = today.addDays(d);
        // Spread a week's picks over its days.
        const int dayLimit = tonight ? 24 : count + 4;
        for (const Channel &c : channels()) {
            if (count >= dayLimit)
                break;
            for (const Programme &p : daySchedule(c, day)) {
                const bool prime = p.start >= 20 * 60 + 30 && p.start < 22 * 60;
                const HighlightTopic *topic = tonight ? nullptr : &topics()[size_t(index)];
                const bool wanted = tonight ? prime
                                            : topic->types.contains(p.type) && p.start >= topic->from && p.start < topic->to;
                if (!wanted || count >= 24)
                    continue;
                out += QStringLiteral("<li><b>%1 %2</b> - %3: <a href=\"%4\">%5</a> <i>(%6)</i><br>%7</li>\r\n")
                           .arg(italianDate(day), p.startText(), html(c.name), detailUrl(base, c.code, day, p.number),
                                html(p.title), html(p.type), html(p.description.join(QLatin1Char(' '))));
                ++count;
                break; // one pick per channel and day
            }
        }
    }
    out += QStringLiteral("</ul>\r\n</body>\r\n</html>\r\n");
    return cp1252(out);
}

QString channelFileName(const Channel &channel)
{
    // "Documentari & Co." must not give a name with "..".
    QString name = channel.name;
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name + QStringLiteral(".txt");
}

QByteArray channelList()
{
    QString out;
    for (const Channel &c : channels())
        out += channelFileName(c) + crlf;
    return cp1252(out);
}

QByteArray channelFile(const Channel &channel)
{
    QString out = QStringLiteral("IDTV=%1\r\nNomeTV=%2\r\nDescrizione=%3\r\nANTENNA=%4\r\nCanale=%5\r\n")
                      .arg(channel.code)
                      .arg(channel.name, channel.description)
                      .arg(channel.group)
                      .arg(channel.number);
    return cp1252(out);
}

QByteArray productPage(const QString &release)
{
    QString out = QStringLiteral(
        "<html>\r\n<head><meta charset=\"windows-1252\"><title>Orvento - Guida TV</title></head>\r\n<body>\r\n"
        "<h1>Orvento</h1>\r\n<p>La guida ai programmi TV e radio sul tuo computer.</p>\r\n"
        "<p>Ultima versione disponibile: <b>%1</b>.</p>\r\n"
        "<p>Scarica l'aggiornamento e installalo sopra la versione che già usi: i tuoi preferiti e le tue "
        "impostazioni restano dove sono.</p>\r\n</body>\r\n</html>\r\n")
                      .arg(html(release));
    return cp1252(out);
}

} // namespace listings
