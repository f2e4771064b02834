// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's fixed geometry: every rectangle a click or a hover is
// tested against, the pictures drawn there, the list ids, and the orders in
// which elements are tested and restored. Client pixels, (left, top, right,
// bottom) with right and bottom exclusive. The window's own elements (its
// buttons, the tabs and the link) are rows of one table beside the window
// (CVantorDlg::kOwnElements, vantor_dlg.h); here they are only named.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "mainwnd/screen_element.h"
#include "platform/geometry.h"
#include "settings/settings_record.h"
#include "skin/drop_down.h"
#include "skin/hover_flags.h"

namespace layout {

// The main window's pages; None before the first page is drawn.
enum class Page { None, Keys, Dpi, RateAndLighting };

struct PageTab {
    CRect rect;
    Page page;
    std::u16string_view picture;  // drawn at (0, 0) when the page is drawn
};
inline constexpr std::array<PageTab, 3> kTabs = {{
    {{265, 62, 414, 92}, Page::Keys, u"/KeySet.png"},
    {{428, 62, 577, 92}, Page::Dpi, u"/DPISet.png"},
    {{591, 62, 740, 92}, Page::RateAndLighting, u"/LEDSet.png"},
}};

// Key page: six slot boxes per key set, left column key set 1 with lists 31
// to 36, right column key set 2 with lists 41 to 46. The lists of slots 1 to
// 3 open below their box, those of slots 4 to 6 beside it towards the middle.
// A list's items are 16 pixels high inside a one-pixel border: 14 entries for
// key set 1, 13 for key set 2.
inline constexpr int kSlotBoxCount = 6;
inline constexpr std::array<std::array<DropDownGeometry, kSlotBoxCount>, kKeySetCount> kSlotBoxes = {{
    {{
        {31, {78, 195, 206, 224}, {78, 225, 206, 451}},
        {32, {78, 254, 206, 283}, {78, 284, 206, 510}},
        {33, {78, 313, 206, 342}, {78, 343, 206, 569}},
        {34, {78, 371, 206, 400}, {206, 174, 334, 400}},
        {35, {78, 430, 206, 459}, {206, 233, 334, 459}},
        {36, {78, 489, 206, 518}, {206, 292, 334, 518}},
    }},
    {{
        {41, {523, 195, 651, 224}, {523, 225, 651, 435}},
        {42, {523, 254, 651, 283}, {523, 284, 651, 494}},
        {43, {523, 313, 651, 342}, {523, 343, 651, 553}},
        {44, {523, 371, 651, 400}, {394, 190, 522, 400}},
        {45, {523, 430, 651, 459}, {394, 249, 522, 459}},
        {46, {523, 489, 651, 518}, {394, 308, 522, 518}},
    }},
}};
inline constexpr WORD kFirstSlotListId = 31;
inline constexpr WORD kLastSlotListId = 46;

constexpr bool SlotListsHoldTheirEntries()
{
    constexpr int kItemHeight = 16;
    constexpr int kBorders = 2;
    for (std::size_t slot = 0; slot < kSlotBoxCount; ++slot) {
        if (kSlotBoxes[0][slot].list.Height() != 14 * kItemHeight + kBorders ||
            kSlotBoxes[1][slot].list.Height() != 13 * kItemHeight + kBorders) {
            return false;
        }
    }
    return true;
}
static_assert(SlotListsHoldTheirEntries());

// DPI page: four stage boxes with lists 51 to 54. Where a list opens depends
// on the DPI table in force (StageListRect); the guard rectangle does not
// (stage 4 shares stage 3's).
inline constexpr std::array<DropDownGeometry, kDpiStageCount> kStageBoxes = {{
    {51, {498, 153, 626, 182}, {}, {626, 107, 754, 267}},
    {52, {498, 263, 626, 292}, {}, {626, 222, 754, 382}},
    {53, {498, 373, 626, 402}, {}, {626, 337, 754, 497}},
    {54, {498, 489, 626, 518}, {}, {626, 337, 754, 497}},
}};
inline constexpr WORD kFirstStageListId = 51;
inline constexpr WORD kLastStageListId = 54;

// Tables 0 and 2 open to the right of the box, growing upwards from its
// bottom edge (195 pixels for twelve entries, 130 for eight); tables 1 and 3
// open below it, as wide as the box. No list for other tables.
constexpr std::optional<CRect> StageListRect(const CRect& box, std::uint8_t dpiTableSet)
{
    switch (dpiTableSet) {
    case 0:
        return CRect(box.left + 128, box.bottom - 195, box.right + 80, box.bottom);
    case 1:
    case 3:
        return CRect(box.left, box.bottom + 1, box.right, box.bottom + 141);
    case 2:
        return CRect(box.left + 128, box.bottom - 130, box.right + 80, box.bottom);
    default:
        return std::nullopt;
    }
}

// Third page: the tick drawn where a choice is active.
inline constexpr std::u16string_view kTickPicture = u"/PaneMakingTick.png";

struct RateTick {
    CRect rect;
    std::uint8_t reportInterval;  // 8 = 125 Hz, 4 = 250 Hz, 2 = 500 Hz, 1 = 1000 Hz
};
inline constexpr std::array<RateTick, 4> kRateTicks = {{
    {{126, 434, 152, 461}, 8},
    {{246, 434, 272, 461}, 4},
    {{366, 434, 392, 461}, 2},
    {{476, 434, 502, 461}, 1},
}};
inline constexpr std::size_t kRate1000Tick = 3;

// The lighting ticks in the order clicks are tested. Mode 1 has no tick of
// its own: each of its value ticks chooses the mode and the value at once.
enum class LightingTickKind { ModeZero, ModeTwo, ModeOneParameter, ModeTwoParameter };
struct LightingTick {
    CRect rect;
    LightingTickKind kind;
    std::uint8_t value;  // modeOneParameter or modeTwoParameter; 0 for the two mode ticks
};
inline constexpr std::array<LightingTick, 8> kLightingTicks = {{
    {{135, 200, 151, 227}, LightingTickKind::ModeZero, 0},
    {{135, 237, 151, 264}, LightingTickKind::ModeTwo, 0},
    {{135, 274, 151, 301}, LightingTickKind::ModeOneParameter, 10},
    {{135, 310, 151, 337}, LightingTickKind::ModeOneParameter, 5},
    {{135, 347, 151, 374}, LightingTickKind::ModeOneParameter, 1},
    {{425, 200, 451, 227}, LightingTickKind::ModeTwoParameter, 5},
    {{425, 237, 451, 264}, LightingTickKind::ModeTwoParameter, 3},
    {{425, 274, 451, 301}, LightingTickKind::ModeTwoParameter, 1},
}};

// The window's own elements, whatever page is drawn, in the order a screen
// reader and the keyboard reach them: the tabs before the page's elements,
// the rest after them.
enum class WindowElement : std::uint8_t { KeysTab, DpiTab, RateAndLightingTab, Apply, Exit, WebLink, Minimise, Close };
inline constexpr std::size_t kWindowElementCount = 8;

// The key page's Default button, in the window's bottom row beside Apply.
inline constexpr ImageButton kDefault{{352, 572, 468, 602}, u"/Default-normal.png", u"/Default-over.png"};
inline constexpr ScreenElement kDefaultElement{ElementKind::Button, kDefault.rect, true};

// The elements with a hover picture, numbered as their owner numbers them:
// the window by WindowElement, each page its own elements.
namespace hover {

// Key page: Default, then slot box k of key set s.
namespace keys {
inline constexpr std::size_t kDefault = 0;
constexpr std::size_t Slot(std::size_t keySet, std::size_t slot) { return 1 + keySet * kSlotBoxCount + slot; }
inline constexpr std::size_t kCount = 1 + kKeySetCount * kSlotBoxCount;
}  // namespace keys

// DPI page: stage box i (0-based).
namespace dpi {
constexpr std::size_t Stage(std::size_t stage) { return stage; }
inline constexpr std::size_t kCount = kDpiStageCount;
}  // namespace dpi

// An element by owner: Page::None stands for the window itself.
struct ElementRef {
    Page page;
    std::size_t element;
    friend constexpr bool operator==(const ElementRef&, const ElementRef&) = default;
};
constexpr ElementRef Window(WindowElement element) { return {Page::None, static_cast<std::size_t>(element)}; }
constexpr ElementRef Keys(std::size_t element) { return {Page::Keys, element}; }
constexpr ElementRef Dpi(std::size_t element) { return {Page::Dpi, element}; }

// One mouse move outside every element draws back the first flagged element
// in this order.
inline constexpr std::array<ElementRef, 4 + keys::kCount + dpi::kCount> kRestoreOrder = {{
    Window(WindowElement::Minimise), Window(WindowElement::Close), Window(WindowElement::Apply),
    Keys(keys::kDefault), Window(WindowElement::Exit),
    Keys(keys::Slot(0, 0)), Keys(keys::Slot(0, 1)), Keys(keys::Slot(0, 2)),
    Keys(keys::Slot(0, 3)), Keys(keys::Slot(0, 4)), Keys(keys::Slot(0, 5)),
    Keys(keys::Slot(1, 0)), Keys(keys::Slot(1, 1)), Keys(keys::Slot(1, 2)),
    Keys(keys::Slot(1, 3)), Keys(keys::Slot(1, 4)), Keys(keys::Slot(1, 5)),
    Dpi(dpi::Stage(0)), Dpi(dpi::Stage(1)), Dpi(dpi::Stage(2)), Dpi(dpi::Stage(3)),
}};

// Hovering an element draws back its flagged neighbours.
struct Neighbours {
    ElementRef element;
    std::array<std::optional<ElementRef>, 2> drawnBack;
};
inline constexpr std::array<Neighbours, 5> kNeighbours = {{
    {Window(WindowElement::Apply), {Window(WindowElement::Exit), Keys(keys::kDefault)}},
    {Window(WindowElement::Exit), {Window(WindowElement::Apply), std::nullopt}},
    {Window(WindowElement::Close), {Window(WindowElement::Minimise), std::nullopt}},
    {Window(WindowElement::Minimise), {Window(WindowElement::Close), std::nullopt}},
    {Keys(keys::kDefault), {Window(WindowElement::Apply), std::nullopt}},
}};
}  // namespace hover

}  // namespace layout
