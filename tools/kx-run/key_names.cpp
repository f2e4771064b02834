// SPDX-License-Identifier: GPL-3.0-or-later
// Key names a script may use, as the system's key-name texts call the keys
// of a US keyboard. Letters, digits and F1 to F24 are formed by rule; the
// rest are listed.

#include <algorithm>
#include <cctype>

#include "platform/wnd/vkeys.h"
#include "tools/kx-run/script.h"

namespace {

struct KeyEntry {
    std::string_view name;
    unsigned virtualKey;
    bool extended;
};

constexpr KeyEntry kKeys[] = {
    {"Backspace", VK_BACK, false},
    {"Tab", VK_TAB, false},
    {"Enter", VK_RETURN, false},
    {"Num Enter", VK_RETURN, true},
    {"Shift", VK_SHIFT, false},
    {"Ctrl", VK_CONTROL, false},
    {"Right Ctrl", VK_CONTROL, true},
    {"Alt", VK_MENU, false},
    {"Right Alt", VK_MENU, true},
    {"Pause", VK_PAUSE, false},
    {"Caps Lock", VK_CAPITAL, false},
    {"Esc", VK_ESCAPE, false},
    {"Space", VK_SPACE, false},
    {"Page Up", VK_PRIOR, true},
    {"Page Down", VK_NEXT, true},
    {"End", VK_END, true},
    {"Home", VK_HOME, true},
    {"Left", VK_LEFT, true},
    {"Up", VK_UP, true},
    {"Right", VK_RIGHT, true},
    {"Down", VK_DOWN, true},
    {"Prnt Scrn", VK_SNAPSHOT, true},
    {"Insert", VK_INSERT, true},
    {"Delete", VK_DELETE, true},
    {"Left Windows", VK_LWIN, true},
    {"Right Windows", VK_RWIN, true},
    {"Application", VK_APPS, true},
    {"Num *", VK_MULTIPLY, false},
    {"Num +", VK_ADD, false},
    {"Num -", VK_SUBTRACT, false},
    {"Num Del", VK_DECIMAL, false},
    {"Num /", VK_DIVIDE, true},
    {"Num Lock", VK_NUMLOCK, true},
    {"Scroll Lock", VK_SCROLL, false},
    {";", VK_OEM_1, false},
    {"=", VK_OEM_PLUS, false},
    {",", VK_OEM_COMMA, false},
    {"-", VK_OEM_MINUS, false},
    {".", VK_OEM_PERIOD, false},
    {"/", VK_OEM_2, false},
    {"`", VK_OEM_3, false},
    {"[", VK_OEM_4, false},
    {"\\", VK_OEM_5, false},
    {"]", VK_OEM_6, false},
    {"'", VK_OEM_7, false},
};

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<int> SmallNumber(std::string_view text)
{
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), ::isdigit) || text.front() == '0') {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<NamedKey> KeyByName(std::string_view name)
{
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return NamedKey{static_cast<unsigned>(std::toupper(static_cast<unsigned char>(name[0]))), false};
    }
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        if (const auto n = SmallNumber(name.substr(1)); n && *n <= 24) {
            return NamedKey{VK_F1 + static_cast<unsigned>(*n - 1), false};
        }
    }
    if (name.size() == 5 && SameName(name.substr(0, 4), "Num ") && std::isdigit(static_cast<unsigned char>(name[4]))) {
        return NamedKey{VK_NUMPAD0 + static_cast<unsigned>(name[4] - '0'), false};
    }
    for (const KeyEntry& key : kKeys) {
        if (SameName(name, key.name)) {
            return NamedKey{key.virtualKey, key.extended};
        }
    }
    return std::nullopt;
}

std::string KeyNameList()
{
    std::string list = "A to Z, 0 to 9, F1 to F24, Num 0 to Num 9";
    for (const KeyEntry& key : kKeys) {
        list += ", " + std::string(key.name);
    }
    return list;
}
