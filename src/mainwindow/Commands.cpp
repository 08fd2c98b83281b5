#include "mainwindow/Commands.h"

#include <utility>

namespace orv::commands {

namespace {
template <std::size_t N> Command lookup(const std::pair<const char *, Command> (&table)[N], const QString &key)
{
    for (const auto &[k, c] : table)
        if (key == QLatin1String(k))
            return c;
    return Command::None;
}
} // namespace

Command toolbar1(const QString &key)
{
    static const std::pair<const char *, Command> table[] = {{"manager", Command::ChannelSetup}};
    return lookup(table, key);
}

Command toolbar2(const QString &key)
{
    static const std::pair<const char *, Command> table[] = {
        {"lista", Command::ChannelCard},         {"griglia", Command::DayGrid}, {"high", Command::Highlights},
        {"scarica", Command::DownloadAndRefresh}, {"mytv", Command::MyTV},       {"help", Command::HelpContents},
        {"exit", Command::Exit},
    };
    return lookup(table, key);
}

Command toolbar3(const QString &key)
{
    static const std::pair<const char *, Command> table[] = {
        {"popup", Command::HoverToggle},         {"cerca", Command::SearchPage},
        {"monitor", Command::MonitorThenEvents}, {"report", Command::DailyReport},
        {"traytv", Command::MonitorProgram},
    };
    return lookup(table, key);
}

Command icon(int index)
{
    static const Command table[] = {Command::ChannelCard,  Command::ConfiguraMenu, Command::Download,
                                    Command::Monitor,      Command::HelpContents,  Command::DayGrid,
                                    Command::SearchPage,   Command::MyTV,          Command::Favourites};
    if (index < 0 || index >= int(std::size(table)))
        return Command::None;
    return table[index];
}

QString contactTopic(int index)
{
    static const char *const topics[] = {"Supporto Tecnico", "Informazioni", "Bug Report", "Richiesta Palinsesti",
                                         "Stampa"};
    if (index < 0 || index >= int(std::size(topics)))
        return QString();
    return QString::fromLatin1(topics[index]);
}

} // namespace orv::commands
