// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/vantor_dlg.h"

#include "lang/language.h"
#include "lang/main_window_names.h"
#include "tray/notifications.h"
#include "tray/tray_icon.h"
#include "device/device_change.h"
#include "device/device_link.h"
#include "device/discovery.h"
#include "device/transfer.h"
#include "mainwnd/outcome_box.h"
#include "platform/gdi/font.h"
#include "platform/hid.h"
#include "platform/msg_box.h"
#include "platform/services/named_mutex.h"
#include "platform/services/process.h"
#include "platform/services/system_info.h"
#include "platform/winuser.h"
#include "platform/wnd/menu.h"
#include "platform/wnd/vkeys.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/exe_path.h"
#include "settings/settings_state.h"
#include "settings/single_instance.h"
#include "skin/canvas.h"
#include "skin/repaint.h"

namespace {

constexpr char16_t kRegistrationFailed[] = u"RegisterDeviceNotification failed!!!";
constexpr char16_t kMainPicture[] = u"/main.png";

}  // namespace

const CMessageMap CVantorDlg::kMessageMap = {
    ON_WM_LBUTTONDOWN(&CVantorDlg::OnLButtonDown),
    ON_WM_MOUSEMOVE(&CVantorDlg::OnMouseMove),
    ON_WM_MOUSEHOVER(&CVantorDlg::OnMouseHover),
    ON_WM_CTLCOLOR(&CVantorDlg::OnCtlColor),
    ON_LBN_SELCHANGE_RANGE(layout::kFirstSlotListId, layout::kLastSlotListId, &CVantorDlg::OnSlotListChoice),
    ON_LBN_DBLCLK_RANGE(layout::kFirstSlotListId, layout::kLastSlotListId, &CVantorDlg::OnSlotListChoice),
    ON_LBN_SELCHANGE_RANGE(layout::kFirstStageListId, layout::kLastStageListId, &CVantorDlg::OnStageListChoice),
    ON_LBN_DBLCLK_RANGE(layout::kFirstStageListId, layout::kLastStageListId, &CVantorDlg::OnStageListChoice),
    ON_WM_NCPAINT(&CVantorDlg::OnNcPaint),
    ON_WM_PAINT(&CVantorDlg::OnPaint),
    ON_WM_QUERYDRAGICON(&CVantorDlg::OnQueryDragIcon),
    ON_WM_CLOSE(&CVantorDlg::OnClose),
    ON_WM_DESTROY(&CVantorDlg::OnDestroy),
    ON_WM_ERASEBKGND(&CVantorDlg::OnEraseBkgnd),
    ON_WM_DEVICECHANGE(&CVantorDlg::OnDeviceChange),
    ON_MESSAGE(WM_DPICHANGED, &CVantorDlg::OnDpiChanged),
    ON_MESSAGE(kTrayCallbackMessage, &CVantorDlg::OnTrayIcon),
    ON_MESSAGE(kNotificationMessage, &CVantorDlg::OnNotification),
};

CVantorDlg::CVantorDlg()
    : CDialog(kMainWindowTemplate, nullptr),
      m_keyPage(*this, m_dialogs),
      m_dpiPage(*this),
      m_rateLightingPage(*this),
      m_pages{&m_keyPage, &m_dpiPage, &m_rateLightingPage}
{
    m_hover.emplace_back(kOwnElements.size());
    for (const IPage* page : m_pages) {
        m_hover.emplace_back(page->Elements().size());
    }
    RegisterIconFiles(IDI_KX507, kApplicationIconFiles);
    m_hIcon = LoadIconW(IDI_KX507);
    g_deviceLink.devicePresent = 0;
}

CVantorDlg::~CVantorDlg()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CVantorDlg::OnInitDialog()
{
    if (!TakeSingleInstance()) {
        ExitProcess(0);
    }
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    // No task-bar button: the tray icon is the window's only handle.
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    ChooseLanguageAndFonts();

    m_ties->trayIcon.Add(m_hWnd, m_hIcon);

    FindMouse();
    if (!RegisterForDeviceChanges()) {
        MessageBoxW(m_hWnd, kRegistrationFailed, nullptr, MB_OK);
        return FALSE;
    }
    LoadSettingsAndSkin();
    DrawPage(layout::Page::Keys);
    return TRUE;
}

// The first instance holds the mutex for the rest of its life and listens
// for other programs. A second one ends silently, except that where no
// notification area exists it first asks the running instance to show its
// window, which would otherwise be out of reach.
bool CVantorDlg::TakeSingleInstance()
{
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, kSingleInstanceMutex);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (!IsNotificationAreaAvailable()) {
            AskRunningInstanceToShow();
        }
        return false;
    }
    if (mutex != nullptr) {
        m_ties->channel.Open(m_hWnd);
    }
    return true;
}

void CVantorDlg::ChooseLanguageAndFonts()
{
    const DWORD version = GetVersion();
    const LANGID langId = GetSystemDefaultLangID();
    m_skinLanguage = SkinLanguageFor(langId);
    CreateListFont(m_listFont, langId, version);
    CreateTextFont(m_textFont, langId, version);
    m_language = LanguageFromLangId(langId);
    FillMainWindowStrings(m_strings, m_language);
    SetWindowText(main_window_names::kTitle.In(m_language));
}

void CVantorDlg::FindMouse()
{
    const Outcome found = Discover(g_deviceLink);
    ShowOutcome(m_hWnd, found, m_strings.strMouseNotFound);
    if (found.Done()) {
        g_deviceLink.devicePresent = 1;
        g_deviceLink.deviceOpened = 1;
        ShowOutcome(m_hWnd, RefreshDeviceImage(g_deviceLink, {g_deviceImage, g_deviceImageFromMouse}, DpiTableSet),
                    m_strings.strMouseNotFound);
        return;
    }
    MessageBoxW(m_hWnd, m_strings.strMouseNotFound.c_str(), kWarningCaption, MB_OK);
    g_deviceLink.devicePresent = 0;
}

bool CVantorDlg::RegisterForDeviceChanges()
{
    return m_ties->deviceNotification.Register(m_hWnd);
}

void CVantorDlg::LoadSettingsAndSkin()
{
    m_paths = SettingsFilePathsFor(ModulePath());
    ShowOutcome(m_hWnd, LoadSettingsFile(m_paths.settingsFile, m_appliedBeforeFlag, g_settingsRecord),
                m_strings.strMouseNotFound);
    CopyRecordToAppliedCopy();
    m_keyPage.UseLabelFile(m_paths.labelFile, m_strings.strSettingsSection);
    m_keyPage.LoadLabels();
    m_keyPage.UseAppliedBeforeFlag(m_appliedBeforeFlag);
    m_skinFolder = PathBesideExe(m_paths.modulePath, SkinFolderName(m_skinLanguage));
}

// A program that stays in the tray never shows its pages: the canvas is read
// and the current page drawn into it when the window is first shown.
void CVantorDlg::DrawPageOnFirstShow()
{
    if (!m_firstShowPending) {
        return;
    }
    ReadCanvasNow();
    const layout::Page page = m_currentPage;
    m_currentPage = layout::Page::None;
    DrawPage(page);
}

void CVantorDlg::ReadCanvasNow()
{
    m_firstShowPending = false;
    StartReadingFonts();
    // A missing picture leaves the canvas empty; the pages then draw nothing.
    m_canvas = LoadCanvas(m_skinFolder + kMainPicture, GetDpiForWindow(m_hWnd));
}

BOOL CVantorDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        ShowWindow(SW_HIDE);
        return TRUE;
    }
    if (IPage* shown = CurrentPage(); shown != nullptr && msg->message == WM_MOUSEMOVE) {
        shown->TrackListItem(msg->pt);
    }
    return CDialog::PreTranslateMessage(msg);
}

void CVantorDlg::OnNcPaint()
{
    if (m_startHiddenPaints > 0) {
        --m_startHiddenPaints;
        ShowWindow(SW_HIDE);
        return;
    }
    // The frame is painted as the window appears, before its client area:
    // however it came to be shown, its page is there when it is.
    if (IsWindowVisible()) {
        DrawPageOnFirstShow();
    }
    Default();
}

// Windows on this desktop are never minimised (the desktop shows the window
// icon itself), so the pages, drawn through the canvas, are all there is.
void CVantorDlg::OnPaint()
{
    Default();
}

HCURSOR CVantorDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CVantorDlg::OnClose()
{
    ShowWindow(SW_HIDE);
}

void CVantorDlg::OnDestroy()
{
    CleanUp();
    Default();
}

void CVantorDlg::CleanUp()
{
    CloseDeviceHandles(g_deviceLink);
    m_ties.reset();
}

BOOL CVantorDlg::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    EraseBackgroundWithCanvas(dc, client, m_canvas.get());
    return TRUE;
}

// On a screen of another density the window is drawn again from its pictures
// at that density, rather than shown enlarged or reduced: the surface and the
// canvas anew, then the current page as it stands.
LRESULT CVantorDlg::OnDpiChanged(WPARAM, LPARAM)
{
    Default();
    if (!m_skinFolder.empty() && !m_firstShowPending) {
        m_canvas = LoadCanvas(m_skinFolder + kMainPicture, GetDpiForWindow(m_hWnd));
        const layout::Page page = m_currentPage;
        m_currentPage = layout::Page::None;
        DrawPage(page);
    }
    return 0;
}

BOOL CVantorDlg::OnDeviceChange(UINT eventType, DWORD_PTR data)
{
    const DeviceChangeOutcome outcome =
        TrackDeviceChange(g_deviceLink, {g_deviceImage, g_deviceImageFromMouse}, DpiTableSet, eventType,
                          reinterpret_cast<const DEV_BROADCAST_HDR*>(data));
    ShowOutcome(m_hWnd, outcome.discovery, m_strings.strMouseNotFound);
    ShowOutcome(m_hWnd, outcome.read, m_strings.strMouseNotFound);
    if (outcome.kind == DeviceChangeKind::MouseGone) {
        SendMessage(kNotificationMessage, kNotifyMouseNotFound, 0);
        ShowWindow(SW_HIDE);
    }
    return TRUE;
}

LRESULT CVantorDlg::OnTrayIcon(WPARAM /*iconId*/, LPARAM mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        RestoreFromTray();
        break;
    case WM_RBUTTONUP:
        ShowTrayMenu();
        break;
    default:
        // Moves, presses and the right-button press do nothing.
        break;
    }
    return 0;
}

void CVantorDlg::RestoreFromTray()
{
    if (g_deviceLink.devicePresent == 0) {
        SendMessage(kNotificationMessage, kNotifyMouseNotFound, 0);
        return;
    }
    if (m_reshowRefresh) {
        m_reshowRefresh = false;
        RebuildCurrentPage();
    }
    DrawPageOnFirstShow();
    SetForegroundWindow();
    ShowWindow(SW_SHOW);
}

// After Exit the page shows what was last applied: the labels as Apply last
// wrote them, the stages and the ticks of the restored record. The third page
// is redrawn too: left as it was it would show the discarded choices as if
// they were the mouse's. The page is redrawn by making it not current for a
// moment.
void CVantorDlg::RebuildCurrentPage()
{
    const layout::Page page = m_currentPage;
    if (IPage* shown = CurrentPage()) {
        shown->CloseLists();
    }
    // Every page goes back to what was applied, not only the one shown: the
    // key page's labels of a discarded choice must not come back with its tab.
    for (IPage* each : m_pages) {
        each->RevertToApplied();
    }
    m_currentPage = layout::Page::None;
    DrawPage(page);
}

void CVantorDlg::ShowTrayMenu()
{
    CMenu menu;
    menu.CreatePopupMenu();
    // The entry is the cancel command: it ends the dialog and so the program.
    menu.AppendMenu(MF_STRING, IDCANCEL, m_strings.strExit);
    SetForegroundWindow();
    CPoint cursor;
    GetCursorPos(&cursor);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, cursor.x, cursor.y, this);
    menu.DestroyMenu();
}

LRESULT CVantorDlg::OnNotification(WPARAM code, LPARAM detail)
{
    const auto balloon = BalloonForNotification(m_strings, code, detail);
    if (balloon && m_ties) {
        m_ties->trayIcon.ShowBalloon(*balloon);
    }
    return 0;
}
