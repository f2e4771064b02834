// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/key_names.h"

#include <algorithm>
#include <string_view>

namespace {

struct KeyName {
    BYTE scanCode;
    bool extended;
    std::u16string_view name;
};

// The names of the US English layout: its named keys, and for the keys that
// type a character, that character as an unshifted capital.
constexpr KeyName kKeyNames[] = {
    {0x01, false, u"Esc"},        {0x02, false, u"1"},          {0x03, false, u"2"},
    {0x04, false, u"3"},          {0x05, false, u"4"},          {0x06, false, u"5"},
    {0x07, false, u"6"},          {0x08, false, u"7"},          {0x09, false, u"8"},
    {0x0A, false, u"9"},          {0x0B, false, u"0"},          {0x0C, false, u"-"},
    {0x0D, false, u"="},          {0x0E, false, u"Backspace"},  {0x0F, false, u"Tab"},
    {0x10, false, u"Q"},          {0x11, false, u"W"},          {0x12, false, u"E"},
    {0x13, false, u"R"},          {0x14, false, u"T"},          {0x15, false, u"Y"},
    {0x16, false, u"U"},          {0x17, false, u"I"},          {0x18, false, u"O"},
    {0x19, false, u"P"},          {0x1A, false, u"["},          {0x1B, false, u"]"},
    {0x1C, false, u"Enter"},      {0x1D, false, u"Ctrl"},       {0x1E, false, u"A"},
    {0x1F, false, u"S"},          {0x20, false, u"D"},          {0x21, false, u"F"},
    {0x22, false, u"G"},          {0x23, false, u"H"},          {0x24, false, u"J"},
    {0x25, false, u"K"},          {0x26, false, u"L"},          {0x27, false, u";"},
    {0x28, false, u"'"},          {0x29, false, u"`"},          {0x2A, false, u"Shift"},
    {0x2B, false, u"\\"},         {0x2C, false, u"Z"},          {0x2D, false, u"X"},
    {0x2E, false, u"C"},          {0x2F, false, u"V"},          {0x30, false, u"B"},
    {0x31, false, u"N"},          {0x32, false, u"M"},          {0x33, false, u","},
    {0x34, false, u"."},          {0x35, false, u"/"},          {0x36, false, u"Right Shift"},
    {0x37, false, u"Num *"},      {0x38, false, u"Alt"},        {0x39, false, u"Space"},
    {0x3A, false, u"Caps Lock"},  {0x3B, false, u"F1"},         {0x3C, false, u"F2"},
    {0x3D, false, u"F3"},         {0x3E, false, u"F4"},         {0x3F, false, u"F5"},
    {0x40, false, u"F6"},         {0x41, false, u"F7"},         {0x42, false, u"F8"},
    {0x43, false, u"F9"},         {0x44, false, u"F10"},        {0x45, false, u"Pause"},
    {0x46, false, u"Scroll Lock"}, {0x47, false, u"Num 7"},     {0x48, false, u"Num 8"},
    {0x49, false, u"Num 9"},      {0x4A, false, u"Num -"},      {0x4B, false, u"Num 4"},
    {0x4C, false, u"Num 5"},      {0x4D, false, u"Num 6"},      {0x4E, false, u"Num +"},
    {0x4F, false, u"Num 1"},      {0x50, false, u"Num 2"},      {0x51, false, u"Num 3"},
    {0x52, false, u"Num 0"},      {0x53, false, u"Num Del"},    {0x54, false, u"Sys Req"},
    {0x56, false, u"\\"},         {0x57, false, u"F11"},        {0x58, false, u"F12"},
    {0x64, false, u"F13"},        {0x65, false, u"F14"},        {0x66, false, u"F15"},
    {0x67, false, u"F16"},        {0x68, false, u"F17"},        {0x69, false, u"F18"},
    {0x6A, false, u"F19"},        {0x6B, false, u"F20"},        {0x6C, false, u"F21"},
    {0x6D, false, u"F22"},        {0x6E, false, u"F23"},        {0x76, false, u"F24"},
    {0x1C, true, u"Num Enter"},   {0x1D, true, u"Right Ctrl"},  {0x35, true, u"Num /"},
    {0x37, true, u"Prnt Scrn"},   {0x38, true, u"Right Alt"},   {0x45, true, u"Num Lock"},
    {0x46, true, u"Break"},       {0x47, true, u"Home"},        {0x48, true, u"Up"},
    {0x49, true, u"Page Up"},     {0x4B, true, u"Left"},        {0x4D, true, u"Right"},
    {0x4F, true, u"End"},         {0x50, true, u"Down"},        {0x51, true, u"Page Down"},
    {0x52, true, u"Insert"},      {0x53, true, u"Delete"},      {0x56, true, u"Help"},
    {0x5B, true, u"Left Windows"}, {0x5C, true, u"Right Windows"}, {0x5D, true, u"Application"},
};

constexpr LONG kScanCodeShift = 16;
constexpr LONG kExtendedBit = 1L << 24;
constexpr LONG kDontCareBit = 1L << 25;

constexpr BYTE kCtrlScan = 0x1D;
constexpr BYTE kLeftShiftScan = 0x2A;
constexpr BYTE kRightShiftScan = 0x36;
constexpr BYTE kAltScan = 0x38;

std::u16string_view NameOf(BYTE scanCode, bool extended)
{
    for (const KeyName& key : kKeyNames) {
        if (key.scanCode == scanCode && key.extended == extended) {
            return key.name;
        }
    }
    return {};
}

}  // namespace

int GetKeyNameTextW(LONG lParam, char16_t* buffer, int size)
{
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    auto scanCode = static_cast<BYTE>((lParam >> kScanCodeShift) & 0xFF);
    bool extended = (lParam & kExtendedBit) != 0;
    if ((lParam & kDontCareBit) != 0) {
        if (scanCode == kRightShiftScan) {
            scanCode = kLeftShiftScan;
        }
        if (scanCode == kCtrlScan || scanCode == kAltScan) {
            extended = false;
        }
    }
    const std::u16string_view name = NameOf(scanCode, extended);
    const auto copied = static_cast<int>(std::min<std::size_t>(name.size(), static_cast<std::size_t>(size - 1)));
    std::copy_n(name.begin(), copied, buffer);
    buffer[copied] = u'\0';
    return copied;
}
