#include "views/ListTemplate.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <QFileInfo>

namespace orv {

ListTemplate ListTemplate::parse(const QString &text)
{
    ListTemplate t;
    static const QString markers[] = {QStringLiteral("<!--END_HEAD-->"), QStringLiteral("<!--END_BODY-->"),
                                      QStringLiteral("<!--BEGIN_DESCRIPTION-->"),
                                      QStringLiteral("<!--END_DESCRIPTION-->")};
    QString *parts[] = {&t.head, &t.row, &t.middle, &t.description, &t.tail};
    const QStringList lines = text::splitLinesAny(text);
    int part = 0;
    int kept = 0;
    for (const QString &line : lines) {
        if (kept >= MaxLines)
            break;
        if (part < 4 && line.contains(markers[part])) {
            ++part;
            continue;
        }
        parts[part]->append(line);
        parts[part]->append(QLatin1String("\r\n"));
        ++kept;
    }
    return t;
}

ListTemplate ListTemplate::parse(const QByteArray &bytes) { return parse(text::decode(bytes)); }

bool ListTemplate::read(const QString &path, ListTemplate &out)
{
    out = ListTemplate();
    QByteArray bytes;
    if (!QFileInfo(path).isFile() || !files::readAll(path, bytes))
        return false;
    out = parse(bytes);
    return true;
}

} // namespace orv
