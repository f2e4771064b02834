// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/keyboard_layout.h"

#include <cstdint>

#include "platform/wnd/vkeys.h"

namespace {

struct KeyRow {
    int evdev;
    UINT scanCode;
    bool extended;
    UINT virtualKey;       // keypad keys: with Num Lock on
    UINT virtualKeyNoNum;  // keypad keys with Num Lock off; 0 for every other key
};

constexpr UINT Ch(char c) { return static_cast<UINT>(c); }

// evdev codes 1 to 88 are the set-1 scan codes themselves; the keys after
// them are the extended (E0-prefixed) keys and the Windows keys.
constexpr KeyRow kKeys[] = {
    {1, 0x01, false, VK_ESCAPE, 0}, {2, 0x02, false, Ch('1'), 0}, {3, 0x03, false, Ch('2'), 0},
    {4, 0x04, false, Ch('3'), 0}, {5, 0x05, false, Ch('4'), 0}, {6, 0x06, false, Ch('5'), 0},
    {7, 0x07, false, Ch('6'), 0}, {8, 0x08, false, Ch('7'), 0}, {9, 0x09, false, Ch('8'), 0},
    {10, 0x0A, false, Ch('9'), 0}, {11, 0x0B, false, Ch('0'), 0}, {12, 0x0C, false, VK_OEM_MINUS, 0},
    {13, 0x0D, false, VK_OEM_PLUS, 0}, {14, 0x0E, false, VK_BACK, 0}, {15, 0x0F, false, VK_TAB, 0},
    {16, 0x10, false, Ch('Q'), 0}, {17, 0x11, false, Ch('W'), 0}, {18, 0x12, false, Ch('E'), 0},
    {19, 0x13, false, Ch('R'), 0}, {20, 0x14, false, Ch('T'), 0}, {21, 0x15, false, Ch('Y'), 0},
    {22, 0x16, false, Ch('U'), 0}, {23, 0x17, false, Ch('I'), 0}, {24, 0x18, false, Ch('O'), 0},
    {25, 0x19, false, Ch('P'), 0}, {26, 0x1A, false, VK_OEM_4, 0}, {27, 0x1B, false, VK_OEM_6, 0},
    {28, 0x1C, false, VK_RETURN, 0}, {29, 0x1D, false, VK_CONTROL, 0}, {30, 0x1E, false, Ch('A'), 0},
    {31, 0x1F, false, Ch('S'), 0}, {32, 0x20, false, Ch('D'), 0}, {33, 0x21, false, Ch('F'), 0},
    {34, 0x22, false, Ch('G'), 0}, {35, 0x23, false, Ch('H'), 0}, {36, 0x24, false, Ch('J'), 0},
    {37, 0x25, false, Ch('K'), 0}, {38, 0x26, false, Ch('L'), 0}, {39, 0x27, false, VK_OEM_1, 0},
    {40, 0x28, false, VK_OEM_7, 0}, {41, 0x29, false, VK_OEM_3, 0}, {42, 0x2A, false, VK_SHIFT, 0},
    {43, 0x2B, false, VK_OEM_5, 0}, {44, 0x2C, false, Ch('Z'), 0}, {45, 0x2D, false, Ch('X'), 0},
    {46, 0x2E, false, Ch('C'), 0}, {47, 0x2F, false, Ch('V'), 0}, {48, 0x30, false, Ch('B'), 0},
    {49, 0x31, false, Ch('N'), 0}, {50, 0x32, false, Ch('M'), 0}, {51, 0x33, false, VK_OEM_COMMA, 0},
    {52, 0x34, false, VK_OEM_PERIOD, 0}, {53, 0x35, false, VK_OEM_2, 0}, {54, 0x36, false, VK_SHIFT, 0},
    {55, 0x37, false, VK_MULTIPLY, 0}, {56, 0x38, false, VK_MENU, 0}, {57, 0x39, false, VK_SPACE, 0},
    {58, 0x3A, false, VK_CAPITAL, 0}, {59, 0x3B, false, VK_F1, 0}, {60, 0x3C, false, VK_F1 + 1, 0},
    {61, 0x3D, false, VK_F1 + 2, 0}, {62, 0x3E, false, VK_F1 + 3, 0}, {63, 0x3F, false, VK_F1 + 4, 0},
    {64, 0x40, false, VK_F1 + 5, 0}, {65, 0x41, false, VK_F1 + 6, 0}, {66, 0x42, false, VK_F1 + 7, 0},
    {67, 0x43, false, VK_F1 + 8, 0}, {68, 0x44, false, VK_F1 + 9, 0},
    // Windows reports Num Lock with the extended bit and Pause without it.
    {69, 0x45, true, VK_NUMLOCK, 0}, {70, 0x46, false, VK_SCROLL, 0},
    {71, 0x47, false, VK_NUMPAD0 + 7, VK_HOME}, {72, 0x48, false, VK_NUMPAD0 + 8, VK_UP},
    {73, 0x49, false, VK_NUMPAD0 + 9, VK_PRIOR}, {74, 0x4A, false, VK_SUBTRACT, 0},
    {75, 0x4B, false, VK_NUMPAD0 + 4, VK_LEFT}, {76, 0x4C, false, VK_NUMPAD0 + 5, VK_CLEAR},
    {77, 0x4D, false, VK_NUMPAD0 + 6, VK_RIGHT}, {78, 0x4E, false, VK_ADD, 0},
    {79, 0x4F, false, VK_NUMPAD0 + 1, VK_END}, {80, 0x50, false, VK_NUMPAD0 + 2, VK_DOWN},
    {81, 0x51, false, VK_NUMPAD0 + 3, VK_NEXT}, {82, 0x52, false, VK_NUMPAD0, VK_INSERT},
    {83, 0x53, false, VK_DECIMAL, VK_DELETE}, {86, 0x56, false, VK_OEM_102, 0},
    {87, 0x57, false, VK_F1 + 10, 0}, {88, 0x58, false, VK_F12, 0},
    {96, 0x1C, true, VK_RETURN, 0}, {97, 0x1D, true, VK_CONTROL, 0}, {98, 0x35, true, VK_DIVIDE, 0},
    {99, 0x37, true, VK_SNAPSHOT, 0}, {100, 0x38, true, VK_MENU, 0}, {102, 0x47, true, VK_HOME, 0},
    {103, 0x48, true, VK_UP, 0}, {104, 0x49, true, VK_PRIOR, 0}, {105, 0x4B, true, VK_LEFT, 0},
    {106, 0x4D, true, VK_RIGHT, 0}, {107, 0x4F, true, VK_END, 0}, {108, 0x50, true, VK_DOWN, 0},
    {109, 0x51, true, VK_NEXT, 0}, {110, 0x52, true, VK_INSERT, 0}, {111, 0x53, true, VK_DELETE, 0},
    {119, 0x45, false, VK_PAUSE, 0}, {125, 0x5B, true, VK_LWIN, 0}, {126, 0x5C, true, VK_RWIN, 0},
    {127, 0x5D, true, VK_APPS, 0},
    // F13 to F23 follow one another in set 1; F24 sits apart.
    {183, 0x64, false, VK_F13, 0}, {184, 0x65, false, VK_F13 + 1, 0}, {185, 0x66, false, VK_F13 + 2, 0},
    {186, 0x67, false, VK_F13 + 3, 0}, {187, 0x68, false, VK_F13 + 4, 0}, {188, 0x69, false, VK_F13 + 5, 0},
    {189, 0x6A, false, VK_F13 + 6, 0}, {190, 0x6B, false, VK_F13 + 7, 0}, {191, 0x6C, false, VK_F13 + 8, 0},
    {192, 0x6D, false, VK_F13 + 9, 0}, {193, 0x6E, false, VK_F13 + 10, 0}, {194, 0x76, false, VK_F24, 0},
};

KeyStroke Stroke(const KeyRow& row, UINT virtualKey)
{
    return KeyStroke{row.evdev, row.scanCode, row.extended, virtualKey};
}

// Bits of a key message's lParam above the scan code.
constexpr std::uintptr_t kExtendedBit = std::uintptr_t{1} << 24;
constexpr std::uintptr_t kAltDownBit = std::uintptr_t{1} << 29;
constexpr std::uintptr_t kWasDownBit = std::uintptr_t{1} << 30;
constexpr std::uintptr_t kReleaseBit = std::uintptr_t{1} << 31;

}  // namespace

std::optional<KeyStroke> KeyFromEvdev(int evdevCode, bool numLock)
{
    for (const KeyRow& row : kKeys) {
        if (row.evdev == evdevCode) {
            const bool navigation = !numLock && row.virtualKeyNoNum != 0;
            return Stroke(row, navigation ? row.virtualKeyNoNum : row.virtualKey);
        }
    }
    return std::nullopt;
}

std::optional<KeyStroke> KeyFromVirtualKey(UINT virtualKey, bool extended)
{
    // 0 is no key at all; it must not meet the 0 that marks the rows
    // without a Num Lock twin below.
    if (virtualKey == 0) {
        return std::nullopt;
    }
    for (const KeyRow& row : kKeys) {
        if (row.virtualKey == virtualKey && row.extended == extended) {
            return Stroke(row, virtualKey);
        }
    }
    // Keypad keys with Num Lock off share their virtual keys with the
    // extended navigation block; without the extended bit they are meant.
    for (const KeyRow& row : kKeys) {
        if (row.virtualKeyNoNum == virtualKey && !extended) {
            return Stroke(row, virtualKey);
        }
    }
    return std::nullopt;
}

LPARAM KeyMessageLParam(const KeyStroke& key, bool down, bool autoRepeat, bool altDown)
{
    std::uintptr_t bits = 1;  // repeat count
    bits |= static_cast<std::uintptr_t>(key.scanCode & 0xFF) << 16;
    if (key.extended) {
        bits |= kExtendedBit;
    }
    if (altDown) {
        bits |= kAltDownBit;
    }
    if (!down || autoRepeat) {
        bits |= kWasDownBit;
    }
    if (!down) {
        bits |= kReleaseBit;
    }
    return static_cast<LPARAM>(bits);
}
