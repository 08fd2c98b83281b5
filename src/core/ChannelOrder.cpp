#include "core/ChannelOrder.h"

#include "core/Store.h"

#include <QSet>
#include <array>

namespace orv {

QString ChannelOrder::groupImageKey(int antenna)
{
    static const std::array<const char *, 7> keys = {"parabola", "televisione2", "televisione", "sport",
                                                     "ragazzi",  "locali",       "radio"};
    if (antenna < 1 || antenna > 7)
        return {};
    return QString::fromLatin1(keys[antenna - 1]);
}

void ChannelOrder::load(Database &palinsesti)
{
    entries_.clear();
    for (const Channel &c : TelevisioniTable(palinsesti).visibleByPosition())
        if (c.ANTENNA && *c.ANTENNA >= 1 && *c.ANTENNA <= 7)
            entries_.push_back({c.NOMETV, *c.ANTENNA, c.Attivo});
}

void ChannelOrder::setTicked(int index, bool on)
{
    if (index >= 0 && index < count())
        entries_[index].ticked = on;
}

void ChannelOrder::setAllTicked(bool on)
{
    for (auto &e : entries_)
        e.ticked = on;
}

bool ChannelOrder::moveUp(int index)
{
    if (index < 1 || index >= count())
        return false;
    std::swap(entries_[index], entries_[index - 1]);
    return true;
}

bool ChannelOrder::moveDown(int index)
{
    if (index < 0 || index >= count() - 1)
        return false;
    std::swap(entries_[index], entries_[index + 1]);
    return true;
}

void ChannelOrder::apply(Database &palinsesti) const
{
    TelevisioniTable table(palinsesti);
    // Read before the transaction: the unlisted channels keep their order.
    const std::vector<Channel> before = table.allByPosition();
    QSet<QString> listed;
    Transaction tx(palinsesti);
    qint32 pos = 0;
    for (const ChannelEntry &e : entries_) {
        if (table.setAttivoPosizione(e.name, e.ticked, pos + 1)) {
            ++pos;
            listed.insert(e.name.toCaseFolded());
        }
    }
    for (const Channel &c : before)
        if (!listed.contains(c.NOMETV.toCaseFolded()))
            table.setAttivoPosizione(c.NOMETV, c.Attivo, ++pos);
    tx.commit();
}

} // namespace orv
