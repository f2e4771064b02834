// SPDX-License-Identifier: GPL-3.0-or-later
// The runner's script language: every line is checked before the program
// starts, and a mistake names its line.

#include <gtest/gtest.h>

#include "platform/wnd/vkeys.h"
#include "tools/kx-run/script.h"

namespace {

Script Parsed(std::string_view text)
{
    auto result = ParseScript(text);
    if (auto* error = std::get_if<ScriptError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<Script>(result);
}

ScriptError Rejected(std::string_view text)
{
    auto result = ParseScript(text);
    if (auto* error = std::get_if<ScriptError>(&result)) {
        return *error;
    }
    ADD_FAILURE() << "accepted: " << text;
    return {};
}

TEST(RunnerScript, SetUpThenStartThenActionsKeepingLineNumbersAndText)
{
    const Script script = Parsed(
        "# start-up without the mouse\n"
        "\n"
        "language 2052\n"
        "  mouse absent  \n"
        "mouse factory dpi-table 2\n"
        "start\n"
        "tray right-click\n"
        "choose 2\n");
    ASSERT_EQ(script.setup.size(), 3u);
    EXPECT_EQ(script.setup[0].kind, StepKind::Language);
    EXPECT_EQ(script.setup[0].number, 2052);
    EXPECT_EQ(script.setup[0].line, 3);
    EXPECT_EQ(script.setup[1].text, "mouse absent");
    EXPECT_EQ(script.setup[2].kind, StepKind::MouseFactory);
    EXPECT_EQ(script.setup[2].number, 2);
    ASSERT_EQ(script.actions.size(), 2u);
    EXPECT_EQ(script.actions[0].kind, StepKind::TrayRightClick);
    EXPECT_EQ(script.actions[1].kind, StepKind::Choose);
    EXPECT_EQ(script.actions[1].number, 2);
    EXPECT_EQ(script.actions[1].line, 8);
}

TEST(RunnerScript, OrderOfSetUpStartAndActionsIsEnforced)
{
    EXPECT_EQ(Rejected("tray click\nstart\n").line, 1);
    EXPECT_EQ(Rejected("start\nlanguage 1028\n").line, 2);
    EXPECT_EQ(Rejected("start\nstart\n").line, 2);
    const ScriptError missing = Rejected("language 1033\n");
    EXPECT_NE(missing.message.find("no start"), std::string::npos);
    EXPECT_EQ(Rejected("start\nfly away\n").line, 2);
}

TEST(RunnerScript, PointerActionsTakeClientCoordinatesAndHoverAnOptionalRest)
{
    const Script script = Parsed("start\nclick 10 20\nhover -3 4\nhover 5 6 1000\ndouble-click 0x10 2\n");
    ASSERT_EQ(script.actions.size(), 4u);
    EXPECT_EQ(script.actions[0].x, 10);
    EXPECT_EQ(script.actions[0].y, 20);
    EXPECT_EQ(script.actions[1].x, -3);
    EXPECT_EQ(script.actions[1].number, 500);
    EXPECT_EQ(script.actions[2].number, 1000);
    EXPECT_EQ(script.actions[3].x, 16);

    EXPECT_EQ(Rejected("start\nclick 10\n").line, 2);
    EXPECT_EQ(Rejected("start\nclick 10 twenty\n").line, 2);
    EXPECT_EQ(Rejected("start\nmove 1 2 3\n").line, 2);
    EXPECT_EQ(Rejected("start\nhover 1 2 0\n").line, 2);
}

TEST(RunnerScript, NotificationsCarryAnyCodeAndASignedDetail)
{
    const Script script = Parsed("start\nnotify 9 12\nnotify 14\nnotify 9 -7\nnotify 4294967295 2147483647\n");
    ASSERT_EQ(script.actions.size(), 4u);
    EXPECT_EQ(script.actions[0].number, 9);
    EXPECT_EQ(script.actions[0].detail, 12);
    EXPECT_EQ(script.actions[1].detail, 0);
    EXPECT_EQ(script.actions[2].detail, -7);
    EXPECT_EQ(script.actions[3].number, 4294967295);

    Rejected("start\nnotify\n");
    Rejected("start\nnotify -1\n");
    Rejected("start\nnotify 9 2147483648\n");
    Rejected("start\nnotify 9 1 2\n");
}

TEST(RunnerScript, KeysByTheirNamesWhateverTheCase)
{
    const Script script =
        Parsed("start\nkey Enter\nkey down right ctrl\nkey up F12\nkey a\nkey Num 5\nkey repeat Ctrl\n");
    ASSERT_EQ(script.actions.size(), 6u);
    EXPECT_EQ(script.actions[0].kind, StepKind::KeyPress);
    EXPECT_EQ(script.actions[0].number, VK_RETURN);
    EXPECT_FALSE(script.actions[0].extended);
    EXPECT_EQ(script.actions[1].kind, StepKind::KeyDown);
    EXPECT_EQ(script.actions[1].number, VK_CONTROL);
    EXPECT_TRUE(script.actions[1].extended);
    EXPECT_EQ(script.actions[2].kind, StepKind::KeyUp);
    EXPECT_EQ(script.actions[2].number, VK_F12);
    EXPECT_EQ(script.actions[3].number, 'A');
    EXPECT_EQ(script.actions[4].number, VK_NUMPAD0 + 5);
    EXPECT_EQ(script.actions[5].kind, StepKind::KeyRepeat);
    EXPECT_EQ(script.actions[5].number, VK_CONTROL);
    EXPECT_FALSE(script.actions[5].extended);

    EXPECT_FALSE(KeyByName("F25"));
    EXPECT_FALSE(KeyByName("F0"));
    EXPECT_FALSE(KeyByName("Num 55"));
    EXPECT_EQ(KeyByName("F24")->virtualKey, VK_F1 + 23);
    Rejected("start\nkey Hyper\n");
    Rejected("start\nkey down Hyper\n");
    Rejected("start\nkey repeat\n");
    Rejected("start\nkey\n");
    // Alone, "down" and "up" are the arrow keys.
    const Step arrow = Parsed("start\nkey down\n").actions.at(0);
    EXPECT_EQ(arrow.kind, StepKind::KeyPress);
    EXPECT_EQ(arrow.number, VK_DOWN);
}

TEST(RunnerScript, TypingTakesDigitsAndLettersOnly)
{
    EXPECT_EQ(Parsed("start\ntype 0123\n").actions[0].typed, u"0123");
    Rejected("start\ntype 12.5\n");
    Rejected("start\ntype 1 2\n");
}

TEST(RunnerScript, TheFocusMovesToAPointAndTheControlsCanBeShown)
{
    const Script script = Parsed("start\nfocus 165 126\nshow controls\n");
    ASSERT_EQ(script.actions.size(), 2u);
    EXPECT_EQ(script.actions[0].kind, StepKind::Focus);
    EXPECT_EQ(script.actions[0].x, 165);
    EXPECT_EQ(script.actions[0].y, 126);
    EXPECT_EQ(script.actions[1].word, "controls");
    Rejected("start\nfocus 165\n");
    Rejected("focus 1 2\nstart\n");
}

TEST(RunnerScript, FilesAndPicturesStayInsideTheirFolders)
{
    const Script script = Parsed(
        "config.bin data/short.bin\nstr.ini missing\nskin EN/main.png broken\nskins missing\nstart\npng main.png\n");
    EXPECT_EQ(script.setup[0].kind, StepKind::ConfigBinFile);
    EXPECT_EQ(script.setup[0].path, "data/short.bin");
    EXPECT_EQ(script.setup[1].kind, StepKind::StrIniMissing);
    EXPECT_EQ(script.setup[2].kind, StepKind::SkinFileBroken);
    EXPECT_EQ(script.setup[3].kind, StepKind::SkinsMissing);
    EXPECT_EQ(script.actions[0].path, "main.png");

    Rejected("skin ../../etc/passwd missing\nstart\n");
    Rejected("skin /EN/main.png missing\nstart\n");
    Rejected("skin EN//main.png broken\nstart\n");
    Rejected("start\npng ../main.png\n");
    Rejected("start\npng main.bmp\n");
    Rejected("start\npng .png\n");
}

TEST(RunnerScript, DeviceFaultsAndShowItems)
{
    const Script script = Parsed(
        "start\nfault answer bad-signature\nfault feature 3 unplug\nfault call 1 fail\nfault enumeration\n"
        "show wire reports\nshow str.ini\nstart second instance\n");
    ASSERT_EQ(script.actions.size(), 7u);
    EXPECT_EQ(script.actions[0].word, "bad-signature");
    EXPECT_EQ(script.actions[1].kind, StepKind::FaultFeature);
    EXPECT_EQ(script.actions[1].number, 3);
    EXPECT_EQ(script.actions[1].word, "unplug");
    EXPECT_EQ(script.actions[2].kind, StepKind::FaultCall);
    EXPECT_EQ(script.actions[3].kind, StepKind::FaultEnumeration);
    EXPECT_EQ(script.actions[4].word, "wire reports");
    EXPECT_EQ(script.actions[6].kind, StepKind::SecondInstance);

    Rejected("start\nfault answer maybe\n");
    Rejected("start\nfault feature 0 fail\n");
    Rejected("start\nfault call 2 explode\n");
    Rejected("start\nshow everything\n");
    Rejected("start\nstart second\n");
    Rejected("start\nchoose 0\n");
    Rejected("mouse memory\nstart\n");
    Rejected("language 70000\nstart\n");
}

TEST(RunnerScript, FaultsAndSettingsFilesMayComeBeforeOrAfterTheStart)
{
    const Script script = Parsed(
        "fault feature 2 fail\nconfig.bin folder\nconfig.bin byte 32 1 0xff\nstart\n"
        "config.bin missing\nstr.ini missing\nfault enumeration\n");
    ASSERT_EQ(script.setup.size(), 3u);
    EXPECT_EQ(script.setup[0].kind, StepKind::FaultFeature);
    EXPECT_EQ(script.setup[1].kind, StepKind::ConfigBinFolder);
    EXPECT_EQ(script.setup[2].kind, StepKind::ConfigBinBytes);
    EXPECT_EQ(script.setup[2].number, 32);
    EXPECT_EQ(script.setup[2].bytes, (std::vector<std::uint8_t>{1, 0xFF}));
    ASSERT_EQ(script.actions.size(), 3u);
    EXPECT_EQ(script.actions[0].kind, StepKind::ConfigBinMissing);
    EXPECT_EQ(script.actions[2].kind, StepKind::FaultEnumeration);

    // Bytes stay inside the file's 180.
    Parsed("config.bin byte 179 7\nstart\n");
    Rejected("config.bin byte 179 7 8\nstart\n");
    Rejected("config.bin byte 180 7\nstart\n");
    Rejected("config.bin byte 3\nstart\n");
    Rejected("config.bin byte 3 256\nstart\n");
    Rejected("mouse absent\nstart\nmouse present\n");
}

TEST(RunnerScript, DeviceNotificationsAndPictureChecks)
{
    const Script script = Parsed(
        "start\ndevice arrival command\ndevice removal data\npixel 130 440\nlook 78 195 206 224\n"
        "show wire raw\nshow mouse changes\n");
    ASSERT_EQ(script.actions.size(), 6u);
    EXPECT_EQ(script.actions[0].kind, StepKind::DeviceNotification);
    EXPECT_EQ(script.actions[0].word, "arrival");
    EXPECT_EQ(script.actions[0].path, "command");
    EXPECT_EQ(script.actions[1].word, "removal");
    EXPECT_EQ(script.actions[2].kind, StepKind::Pixel);
    EXPECT_EQ(script.actions[2].x, 130);
    EXPECT_EQ(script.actions[2].y, 440);
    EXPECT_EQ(script.actions[3].kind, StepKind::Look);
    EXPECT_EQ(script.actions[3].x2, 206);
    EXPECT_EQ(script.actions[3].y2, 224);
    EXPECT_EQ(script.actions[4].word, "wire raw");
    EXPECT_EQ(script.actions[5].word, "mouse changes");

    Rejected("start\ndevice arrival keyboard\n");
    Rejected("start\ndevice plugged command\n");
    Rejected("device arrival command\nstart\n");
    Rejected("start\nlook 10 10 10 20\n");
    Rejected("start\nlook 10 10 20\n");
    Rejected("start\npixel 10\n");
}

}  // namespace
