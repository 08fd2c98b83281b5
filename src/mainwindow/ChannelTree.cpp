#include "mainwindow/ChannelTree.h"

#include "core/ChannelOrder.h"
#include "platform/Database.h"

namespace orv::channeltree {

std::optional<QString> nodeImage(const std::optional<qint64> &antenna, int filter)
{
    if (!antenna)
        return std::nullopt;
    qint64 g = *antenna;
    if (filter == 0) {
        // Unknown groups (0, above 7) are shown as satellite channels.
        if (g == 0 || g > 7)
            g = 1;
        if (g < 1)
            return std::nullopt;
        return ChannelOrder::groupImageKey(int(g));
    }
    if (g != filter)
        return std::nullopt;
    return ChannelOrder::groupImageKey(int(g));
}

std::vector<Row> readRows(Database &db)
{
    Statement st = db.prepare(QStringLiteral(
        "select NOMETV, ANTENNA from Televisioni where Attivo <> 0 and Visualizzare <> 0 order by Posizione asc"));
    std::vector<Row> rows;
    while (st.next()) {
        Row r;
        r.name = st.text(QStringLiteral("NOMETV"));
        // An empty or non-numeric group lists nowhere.
        const QVariant v = st.value(QStringLiteral("ANTENNA"));
        bool ok = false;
        const qint64 g = v.isNull() ? 0 : v.toString().trimmed().toLongLong(&ok);
        if (ok)
            r.antenna = g;
        rows.push_back(r);
    }
    return rows;
}

} // namespace orv::channeltree
