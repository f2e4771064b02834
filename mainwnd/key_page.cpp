// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/key_page.h"

#include "lang/main_window_names.h"
#include "mainwnd/slot_dialogs.h"
#include "mainwnd/page_host.h"
#include "platform/gdi/dc.h"
#include "platform/msg_box.h"
#include "platform/winuser.h"
#include "settings/device_image.h"
#include "settings/image_encoding.h"
#include "settings/settings_state.h"

namespace {

// The first run enables stages 1 to 3; stage 4 keeps what it had.

// Both columns, left top to bottom, then right top to bottom.
constexpr std::array<SlotRef, kKeySetCount * layout::kSlotBoxCount> AllSlots()
{
    std::array<SlotRef, kKeySetCount * layout::kSlotBoxCount> slots{};
    for (std::size_t i = 0; i < slots.size(); ++i) {
        slots[i] = SlotRef{i / layout::kSlotBoxCount, i % layout::kSlotBoxCount};
    }
    return slots;
}
constexpr auto kAllSlots = AllSlots();

constexpr std::array<DropDownGeometry, kAllSlots.size()> SlotBoxGeometries()
{
    std::array<DropDownGeometry, kAllSlots.size()> geometries{};
    for (std::size_t i = 0; i < kAllSlots.size(); ++i) {
        geometries[i] = layout::kSlotBoxes[kAllSlots[i].keySet][kAllSlots[i].slot];
    }
    return geometries;
}
constexpr auto kSlotBoxGeometries = SlotBoxGeometries();

SlotRef SlotOfElement(std::size_t element)
{
    const std::size_t index = element - layout::hover::keys::Slot(0, 0);
    return SlotRef{index / layout::kSlotBoxCount, index % layout::kSlotBoxCount};
}

constexpr std::array<ScreenElement, layout::hover::keys::kCount> KeyPageElements()
{
    std::array<ScreenElement, layout::hover::keys::kCount> elements{};
    elements[layout::hover::keys::kDefault] = layout::kDefaultElement;
    for (const SlotRef ref : kAllSlots) {
        elements[layout::hover::keys::Slot(ref.keySet, ref.slot)] = {
            ElementKind::DropDownBox, layout::kSlotBoxes[ref.keySet][ref.slot].box, true};
    }
    return elements;
}
constexpr auto kElements = KeyPageElements();

}  // namespace

CKeyPage::CKeyPage(IPageHost& host, CAssignmentDialogs& dialogs)
    : m_host(host), m_dialogs(dialogs), m_boxes(kSlotBoxGeometries, OpeningClosesOthers::FlagsAndFirstList)
{
}

void CKeyPage::UseLabelFile(std::u16string labelFile, std::u16string section)
{
    m_labelFile = std::move(labelFile);
    m_labelSection = std::move(section);
}

void CKeyPage::LoadLabels()
{
    ::LoadLabels(m_labelFile, m_labelSection, m_labels);
}

void CKeyPage::AppendContent(std::vector<SkinPicture>& pictures)
{
    AppendContent(pictures, m_appliedBeforeFlag);
}

void CKeyPage::AppendContent(std::vector<SkinPicture>& pictures, std::uint8_t appliedBeforeFlag)
{
    if (!m_firstDrawDone) {
        m_firstDrawDone = true;
        if (appliedBeforeFlag == 0) {
            ApplyFirstRunDefaults();
        }
    }
    for (const SlotRef ref : kAllSlots) {
        pictures.push_back(LabelOnly(SkinLabel{Box(ref).Box(), m_labels[ref.keySet][ref.slot], DT_LEFT}));
    }
}

// Until the first Apply the mouse gets the program's function tables, the
// first three DPI stages and labels that say what the buttons do.
void CKeyPage::ApplyFirstRunDefaults()
{
    SetFirstRunDefaults(g_settingsRecord, g_deviceImage);
    SetDefaultLabels(m_labels, m_host.Texts());
    SaveLabels(m_labelFile, m_labelSection, m_labels);
}

bool CKeyPage::OnClick(CPoint point)
{
    m_boxes.CloseOutside(point);
    if (layout::kDefaultElement.rect.PtInRect(point)) {
        OnDefault();
        return true;
    }
    if (const auto box = m_boxes.BoxAt(point)) {
        OnSlotBox(kAllSlots[*box]);
        return true;
    }
    return false;
}

void CKeyPage::OnDefault()
{
    // The recover dialog asks first; confirmed, the factory assignment and
    // its labels replace the slots'.
    if (m_dialogs.RunKeysRecoverDialog(m_host.Window()) != IDOK) {
        return;
    }
    RestoreFactoryAssignment(g_settingsRecord, m_labels, m_host.Texts());
    std::vector<SkinPicture> pictures;
    for (const SlotRef ref : kAllSlots) {
        pictures.push_back(BoxPicture(ref, false));
    }
    m_host.Repaint(pictures);
}

void CKeyPage::OnSlotBox(SlotRef ref)
{
    // Shift in both key sets locks the right slot until the left one changes.
    if (ref.keySet == 1 && LockedByShift(g_settingsRecord, ref.slot)) {
        return;
    }
    CDropDown& box = Box(ref);
    if (box.IsOpen()) {
        box.Close();
        return;
    }
    m_boxes.CloseOthers(BoxIndex(ref));
    if (ref.keySet == 0 && LeftClickRuleRefuses(g_settingsRecord, ref.slot)) {
        MessageBoxW(m_host.Window().GetSafeHwnd(), m_host.Texts().strLeftKeyRequired.c_str(), kWarningCaption, MB_OK);
        return;
    }
    m_boxes.Open(BoxIndex(ref), m_host.Window(), FunctionListEntries(m_host.Texts(), ref.keySet));
}

void CKeyPage::OnListChoice()
{
    const std::optional<SlotRef> found = FirstSlotWithList();
    if (!found) {
        return;
    }
    const SlotRef ref = *found;
    CDropDown& box = Box(ref);
    if (const auto choice = box.Selection()) {
        const auto code = static_cast<std::uint8_t>(choice->position);
        if (const SlotFunction* function = FindSlotFunction(code)) {
            RunAssignmentDialog(*function, ref);
        } else {
            m_labels[ref.keySet][ref.slot] = choice->text;
        }
        // The code is the user's choice even when its dialog was cancelled.
        g_settingsRecord.buttonFunction[SlotIndex(ref.keySet, ref.slot)] = code;
        box.DestroyList();
    }
    std::vector<SkinPicture> pictures{BoxPicture(ref, false)};
    if (ref.keySet == 0 && MirrorShift(g_settingsRecord, m_labels, ref.slot)) {
        pictures.push_back(BoxPicture(SlotRef{1, ref.slot}, false));
    }
    m_host.Repaint(pictures);
    box.SetOpen(false);
}

void CKeyPage::RunAssignmentDialog(const SlotFunction& function, SlotRef ref)
{
    const SlotDialogResult result = m_dialogs.RunSlotDialog(function.dialog, m_host.Window());
    StoreSlotDialogResult(g_settingsRecord, m_labels[ref.keySet][ref.slot], ref, function, result, m_host.Texts());
}

std::optional<SlotRef> CKeyPage::FirstSlotWithList() const
{
    if (const auto box = m_boxes.FirstWithList()) {
        return kAllSlots[*box];
    }
    return std::nullopt;
}

void CKeyPage::CloseLists()
{
    m_boxes.CloseAll();
}

void CKeyPage::TrackListItem(CPoint screenPoint)
{
    m_boxes.TrackItemAt(screenPoint);
}

std::span<const ScreenElement> CKeyPage::Elements() const
{
    return kElements;
}

SkinPicture CKeyPage::ElementPicture(std::size_t element, bool over) const
{
    if (element == layout::hover::keys::kDefault) {
        return over ? layout::kDefault.Over() : layout::kDefault.Normal();
    }
    return BoxPicture(SlotOfElement(element), over);
}

std::u16string CKeyPage::ElementValue(std::size_t element) const
{
    if (element == layout::hover::keys::kDefault) {
        return {};
    }
    const SlotRef ref = SlotOfElement(element);
    return m_labels[ref.keySet][ref.slot];
}

// Default, or a slot box by its key set and its button.
std::u16string CKeyPage::ElementName(std::size_t element, Language language) const
{
    namespace names = main_window_names;
    if (element == layout::hover::keys::kDefault) {
        return std::u16string(names::kDefault.In(language));
    }
    const SlotRef ref = SlotOfElement(element);
    return std::u16string(names::kKeySets[ref.keySet].In(language)) + u" " +
           std::u16string(names::kButtons[ref.slot].In(language));
}

SkinPicture CKeyPage::BoxPicture(SlotRef ref, bool over) const
{
    return m_boxes[BoxIndex(ref)].BoxPicture(over, m_labels[ref.keySet][ref.slot], DT_LEFT);
}
