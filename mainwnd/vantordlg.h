#pragma once
// The main window: a borderless skinned dialog on template 700 that starts
// hidden in the tray. This part of the class is its frame: start-up, the tray
// icon and its balloons, the device-change hook, hiding and the two ways of
// ending. The pages draw into its canvas.

#include <cstdint>
#include <memory>
#include <string>

#include "app/instance_channel.h"
#include "app/main_strings.h"
#include "platform/dbt.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/font.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/notifyicon.h"
#include "settings/label_file.h"
#include "settings/settings_file.h"

inline constexpr UINT IDD_KX507_DIALOG = 700;

// Values of currentPage; 0 before the first page is drawn.
inline constexpr int kKeyPage = 1;
inline constexpr int kDpiPage = 2;
inline constexpr int kRateAndLightingPage = 3;

// The skin language: which skin folder and which fonts go with the texts.
inline constexpr int kChineseSkin = 1;
inline constexpr int kEnglishSkin = 2;

class CVantorDlg : public CDialog {
public:
    CVantorDlg();
    ~CVantorDlg() override;

    BOOL OnInitDialog() override;
    // Enter and Escape hide the window instead of ending the dialog.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The Close button: the destruction clean-up, then the process ends with
    // exit code 0 at once.
    [[noreturn]] void CloseProgram();
    // The Exit button: unapplied changes are discarded, the page is rebuilt
    // when the window is next shown, and the window hides.
    void ExitToTray();

    int CurrentPage() const { return currentPage; }
    int SkinLanguage() const { return m_skinLanguage; }
    const MainWindowStrings& Strings() const { return m_strings; }
    const CFont& ListFont() const { return m_listFont; }
    const CFont& TextFont() const { return m_textFont; }
    const SettingsFilePaths& Paths() const { return m_paths; }
    const std::u16string& SkinFolder() const { return m_skinFolder; }
    const SlotLabels& Labels() const { return m_slotLabel; }
    const CBitmap* Canvas() const { return m_canvas.get(); }
    std::uint8_t FirstRunFlag() const { return m_firstRunFlag; }
    bool ReshowRefreshPending() const { return m_reshowRefresh; }
    const NOTIFYICONDATAW& TrayIconRecord() const { return m_trayIcon; }
    bool IsListeningToOtherPrograms() const { return m_channel.IsOpen(); }

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    static const CMessageMap kMessageMap;

    void OnNcPaint();
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnClose();
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* dc);
    BOOL OnDeviceChange(UINT eventType, DWORD_PTR data);
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
    // Draws a page into the canvas unless it is the current one already.
    void DrawPage(int page);
    // Device handles, tray icon, channel and device notifications; done once.
    void CleanUp();

    HICON m_hIcon = nullptr;
    int m_skinLanguage = kEnglishSkin;
    CFont m_listFont;
    CFont m_textFont;
    MainWindowStrings m_strings;
    NOTIFYICONDATAW m_trayIcon;
    bool m_trayIconAdded = false;
    SettingsFilePaths m_paths;
    std::u16string m_skinFolder;
    std::unique_ptr<CBitmap> m_canvas;
    DEV_BROADCAST_DEVICEINTERFACE_W m_notificationFilter{};
    HDEVNOTIFY m_deviceNotify = nullptr;
    CInstanceChannel m_channel;
    std::uint8_t m_firstRunFlag = 0;
    SlotLabels m_slotLabel;
    int currentPage = 0;
    // The first two non-client paints hide the window: it starts in the tray.
    int m_startHiddenPaints = 2;
    bool m_reshowRefresh = false;
};
