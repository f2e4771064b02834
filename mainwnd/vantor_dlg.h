// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: a borderless skinned dialog on template 700 that starts
// hidden in the tray. Its frame (vantor_dlg.cpp) is start-up, the tray icon
// and its balloons, the device-change hook, hiding and the two ways of
// ending; its three pages are classes of their own behind one page interface
// (page.h), held in an array by layout::Page, and the window passes the
// current page what its own buttons leave (vantor_dlg_pages.cpp); the press
// of each of its own buttons and of the web link is in that element's file
// (apply_button.cpp, exit_button.cpp, minimise_button.cpp, close_button.cpp,
// web_link.cpp); its buttons and the pages' elements change
// pictures under the pointer (vantor_dlg_hover.cpp), and a screen reader and
// the keyboard reach them all (vantor_dlg_access.cpp). Everything it shows is
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
#include "lang/main_strings.h"
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

    // The window's own elements (layout::kWindowElements), each press in the
    // element's own file. A press on an element: whether it goes on to the
    // page and, untaken there, to a drag of the window.
    bool PressOwnElement(std::size_t element);
    void ApplyToMouse();
    void ExitToTray();
    void MinimiseToTray();
    [[noreturn]] void CloseProgram();
    void OpenWebSite();

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
    // Element `element` of layout::kWindowElements, named.
    AccessibleElement WindowElement(std::size_t element) const;
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
