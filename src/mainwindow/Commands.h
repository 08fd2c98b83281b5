#pragma once

#include <QString>

// Which command each command source reaches. Toolbar keys compare exactly,
// case included; a key or index that matches nothing gives Command::None.
namespace orv {

enum class Command {
    None,
    ChannelCard,
    DayGrid,
    SearchPage,
    DailyReport,
    MyTV,
    Highlights,
    Monitor,
    MonitorThenEvents,
    Favourites,
    Download,
    DownloadAndRefresh,
    ChannelSetup,
    Preferences,
    ChannelFiles,
    PostProcessing,
    HelpContents,
    Faq,
    Tip,
    About,
    WebProduct,
    WebForum,
    MonitorProgram,
    HoverToggle,
    Exit,
    ConfiguraMenu,
};

namespace commands {
Command toolbar1(const QString &key);
Command toolbar2(const QString &key);
Command toolbar3(const QString &key);
Command icon(int index);
// The mail subject's topic of the "Contattaci" items 0..4.
QString contactTopic(int index);
} // namespace commands

} // namespace orv
