// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/cdialog.h"

#include <algorithm>
#include <vector>

#include "platform/wnd/backend.h"
#include "platform/wnd/cwinapp.h"
#include "platform/wnd/vkeys.h"
#include "platform/wnd/wnd_class.h"

namespace {

// The dialogs whose modal loops run, the innermost last.
std::vector<CDialog*>& ModalDialogs()
{
    static std::vector<CDialog*> dialogs;
    return dialogs;
}

// Keeps a dialog in ModalDialogs while DoModal runs it.
class CModalRegistration {
public:
    explicit CModalRegistration(CDialog* dialog) : m_dialog(dialog) { ModalDialogs().push_back(dialog); }
    ~CModalRegistration() { std::erase(ModalDialogs(), m_dialog); }
    CModalRegistration(const CModalRegistration&) = delete;
    CModalRegistration& operator=(const CModalRegistration&) = delete;

private:
    CDialog* m_dialog;
};

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent)
    : m_pParentWnd(parent), m_templateId(dialogTemplate.id), m_ownTemplate(dialogTemplate)
{
    RegisterDialogTemplate(dialogTemplate);
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CDialog::CreateFromTemplate(CWnd* owner)
{
    // Its own template stays its own when another registers under the same id.
    m_template = m_ownTemplate && m_ownTemplate->id == m_templateId ? m_ownTemplate : FindDialogTemplate(m_templateId);
    if (!m_template) {
        return FALSE;
    }
    if (m_template->className != nullptr && !IsWindowClassRegistered(m_template->className)) {
        return FALSE;
    }
    const CSize size = DialogClientSize(*m_template);
    if (!CreateTopLevel(m_template->style & ~WS_VISIBLE, m_template->exStyle, CRect(0, 0, size.cx, size.cy), owner)) {
        return FALSE;
    }
    if ((m_template->style & DS_CENTER) != 0) {
        CenterWindow(nullptr);
    }
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_templateId = templateId;
    m_pParentWnd = parent;
    m_modal = false;
    if (!CreateFromTemplate(parent)) {
        return FALSE;
    }
    const HWND handle = m_hWnd;
    SendMessage(WM_INITDIALOG);
    if (FromHandle(handle) == this && (m_template->style & WS_VISIBLE) != 0) {
        ShowWindow(SW_SHOWNORMAL);
    }
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    // A dialog already in its modal loop is not made a second time over itself.
    if (m_modal) {
        return -1;
    }
    CWnd* owner = m_pParentWnd;
    if (owner == nullptr && AfxGetMainWnd() != this) {
        owner = AfxGetMainWnd();
    }
    if (owner != nullptr && owner->m_hWnd == nullptr) {
        owner = nullptr;
    }
    m_modal = true;
    m_modalEnded = false;
    m_modalResult = -1;
    const CModalRegistration registration(this);
    if (!CreateFromTemplate(owner)) {
        m_modal = false;
        return -1;
    }
    const HWND ownerHandle = owner != nullptr ? owner->m_hWnd : nullptr;
    const bool ownerEnabled = owner != nullptr && owner->IsWindowEnabled();
    if (ownerEnabled) {
        owner->EnableWindow(FALSE);
    }
    const HWND handle = m_hWnd;
    const CRect created = [this] {
        CRect rect;
        GetWindowRect(&rect);
        return rect;
    }();
    SendMessage(WM_INITDIALOG);
    if (!m_modalEnded && FromHandle(handle) == this) {
        CRect now;
        GetWindowRect(&now);
        // A dialog that did not place itself is centred over its owner.
        if (now == created && (m_template->style & DS_CENTER) == 0) {
            CenterWindow(owner);
        }
        // A modal dialog is shown whatever its template's visibility.
        ShowWindow(SW_SHOWNORMAL);
        if (!m_modalEnded && FromHandle(handle) == this) {
            wndbackend::RunModalLoop(*this);
        }
    }
    if (ownerEnabled && CWnd::FromHandle(ownerHandle) == owner) {
        owner->EnableWindow(TRUE);
        owner->SetForegroundWindow();
    }
    if (FromHandle(handle) == this) {
        DestroyWindow();
    }
    m_modal = false;
    return m_modalResult;
}

void CDialog::CancelModalDialogs()
{
    // Copied: cancelling may end loops and so change the list.
    const std::vector<CDialog*> running = ModalDialogs();
    for (auto it = running.rbegin(); it != running.rend(); ++it) {
        CDialog* dialog = *it;
        const auto& still = ModalDialogs();
        if (std::find(still.begin(), still.end(), dialog) == still.end() || dialog->m_modalEnded) {
            continue;
        }
        if (dialog->m_hWnd != nullptr) {
            dialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
        }
        if (std::find(still.begin(), still.end(), dialog) != still.end() && !dialog->m_modalEnded) {
            dialog->EndDialog(IDCANCEL);
        }
    }
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    m_modalEnded = true;
    if (m_modal) {
        wndbackend::QuitModalLoop();
    } else {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(static_cast<int>(IDOK));
}

void CDialog::OnCancel()
{
    EndDialog(static_cast<int>(IDCANCEL));
}

std::optional<std::size_t> CDialog::FocusedChild() const
{
    return m_keyboardFocus.FocusedIndex(AccessibleChildren());
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (m_keyboardFocus.PreTranslate(*this, *msg)) {
        return TRUE;
    }
    if (msg->message != WM_KEYDOWN) {
        return FALSE;
    }
    if (msg->wParam == VK_RETURN) {
        SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDOK), 0), 0);
        return TRUE;
    }
    if (msg->wParam == VK_ESCAPE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), 0), 0);
        return TRUE;
    }
    return FALSE;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // A dialog opens with its first element focused.
        m_keyboardFocus.Reset();
        return OnInitDialog();
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && LOWORD(wParam) == IDOK) {
            OnOK();
        } else if (HIWORD(wParam) == 0 && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
        }
        return 0;
    case WM_CLOSE:
        // A close request is the cancel command, as the dialog manager has it.
        PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), 0), 0);
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}
