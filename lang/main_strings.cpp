// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/main_strings.h"

#include <array>
#include <cstdlib>

namespace {

struct SlotText {
    std::u16string MainWindowStrings::*slot;
    LocalizedText text;
};

using S = MainWindowStrings;

// The web address is the same in every language.
constexpr std::u16string_view kWebSite = u"http://www.kx507-gaming.example/";

// English texts keep their wording and trailing blanks as the mouse's users
// know them; Chinese texts use full-width punctuation.
const std::array<SlotText, 31> kMainWindowTexts = {{
    {&S::strLeftClick, {u"Left Click", u"左键", u"左鍵"}},
    {&S::strRightClick, {u"Right Click", u"右键", u"右鍵"}},
    {&S::strMidClick, {u"Mid Click", u"中键", u"中鍵"}},
    {&S::strForward, {u"Forward", u"前进方向键", u"前進方向鍵"}},
    {&S::strBackward, {u"Backward", u"后退方向键", u"後退方向鍵"}},
    {&S::strDpiSwitch, {u"DPI Switch", u"DPI切换", u"DPI切換"}},
    {&S::strWindows, {u"Windows", u"Windows", u"Windows"}},
    {&S::strMultimedia, {u"Multimedia", u"多媒体", u"多媒體"}},
    {&S::strHotKey, {u"HotKey", u"快捷键", u"快速鍵"}},
    {&S::strFireKey, {u"Fire Key", u"火力键", u"火力鍵"}},
    {&S::strSingleKey, {u"Single Key", u"单键", u"單鍵"}},
    {&S::strSnipeKey, {u"Snipe Key", u"狙击", u"狙擊"}},
    {&S::strKeyOff, {u"Key Off", u"按键关闭", u"按鍵關閉"}},
    {&S::strShift, {u"Shift", u"Shift", u"Shift"}},
    {&S::strLeftKeyRequired, {u"Left key must be selected!", u"左键功能必须选择！", u"左鍵功能必須選擇！"}},
    {&S::strWebSite, {kWebSite, kWebSite, kWebSite}},
    {&S::strRate1000, {u"Switch report rate into 1000HZ", u"报告率切换到1000HZ", u"報告率切換到1000HZ"}},
    {&S::strRate500, {u"Switch report rate into 500HZ", u"报告率切换到500HZ", u"報告率切換到500HZ"}},
    {&S::strRate250, {u"Switch report rate into 250HZ", u"报告率切换到250HZ", u"報告率切換到250HZ"}},
    {&S::strRate125, {u"Switch report rate into 125HZ", u"报告率切换到125HZ", u"報告率切換到125HZ"}},
    {&S::strDpiStage1, {u"Switch DPI into the first stage ", u"DPI切换到第一段", u"DPI切換到第一段"}},
    {&S::strDpiStage2, {u"Switch DPI into the second stage ", u"DPI切换到第二段", u"DPI切換到第二段"}},
    {&S::strDpiStage3, {u"Switch DPI into the third stage ", u"DPI切换到第三段", u"DPI切換到第三段"}},
    {&S::strDpiStage4, {u"Switch DPI into the fourth stage ", u"DPI切换到第四段", u"DPI切換到第四段"}},
    {&S::strKeyMatrix1, {u"Switch to key matrix 1", u"切换到按键组1", u"切換到按鍵群組1"}},
    {&S::strKeyMatrix2, {u"Switch to key matrix 2", u"切换到按键组2", u"切換到按鍵群組2"}},
    {&S::strMacroKeySwitch, {u"Switch to macro key", u"切换到宏", u"切換到巨集"}},
    {&S::strExit, {u"Exit", u"退出", u"退出"}},
    {&S::strMouseNotFound,
     {u"The system did not detect the gaming mouse!", u"系统没有检测到游戏鼠标！", u"系統沒有檢測到遊戲滑鼠！"}},
    {&S::strMouseFound, {u"The system detect the gaming mouse.", u"系统检测到游戏鼠标。", u"系統檢測到遊戲滑鼠。"}},
    {&S::strSettingsSection, {u"Setting-EN", u"Setting-CHS", u"Setting-CHT"}},
}};

}  // namespace

void FillMainWindowStrings(MainWindowStrings& strings, Language language)
{
    for (const SlotText& row : kMainWindowTexts) {
        strings.*row.slot = std::u16string(row.text.In(language));
    }
}

const LocalizedText& MainWindowText(std::u16string MainWindowStrings::*slot)
{
    for (const SlotText& row : kMainWindowTexts) {
        if (row.slot == slot) {
            return row.text;
        }
    }
    // Every member of MainWindowStrings has a row; a missing one is a build mistake.
    std::abort();
}
