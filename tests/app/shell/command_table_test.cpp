#include "app/shell/command_table.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace bv::app {
namespace {

// The shortcut a menu text shows after its tab, "" when it shows none.
std::string shownShortcut(std::string_view text)
{
    const std::size_t tab = text.find('\t');
    return tab == std::string_view::npos ? std::string() : std::string(text.substr(tab + 1));
}

std::vector<std::string> itemTexts(const Menu& menu)
{
    std::vector<std::string> texts;
    for (const MenuItem& item : menu.items)
        texts.emplace_back(item.command == 0 ? "-" : item.text);
    return texts;
}

const Accelerator* acceleratorOf(int command)
{
    for (const Accelerator& key : quickKeys())
        if (key.command == command)
            return &key;
    return nullptr;
}

TEST(CommandTable, MainMenuHasTheFiveMenusWithTheirItemsInOrder)
{
    const auto menus = mainMenu();
    ASSERT_EQ(menus.size(), 5u);
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"&File",
         {"&View Log\tCtrl+V", "View Alarm &Info\tCtrl+I", "-", "&Print... \tCtrl+P",
          "&Close View\tCtrl+C", "-", "&Exit"}},
        {"&Setup",
         {"Wal&kthrough...\tCtrl+K", "-", "&Station...\tCtrl+S", "&Time...\tCtrl+T",
          "&Archive...\tCtrl+A", "&Units...\tCtrl+U", "-", "&Data...\tCtrl+D",
          "&Internet...\tCtrl+N", "-", "&Pager...\tCtrl+G", "-", "&Schedule  Brisvane...\tCtrl+W"}},
        {"&Communications",
         {"&Dial\tCtrl+L", "&Hang up\tCtrl+H", "&Start Transfer\tCtrl+F",
          "&Cancel Transfer\tCtrl+E", "-", "D&ownload\tCtrl+O"}},
        {"&Display", {"&Current Weather...\tCtrl+R"}},
        {"&Help", {"&Contents", "&About..."}},
    };
    for (std::size_t i = 0; i < menus.size(); ++i) {
        EXPECT_EQ(menus[i].title, expected[i].first);
        EXPECT_EQ(itemTexts(menus[i]), expected[i].second) << menus[i].title;
    }
}

// The shortcut a menu item shows is the key that runs it, for every item
// with a key; Exit runs on Ctrl+Q but shows nothing; Contents and About
// have neither.
TEST(CommandTable, ShownShortcutsMatchTheAcceleratorTable)
{
    std::set<int> commandsWithKeys;
    for (const Menu& menu : mainMenu()) {
        for (const MenuItem& item : menu.items) {
            if (item.command == 0)
                continue;
            const Accelerator* key = acceleratorOf(item.command);
            const std::string shown = shownShortcut(item.text);
            if (item.command == CmdExit) {
                EXPECT_EQ(shown, "");
                ASSERT_NE(key, nullptr);
                EXPECT_EQ(key->key, 'Q');
                EXPECT_EQ(key->shortcutCommand, 40200);
            } else if (key == nullptr) {
                EXPECT_EQ(shown, "") << item.text;
            } else {
                EXPECT_EQ(shown, std::string("Ctrl+") + key->key) << item.text;
            }
            if (key != nullptr)
                commandsWithKeys.insert(item.command);
        }
    }
    EXPECT_EQ(acceleratorOf(CmdHelpContents), nullptr);
    EXPECT_EQ(acceleratorOf(CmdAbout), nullptr);
    EXPECT_EQ(commandsWithKeys.size(), quickKeys().size());
}

TEST(CommandTable, ShortcutIdsMapToTheirMenuCommands)
{
    const std::map<int, int> expected = {
        {40197, CmdViewLog},        {40201, CmdViewAlarmInfo},  {40198, CmdPrint},
        {40199, CmdCloseView},      {40200, CmdExit},           {40196, CmdStation},
        {40202, CmdTime},           {40203, CmdArchive},        {40204, CmdUnits},
        {40206, CmdData},           {40205, CmdInternet},       {40207, CmdPager},
        {40208, CmdSchedule},       {40209, CmdDial},           {40210, CmdHangUp},
        {40211, CmdStartTransfer},  {40212, CmdCancelTransfer}, {40213, CmdDownload},
        {40214, CmdCurrentWeather},
    };
    for (const auto& [shortcut, command] : expected)
        EXPECT_EQ(commandOfShortcut(shortcut), command) << shortcut;
    EXPECT_EQ(commandOfShortcut(CmdWalkthrough), CmdWalkthrough);
    EXPECT_EQ(commandOfShortcut(CmdViewLog), CmdViewLog);
    EXPECT_EQ(commandOfShortcut(1539), 1539);

    std::set<char> keys;
    std::set<int> ids;
    for (const Accelerator& key : quickKeys()) {
        EXPECT_TRUE(keys.insert(key.key).second) << key.key;
        EXPECT_TRUE(ids.insert(key.shortcutCommand).second) << key.shortcutCommand;
    }
}

TEST(CommandTable, PopupMenuHasFourSubmenusBuiltFromTheirTexts)
{
    const auto menus = popupMenu();
    ASSERT_EQ(menus.size(), 4u);
    const std::vector<std::vector<std::pair<std::string, int>>> expected = {
        {{"View &Log", 40001},
         {"View Alarm &Info", 40034},
         {"&Print", 40033},
         {"&Close View", 40016},
         {"Close &Log", 40016},
         {"&Exit", 40002}},
        {{"&Station", 40004},
         {"&Time", 40026},
         {"&Archive", 40027},
         {"&Units", 40024},
         {"&Data", 40006},
         {"&Internet", 40003},
         {"&Pager", 40028},
         {"&Schedule  Brisvane", 40195}},
        {{"&Dial Internet", 40011},
         {"&Hangup", 40012},
         {"&Start Transfer", 40013},
         {"&Cancel Transfer", 40032},
         {"&Download", 40035}},
        {{"&Current Weather", 40194}},
    };
    for (std::size_t i = 0; i < menus.size(); ++i) {
        EXPECT_EQ(menus[i].title, mainMenu()[i].title);
        std::vector<std::pair<std::string, int>> items;
        for (const MenuItem& item : menus[i].items)
            items.emplace_back(item.text, item.command);
        EXPECT_EQ(items, expected[i]);
    }
}

TEST(CommandTable, ToolbarHasTwelvePositionsWithImagesAndTooltips)
{
    struct Position {
        int command;
        int image;
        int pressedImage;
        std::string toolTip;
    };
    const std::vector<Position> expected = {
        {40001, 0, 0, "View Log File"},
        {0, -1, -1, ""},
        {40011, 1, 1, "Dial Internet"},
        {40012, 2, 2, "Hang up"},
        {40013, 3, 3, "Start Transfer"},
        {0, -1, -1, ""},
        {0, -1, -1, ""},
        {40032, 4, 4, "Cancel Transfer"},
        {0, -1, -1, ""},
        {1539, 6, 7, "Disable all Transfers"},
        {0, -1, -1, ""},
        {40002, 5, 5, "Exit the Program"},
    };
    const auto entries = toolbarEntries();
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].command, expected[i].command) << i;
        EXPECT_EQ(entries[i].image, expected[i].image) << i;
        EXPECT_EQ(entries[i].pressedImage, expected[i].pressedImage) << i;
        EXPECT_EQ(entries[i].toolTip, expected[i].toolTip) << i;
        EXPECT_LT(entries[i].pressedImage, kToolbarImageCount);
    }
}

TEST(CommandTable, EveryCommandSaysWhatItDoes)
{
    for (const auto& menus : {mainMenu(), popupMenu()}) {
        for (const Menu& menu : menus) {
            for (const MenuItem& item : menu.items) {
                if (item.command != 0) {
                    EXPECT_FALSE(commandPurpose(item.command).empty()) << item.text;
                }
            }
        }
    }
    EXPECT_FALSE(commandPurpose(CmdDisableTransfers).empty());
}

// While a transfer or paging run is under way the menus grey everything that
// would use the port, the modem or the network or open a settings dialog.
TEST(CommandTable, MenusGreyCommandsWhileBusy)
{
    const std::set<int> greyedWhileBusy = {
        CmdPrint,         CmdWalkthrough, CmdStation,        CmdTime,     CmdArchive, CmdUnits,
        CmdData,          CmdInternet,    CmdPager,          CmdSchedule, CmdDial,    CmdHangUp,
        CmdStartTransfer, CmdDownload,    CmdCurrentWeather, CmdAbout};
    for (const Menu& menu : mainMenu()) {
        for (const MenuItem& item : menu.items) {
            if (item.command == 0)
                continue;
            if (item.command == CmdCancelTransfer) {
                EXPECT_FALSE(menuCommandEnabled(item.command, false));
                EXPECT_TRUE(menuCommandEnabled(item.command, true));
                continue;
            }
            EXPECT_TRUE(menuCommandEnabled(item.command, false)) << item.text;
            EXPECT_EQ(menuCommandEnabled(item.command, true),
                      !greyedWhileBusy.contains(item.command))
                << item.text;
        }
    }
}

TEST(CommandTable, ToolbarFollowsTheBusyState)
{
    struct Case {
        int command;
        bool idle;
        bool busy;
    };
    const Case cases[] = {
        {CmdViewLog, true, true},
        {CmdDial, true, false},
        {CmdHangUp, true, false},
        {CmdStartTransfer, true, false},
        {CmdCancelTransfer, false, true},
        {CmdDisableTransfers, true, false},
        {CmdExit, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toolbarCommandEnabled(c.command, false), c.idle) << c.command;
        EXPECT_EQ(toolbarCommandEnabled(c.command, true), c.busy) << c.command;
    }
}

} // namespace
} // namespace bv::app
