// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: a borderless skinned dialog on template 700 that starts
// hidden in the tray. Its frame (vantor_dlg.cpp) is start-up, the tray icon
// and its balloons, the device-change hook, hiding and the two ways of
// ending; its own elements (the buttons Apply, Exit, Minimise and Close, the
// tabs and the web link) are the rows of one table, kOwnElements below, and
// their presses are in vantor_dlg_elements.cpp; its three pages are classes
// of their own behind one page interface (page.h), held in an array by
// layout::Page, and the window passes the current page what its own elements
// leave (vantor_dlg_pages.cpp); its elements and the pages' change pictures
// under the pointer (vantor_dlg_hover.cpp), and a screen reader and the
// keyboard reach them all (vantor_dlg_access.cpp). Everything it shows is
// painted into its canvas.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tray/instance_channel.h"
#include "tray/tray_icon.h"
#include "lang/language.h"
#include "lang/main_strings.h"
#include "lang/main_window_names.h"
#include "device/device_notification.h"
#include "mainwnd/slot_dialogs.h"
#include "mainwnd/dpi_page.h"
#include "mainwnd/key_page.h"
#include "mainwnd/layout.h"
#include "mainwnd/main_window_resources.h"
#include "mainwnd/page.h"
#include "mainwnd/page_host.h"
#include "mainwnd/rate_lighting_page.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/font.h"
#include "platform/wnd/cdialog.h"
#include "settings/settings_file.h"
#include "skin/ctl_color_brush.h"
#include "skin/hover_flags.h"
#include "skin/skin_fonts.h"

class CVantorDlg : public CDialog, private IPageHost {
public:
    // One of the window's own elements: what and where it is, how it looks,
    // what a screen reader calls it and what a press on it does.
    struct OwnElement {
        layout::WindowElement id;
        // Where it lies and whether it hovers.
        ScreenElement element;
        // Its pictures, drawn at its top left corner; none where the page
        // picture draws it.
        std::u16string_view normalPicture;
        std::u16string_view overPicture;
        // Its name to a screen reader; none for the link, which is named by
        // the address it opens.
        const LocalizedText* name;
        // The page a tab shows; None for the other elements.
        layout::Page page;
        // The press: whether it goes on to the page and, untaken there, to a
        // drag of the window.
        bool (CVantorDlg::*press)(const OwnElement& self);
    };
    static const std::array<OwnElement, layout::kWindowElementCount> kOwnElements;

    CVantorDlg();
    ~CVantorDlg() override;

    BOOL OnInitDialog() override;
    // Enter and Escape hide the window instead of ending the dialog; a mouse
    // move over an open list selects the item under the pointer.
    BOOL PreTranslateMessage(MSG* msg) override;
    // What a screen reader and the keyboard reach (vantor_dlg_access.cpp).
    AccessibleElements AccessibleChildren() const override;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    // Tests read the window's state through this one class, not through getters.
    friend class CVantorDlgProbe;
    static const CMessageMap kMessageMap;

    // IPageHost.
    CWnd& Window() override { return *this; }
    const MainWindowStrings& Texts() const override { return m_strings; }
    void Repaint(std::span<const SkinPicture> pictures) override;

    void OnNcPaint();
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnClose();
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* dc);
    BOOL OnDeviceChange(UINT eventType, DWORD_PTR data);
    LRESULT OnDpiChanged(WPARAM dpi, LPARAM);
    LRESULT OnTrayIcon(WPARAM iconId, LPARAM mouseMessage);
    LRESULT OnNotification(WPARAM code, LPARAM detail);

    // Initialisation, step by step.
    bool TakeSingleInstance();
    void ChooseLanguageAndFonts();
    void FindMouse();
    bool RegisterForDeviceChanges();
    void LoadSettingsAndSkin();

    void RestoreFromTray();
    void RebuildCurrentPage();
    void ShowTrayMenu();
    // Closes the device handles and lets go of the window's ties, in order.
    void CleanUp();

    // The presses of the window's own elements (vantor_dlg_elements.cpp).
    bool ApplyToMouse(const OwnElement&);
    bool ExitToTray(const OwnElement&);
    bool MinimiseToTray(const OwnElement&);
    [[noreturn]] bool CloseProgram(const OwnElement&);
    bool OpenWebSite(const OwnElement&);
    bool ShowTab(const OwnElement& tab);

    // Pages and clicks.
    // Draws a page into the canvas unless it is the current one already.
    void DrawPage(layout::Page page);
    // Reads the canvas and draws the current page, once, before the first show.
    void DrawPageOnFirstShow();
    // Reads the canvas (and starts reading the fonts): drawing no longer waits.
    void ReadCanvasNow();
    void OnLButtonDown(UINT flags, CPoint point);
    // The page shown; none before the first page is drawn.
    IPage* CurrentPage();
    const IPage* CurrentPage() const;
    IPage& PageOf(layout::Page page) { return *m_pages[PageIndex(page)]; }
    static std::size_t PageIndex(layout::Page page) { return static_cast<std::size_t>(page) - 1; }
    void OnSlotListChoice(UINT listId);
    void OnStageListChoice(UINT listId);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);

    // Accessible elements.
    // One of the window's own elements, named.
    AccessibleElement OwnAccessibleElement(const OwnElement& own) const;
    // The current page's element, named, with its value or state.
    void AppendPageElement(AccessibleElements& elements, std::size_t element) const;

    // Hover pictures.
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseHover(UINT flags, CPoint point);
    void TrackHover();
    // The element under the point that hovering changes: the window's own
    // buttons first, then the current page's elements.
    std::optional<layout::hover::ElementRef> HoverElementAt(CPoint point) const;
    SkinPicture ElementPicture(layout::hover::ElementRef element, bool over) const;
    // Page::None holds the window's own flags.
    CHoverFlags& HoverFlags(layout::Page owner) { return m_hover[static_cast<std::size_t>(owner)]; }
    // Elements of other pages stay off the page now drawn.
    void ForgetHoverOfOtherPages();

    HICON m_hIcon = nullptr;
    SkinLanguage m_skinLanguage = SkinLanguage::English;
    Language m_language = Language::English;
    CFont m_listFont;
    CFont m_textFont;
    MainWindowStrings m_strings;
    SettingsFilePaths m_paths;
    std::u16string m_skinFolder;
    std::unique_ptr<CBitmap> m_canvas;
    // What ties the window to the world outside it. Members go in reverse
    // order, so at clean-up the tray icon goes first, then the channel
    // closes (nobody may reach an ending instance), then device changes stop.
    struct Ties {
        CDeviceNotification deviceNotification;
        CInstanceChannel channel;
        CTrayIcon trayIcon;
    };
    std::optional<Ties> m_ties{std::in_place};
    // config.bin's first byte: 0 until the first Apply, and then the key page
    // shows the first-run defaults.
    std::uint8_t m_appliedBeforeFlag = 0;
    CAssignmentDialogs m_dialogs;
    CKeyPage m_keyPage;
    CDpiPage m_dpiPage;
    CRateLightingPage m_rateLightingPage;
    // Indexed by layout::Page, less one: Page::None has no page.
    std::array<IPage*, 3> m_pages;
    // Hover flags by owner, indexed by layout::Page.
    std::vector<CHoverFlags> m_hover;
    CCtlColorBrush m_listBrush;
    layout::Page m_currentPage = layout::Page::None;
    // The first two non-client paints hide the window: it starts in the tray.
    int m_startHiddenPaints = 2;
    bool m_reshowRefresh = false;
    // Until the window is first shown the canvas is not read and pages change
    // state only: nothing draws.
    bool m_firstShowPending = true;
};

// The window's own elements, a row each, in the order of layout::WindowElement.
// Each tab's picture is drawn with its page (layout::kTabs).
inline constexpr std::array<CVantorDlg::OwnElement, layout::kWindowElementCount> CVantorDlg::kOwnElements = {{
    {layout::WindowElement::KeysTab, {ElementKind::Tab, layout::kTabs[0].rect}, {}, {}, &main_window_names::kTabs[0],
        layout::Page::Keys, &CVantorDlg::ShowTab},
    {layout::WindowElement::DpiTab, {ElementKind::Tab, layout::kTabs[1].rect}, {}, {}, &main_window_names::kTabs[1],
        layout::Page::Dpi, &CVantorDlg::ShowTab},
    {layout::WindowElement::RateAndLightingTab, {ElementKind::Tab, layout::kTabs[2].rect}, {}, {},
        &main_window_names::kTabs[2], layout::Page::RateAndLighting, &CVantorDlg::ShowTab},
    // Apply writes the record to the mouse, config.bin and the labels to
    // str.ini, and the record becomes what Exit goes back to.
    {layout::WindowElement::Apply, {ElementKind::Button, {471, 572, 587, 602}, true}, u"/Save-normal.png",
        u"/Save-over.png", &main_window_names::kApply, layout::Page::None, &CVantorDlg::ApplyToMouse},
    // Exit discards what was not applied, has the page rebuilt when the
    // window is next shown, and hides the window.
    {layout::WindowElement::Exit, {ElementKind::Button, {590, 572, 706, 602}, true}, u"/Exit-normal.png",
        u"/Exit-over.png", &main_window_names::kExit, layout::Page::None, &CVantorDlg::ExitToTray},
    // The link opens the maker's web site; the page picture draws it.
    {layout::WindowElement::WebLink, {ElementKind::Link, {273, 627, 449, 647}}, {}, {}, nullptr, layout::Page::None,
        &CVantorDlg::OpenWebSite},
    // Minimise hides the window in the tray, changes kept.
    {layout::WindowElement::Minimise, {ElementKind::Button, {688, 4, 719, 35}, true}, u"/Min-normal.png",
        u"/Min-over.png", &main_window_names::kMinimise, layout::Page::None, &CVantorDlg::MinimiseToTray},
    // Close ends the program.
    {layout::WindowElement::Close, {ElementKind::Button, {721, 4, 752, 35}, true}, u"/Close-normal.png",
        u"/Close-over.png", &main_window_names::kClose, layout::Page::None, &CVantorDlg::CloseProgram},
}};

// The row of one of the window's own elements.
constexpr const CVantorDlg::OwnElement& OwnElementRow(layout::WindowElement element)
{
    return CVantorDlg::kOwnElements[static_cast<std::size_t>(element)];
}

namespace own_elements_checks {

constexpr bool RowsInOrder()
{
    for (std::size_t row = 0; row < CVantorDlg::kOwnElements.size(); ++row) {
        if (static_cast<std::size_t>(CVantorDlg::kOwnElements[row].id) != row) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInOrder(), "each row sits at its WindowElement");

// A press runs the one element under it: they must not overlap. A tab shows
// its own page; an element that hovers has both pictures.
constexpr bool RowsSound()
{
    for (std::size_t tab = 0; tab < layout::kTabs.size(); ++tab) {
        const CVantorDlg::OwnElement& row = CVantorDlg::kOwnElements[tab];
        if (row.element.kind != ElementKind::Tab || row.page != layout::kTabs[tab].page) {
            return false;
        }
    }
    for (std::size_t a = 0; a < CVantorDlg::kOwnElements.size(); ++a) {
        const CVantorDlg::OwnElement& one = CVantorDlg::kOwnElements[a];
        if (one.element.hovers && (one.normalPicture.empty() || one.overPicture.empty())) {
            return false;
        }
        if ((one.element.kind == ElementKind::Tab) != (one.page != layout::Page::None)) {
            return false;
        }
        for (std::size_t b = a + 1; b < CVantorDlg::kOwnElements.size(); ++b) {
            const CRect& r = one.element.rect;
            const CRect& o = CVantorDlg::kOwnElements[b].element.rect;
            if (r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom) {
                return false;
            }
        }
    }
    return true;
}
static_assert(RowsSound());

}  // namespace own_elements_checks
