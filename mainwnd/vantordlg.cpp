#include "mainwnd/vantordlg.h"

#include "app/language.h"
#include "app/notifications.h"
#include "app/tray_icon.h"
#include "device/device_change.h"
#include "device/device_link.h"
#include "device/discovery.h"
#include "device/transfer.h"
#include "platform/hid.h"
#include "platform/msgbox.h"
#include "platform/services/named_mutex.h"
#include "platform/services/process.h"
#include "platform/services/system_info.h"
#include "platform/winuser.h"
#include "platform/wnd/menu.h"
#include "platform/wnd/vkeys.h"
#include "settings/exe_path.h"
#include "settings/settings_state.h"
#include "settings/single_instance.h"
#include "skin/canvas.h"
#include "skin/repaint.h"

namespace {

constexpr char16_t kWarningCaption[] = u"Warning";
constexpr char16_t kRegistrationFailed[] = u"RegisterDeviceNotification failed!!!";
constexpr char16_t kMainPicture[] = u"/main.png";

// The size the filter is announced with: the broadcast record up to a
// one-character name, as the notification service expects it.
constexpr DWORD kNotificationFilterSize = 32;

struct FontChoice {
    int height;
    LONG weight;
    const char16_t* face;
};

struct FontPair {
    FontChoice list;
    FontChoice text;
};

// Chinese systems from version 6.2 on have the bolder face; older ones the classic one.
constexpr FontPair kChineseFonts{{13, FW_NORMAL, u"黑体"}, {15, FW_BOLD, u"黑体"}};
constexpr FontPair kClassicChineseFonts{{13, FW_NORMAL, u"宋体"}, {15, FW_NORMAL, u"宋体"}};
constexpr FontPair kEnglishFonts{{14, FW_NORMAL, u"Arial"}, {15, FW_BOLD, u"Tahoma"}};

void CreateSkinFont(CFont& font, const FontChoice& choice)
{
    font.CreateFont(choice.height, 0, 0, 0, choice.weight, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, choice.face);
}

bool IsVersion62(DWORD version)
{
    return LOBYTE(version) == 6 && HIBYTE(version) == 2;
}

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
    ON_MESSAGE(kTrayCallbackMessage, &CVantorDlg::OnTrayIcon),
    ON_MESSAGE(kNotificationMessage, &CVantorDlg::OnNotification),
};

CVantorDlg::CVantorDlg()
    : CDialog(IDD_KX507_DIALOG, nullptr),
      m_keyPage(*this, m_dialogs),
      m_dpiPage(*this),
      m_rateLightingPage(*this),
      m_hover(layout::hover::kCount)
{
    m_hIcon = LoadIconW(IDI_KX507);
    g_deviceLink.devicePresent = 0;
    m_notificationFilter.dbcc_size = kNotificationFilterSize;
    m_notificationFilter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    m_notificationFilter.dbcc_reserved = 0;
    m_notificationFilter.dbcc_classguid = GUID_DEVINTERFACE_HID;
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

    m_trayIcon = MakeTrayIconRecord(m_hWnd, m_hIcon);
    m_trayIconAdded = true;
    Shell_NotifyIconW(NIM_ADD, &m_trayIcon);

    FindMouse();
    if (!RegisterForDeviceChanges()) {
        MessageBoxW(m_hWnd, kRegistrationFailed, nullptr, MB_OK);
        return FALSE;
    }
    LoadSettingsAndSkin();
    DrawPage(layout::kKeyPage);
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
        m_channel.Open(m_hWnd);
    }
    return true;
}

void CVantorDlg::ChooseLanguageAndFonts()
{
    const DWORD version = GetVersion();
    const LANGID langId = GetSystemDefaultLangID();
    const FontPair* fonts = &kEnglishFonts;
    if (langId == kLangIdSimplifiedChinese) {
        m_skinLanguage = kChineseSkin;
        fonts = IsVersion62(version) ? &kChineseFonts : &kClassicChineseFonts;
    } else {
        m_skinLanguage = kEnglishSkin;
    }
    CreateSkinFont(m_listFont, fonts->list);
    CreateSkinFont(m_textFont, fonts->text);
    FillMainWindowStrings(m_strings, LanguageFromLangId(langId));
}

void CVantorDlg::FindMouse()
{
    if (Discover(m_hWnd) != 0) {
        g_deviceLink.devicePresent = 1;
        g_deviceLink.deviceOpened = 1;
        RefreshDeviceImage(m_hWnd, m_strings.strMouseNotFound);
        return;
    }
    MessageBoxW(m_hWnd, m_strings.strMouseNotFound.c_str(), kWarningCaption, MB_OK);
    g_deviceLink.devicePresent = 0;
}

bool CVantorDlg::RegisterForDeviceChanges()
{
    m_deviceNotify = RegisterDeviceNotificationW(m_hWnd, &m_notificationFilter, DEVICE_NOTIFY_WINDOW_HANDLE);
    return m_deviceNotify != nullptr;
}

void CVantorDlg::LoadSettingsAndSkin()
{
    m_paths = LoadSettingsFile(m_hWnd, m_firstRunFlag, g_settingsRecord);
    CopyRecordToAppliedCopy();
    m_keyPage.UseLabelFile(m_paths.labelFile, m_strings.strSettingsSection);
    m_keyPage.LoadLabels();
    m_skinFolder = PathBesideExe(m_paths.modulePath, m_skinLanguage == kChineseSkin ? u"/Skins/CHS" : u"/Skins/EN");
    // A missing picture leaves the canvas empty; the pages then draw nothing.
    m_canvas = LoadCanvas(m_skinFolder + kMainPicture);
}

BOOL CVantorDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        ShowWindow(SW_HIDE);
        return TRUE;
    }
    if (msg->message == WM_MOUSEMOVE) {
        if (currentPage == layout::kKeyPage) {
            m_keyPage.TrackListItem(msg->pt);
        } else if (currentPage == layout::kDpiPage) {
            m_dpiPage.TrackListItem(msg->pt);
        }
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
    CloseDeviceHandles();
    if (m_trayIconAdded) {
        m_trayIconAdded = false;
        Shell_NotifyIconW(NIM_DELETE, &m_trayIcon);
    }
    // Nobody may reach this instance once it is ending.
    m_channel.Close();
    if (m_deviceNotify != nullptr) {
        UnregisterDeviceNotification(m_deviceNotify);
        m_deviceNotify = nullptr;
    }
}

BOOL CVantorDlg::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    EraseBackgroundWithCanvas(dc, client, m_canvas.get());
    return TRUE;
}

BOOL CVantorDlg::OnDeviceChange(UINT eventType, DWORD_PTR data)
{
    return ::OnDeviceChange(m_hWnd, eventType, reinterpret_cast<const DEV_BROADCAST_HDR*>(data),
                            m_strings.strMouseNotFound);
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
    const int page = currentPage;
    if (page == layout::kKeyPage) {
        m_keyPage.CloseLists();
        m_keyPage.LoadLabels();
    } else if (page == layout::kDpiPage) {
        m_dpiPage.CloseLists();
    }
    currentPage = 0;
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
    if (const auto balloon = BalloonForNotification(m_strings, code, detail)) {
        ShowBalloon(m_trayIcon, *balloon);
    }
    return 0;
}
