// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/key_vocabulary.h"

// Key names as the system's key-name function gives them for a US English
// layout, plus the mouse buttons. The non-US key is named "Eurpo(Note 2)",
// spelled exactly so: labels already stored by users carry that text.
const std::array<KeyNameRow, kKeyNameRows> kKeyNameTable = {{
    {"A", 0x04}, {"B", 0x05}, {"C", 0x06}, {"D", 0x07}, {"E", 0x08}, {"F", 0x09}, {"G", 0x0A}, {"H", 0x0B},
    {"I", 0x0C}, {"J", 0x0D}, {"K", 0x0E}, {"L", 0x0F}, {"M", 0x10}, {"N", 0x11}, {"O", 0x12}, {"P", 0x13},
    {"Q", 0x14}, {"R", 0x15}, {"S", 0x16}, {"T", 0x17}, {"U", 0x18}, {"V", 0x19}, {"W", 0x1A}, {"X", 0x1B},
    {"Y", 0x1C}, {"Z", 0x1D}, {"1", 0x1E}, {"2", 0x1F}, {"3", 0x20}, {"4", 0x21}, {"5", 0x22}, {"6", 0x23},
    {"7", 0x24}, {"8", 0x25}, {"9", 0x26}, {"0", 0x27}, {"Enter", 0x28}, {"Esc", 0x29}, {"Backspace", 0x2A},
    {"Tab", 0x2B}, {"Space", 0x2C}, {"-", 0x2D}, {"=", 0x2E}, {"[", 0x2F}, {"]", 0x30},
    {"Eurpo(Note 2)", 0x32}, {";", 0x33}, {"'", 0x34}, {"`", 0x35}, {",", 0x36}, {".", 0x37}, {"/", 0x38},
    {"Caps Lock", 0x39}, {"F1", 0x3A}, {"F2", 0x3B}, {"F3", 0x3C}, {"F4", 0x3D}, {"F5", 0x3E}, {"F6", 0x3F},
    {"F7", 0x40}, {"F8", 0x41}, {"F9", 0x42}, {"F10", 0x43}, {"F11", 0x44}, {"F12", 0x45},
    {"Prnt Scrn", 0x46}, {"Scroll Lock", 0x47}, {"Pause", 0x48}, {"Insert", 0x49}, {"Home", 0x4A},
    {"Page Up", 0x4B}, {"Delete", 0x4C}, {"End", 0x4D}, {"Page Down", 0x4E}, {"Right", 0x4F}, {"Left", 0x50},
    {"Down", 0x51}, {"Up", 0x52}, {"Num Lock", 0x53}, {"Num /", 0x54}, {"Num *", 0x55}, {"Num -", 0x56},
    {"Num +", 0x57}, {"Num Enter", 0x58}, {"Num 1", 0x59}, {"Num 2", 0x5A}, {"Num 3", 0x5B}, {"Num 4", 0x5C},
    {"Num 5", 0x5D}, {"Num 6", 0x5E}, {"Num 7", 0x5F}, {"Num 8", 0x60}, {"Num 9", 0x61}, {"Num 0", 0x62},
    {"Num Del", 0x63}, {"Ctrl", 0xE0}, {"Shift", 0xE1}, {"Alt", 0xE2}, {"Left Windows", 0xE3},
    {"Right Ctrl", 0xE4}, {"Right Shift", 0xE5}, {"Right Alt", 0xE6}, {"Right Windows", 0xE7},
    {"L-Button", 0xF0}, {"R-Button", 0xF1}, {"M-Button", 0xF2},
}};

const std::array<KeyNameRow, kFireKeyCount> kFireKeyList = {{
    {"L-Button", 0xF0}, {"R-Button", 0xF1}, {"M-Button", 0xF2}, {"B4-Button", 0xF3}, {"B5-Button", 0xF4},
    {"A", 0x04}, {"B", 0x05}, {"C", 0x06}, {"D", 0x07}, {"E", 0x08}, {"F", 0x09}, {"G", 0x0A}, {"H", 0x0B},
    {"I", 0x0C}, {"J", 0x0D}, {"K", 0x0E}, {"L", 0x0F}, {"M", 0x10}, {"N", 0x11}, {"O", 0x12}, {"P", 0x13},
    {"Q", 0x14}, {"R", 0x15}, {"S", 0x16}, {"T", 0x17}, {"U", 0x18}, {"V", 0x19}, {"W", 0x1A}, {"X", 0x1B},
    {"Y", 0x1C}, {"Z", 0x1D}, {"1", 0x1E}, {"2", 0x1F}, {"3", 0x20}, {"4", 0x21}, {"5", 0x22}, {"6", 0x23},
    {"7", 0x24}, {"8", 0x25}, {"9", 0x26}, {"0", 0x27}, {"L-CTRL", 0xE0}, {"L-SHIFT", 0xE1}, {"L-ALT", 0xE2},
    {"R-CTRL", 0xE4}, {"R-SHIFT", 0xE5}, {"R-ALT", 0xE6}, {"F1", 0x3A}, {"F2", 0x3B}, {"F3", 0x3C},
    {"F4", 0x3D}, {"F5", 0x3E}, {"F6", 0x3F}, {"F7", 0x40}, {"F8", 0x41}, {"F9", 0x42}, {"F10", 0x43},
    {"F11", 0x44}, {"F12", 0x45},
}};

const std::array<LocalizedText, 7> kMultimediaList = {{
    {u"Next", u"下一首", u"下一首"},
    {u"Previous", u"上一首", u"上一首"},
    {u"Stop", u"停止", u"停止"},
    {u"Play/Pause", u"播放/暂停", u"播放/暫停"},
    {u"Mute", u"静音", u"靜音"},
    {u"Vol+", u"音量+", u"音量+"},
    {u"Vol-", u"音量-", u"音量-"},
}};

const std::array<LocalizedText, 9> kWindowsFunctionList = {{
    {u"Multimedia Player", u"多媒体播放器", u"多媒體播放器"},
    {u"Mail", u"邮件", u"郵件"},
    {u"Calculator", u"计算器", u"計算器"},
    {u"My Computer", u"我的电脑", u"我的電腦"},
    {u"Browser-Search", u"浏览器-搜索", u"瀏覽器-搜索"},
    {u"Browser-Home", u"浏览器-主页", u"瀏覽器-主頁"},
    {u"Browser-Back", u"浏览器-后退", u"瀏覽器-後退"},
    {u"Browser-Forward", u"浏览器-前进", u"瀏覽器-前進"},
    {u"Browser-Refresh", u"浏览器-刷新", u"瀏覽器-刷新"},
}};

const std::array<LocalizedText, 8> kHotKeyPresetList = {{
    {u"Copy", u"复制", u"複製"},
    {u"Cut", u"剪切", u"剪切"},
    {u"Paste", u"粘贴", u"粘貼"},
    {u"Select all", u"全选", u"全選"},
    {u"Open", u"打开", u"打開"},
    {u"New", u"新建", u"新建"},
    {u"Save", u"保存", u"保存"},
    {u"Undo", u"撤销", u"撤銷"},
}};

namespace {

// Exact, case-sensitive equality of a wide name with an ASCII table name.
bool NameEquals(std::u16string_view wide, std::string_view ascii)
{
    if (wide.size() != ascii.size()) {
        return false;
    }
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        if (wide[i] != static_cast<char16_t>(static_cast<unsigned char>(ascii[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::uint8_t KeyCodeFromName(std::u16string_view name)
{
    for (const KeyNameRow& row : kKeyNameTable) {
        if (NameEquals(name, row.name)) {
            return row.code;
        }
    }
    return kKeyNone;
}

std::uint8_t FireKeyCodeFromIndex(std::uint8_t position)
{
    return position < kFireKeyList.size() ? kFireKeyList[position].code : kKeyNone;
}
