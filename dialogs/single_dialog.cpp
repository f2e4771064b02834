// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/single_dialog.h"

#include <string>

#include "platform/gdi/dc.h"
#include "platform/hid.h"
#include "platform/msg_box.h"
#include "platform/services/key_names.h"
#include "platform/winuser.h"
#include "platform/wnd/hook.h"
#include "platform/wnd/vkeys.h"

namespace {

constexpr CRect kPromptRect{19, 92, 207, 112};
constexpr LocalizedText kPrompt{u"Please enter a key", u"请输入一个按键", u"請輸入一個按鍵"};
constexpr char16_t kHookFailure[] = u"KeyboardHook_SingleDlgKey Install error code :";

// Shared by the hook procedure and the one single key dialog there is at a
// time. The name captured last stays in the buffer across openings, but
// reaches a dialog only through a new keystroke.
char16_t g_capturedName[kCapturedNameCapacity] = {};
HHOOK g_keyboardHook = nullptr;
HWND g_targetWindow = nullptr;

bool IsWindowsKey(WPARAM virtualKey)
{
    return virtualKey == VK_LWIN || virtualKey == VK_RWIN;
}

}  // namespace

const CMessageMap CSingleDialog::kMessageMap{&CAssignDialog::kMessageMap,
    {
        ON_MESSAGE(kKeyCapturedMessage, &CSingleDialog::OnKeyCaptured),
        ON_WM_HELPINFO(&CSingleDialog::OnHelpInfo),
        ON_WM_DESTROY(&CSingleDialog::OnDestroy),
    }};

CSingleDialog::CSingleDialog(CWnd* parent) : CAssignDialog(kSingleKeyDialog, parent) {}

CSingleDialog::~CSingleDialog()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

void CSingleDialog::OnDestroy()
{
    if (g_targetWindow == m_hWnd) {
        UnhookWindowsHookEx(g_keyboardHook);
        g_keyboardHook = nullptr;
        g_targetWindow = nullptr;
    }
    CAssignDialog::OnDestroy();
}

void CSingleDialog::SetLanguageTexts(Language language)
{
    m_prompt = kPrompt.In(language);
}

void CSingleDialog::SetUpDialog()
{
    g_targetWindow = m_hWnd;
    g_keyboardHook = SetWindowsHookExW(WH_KEYBOARD, &CSingleDialog::KeyboardProc, nullptr, GetCurrentThreadId());
    if (g_keyboardHook == nullptr) {
        // The dialog stays open and captures nothing; Save gives an empty name.
        const std::string code = std::to_string(GetLastError());
        std::u16string text = kHookFailure;
        text.append(code.begin(), code.end());
        text += u'\n';
        MessageBoxW(m_hWnd, text.c_str(), nullptr, MB_OK);
    }
}

void CSingleDialog::AppendEraseContent(std::vector<SkinPicture>& pictures) const
{
    pictures.push_back(LabelOnly(PlainText(kPromptRect, m_prompt, DT_CENTER)));
}

// Every key message taken from the thread's queue, down, repeat and up: its
// name goes into the buffer and the dialog shows it. The keystroke goes on.
LRESULT CSingleDialog::KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HC_ACTION) {
        return CallNextHookEx(g_keyboardHook, code, wParam, lParam);
    }
    const int length = GetKeyNameTextW(static_cast<LONG>(lParam), g_capturedName, kCapturedNameCapacity);
    g_capturedName[length] = u'\0';
    if (CWnd* target = CWnd::FromHandle(g_targetWindow)) {
        target->SendMessage(kKeyCapturedMessage, 0, 0);
    }
    return 0;
}

LRESULT CSingleDialog::OnKeyCaptured(WPARAM, LPARAM)
{
    m_keyName = g_capturedName;
    const SkinPicture box = KeyBox();
    Draw({&box, 1});
    return 0;
}

SkinPicture CSingleDialog::KeyBox() const
{
    return SkinPicture{kDropDownNormalPicture, dialog_rows::kListDialogBox.TopLeft(),
        PlainText(dialog_rows::kListDialogBox, m_keyName, DT_CENTER)};
}

// The box with the captured key's name, once a key was captured.
void CSingleDialog::AppendCanvasState(std::vector<SkinPicture>& pictures) const
{
    if (!m_keyName.empty()) {
        pictures.push_back(KeyBox());
    }
}

void CSingleDialog::AppendAccessibleContent(AccessibleElements& elements) const
{
    AccessibleElement box{AccessibleRole::Text, std::u16string(Row().boxName.In(TextLanguage())), m_keyName, 0,
        dialog_rows::kListDialogBox};
    box.focusable = false;
    elements.push_back(box);
}

// Enter and Esc are keys to capture here, not the dialog's keys, and so are
// Tab and Space, which elsewhere walk the dialog; the Windows keys are
// swallowed whatever the message.
BOOL CSingleDialog::PreTranslateMessage(MSG* msg)
{
    if (IsWindowsKey(msg->wParam)) {
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) {
        return FALSE;
    }
    return CAssignDialog::PreTranslateMessage(msg);
}

BOOL CSingleDialog::OnHelpInfo(HELPINFO*)
{
    return TRUE;
}
