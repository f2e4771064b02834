// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/desktop.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

#include <utility>
#include <vector>

#include "platform/qt/wnd/accessible_host.h"
#include "platform/qt/wnd/key_input.h"
#include "platform/qt/wnd/native_window.h"
#include "platform/qt/wnd/records.h"
#include "platform/wnd/backend.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/hover_tracker.h"
#include "platform/wnd/msg_queue.h"
#include "platform/wnd/vkeys.h"

namespace {

struct ModalLoop {
    CDialog* dialog;
    QEventLoop* loop;
};

struct DesktopState {
    desktop::HeadlessModalLoop headlessModalLoop = nullptr;  // set: a headless run
    DWORD virtualNow = 0;
    CPoint headlessCursor;
    QElapsedTimer clock;
    QTimer* hoverTimer = nullptr;
    bool drainScheduled = false;
    std::vector<ModalLoop> modalLoops;
    HWND focus = nullptr;
    // The left button as the windows' input last showed it: down where, and
    // where the pointer has gone since.
    bool leftHeld = false;
    QPoint pressedAt;
    QPoint pointerAt;
    // A window whose press asked for a move that is not handed over yet.
    HWND pendingMove = nullptr;
};

DesktopState& State()
{
    static DesktopState state;
    return state;
}

QTimer& HoverTimer()
{
    DesktopState& state = State();
    if (state.hoverTimer == nullptr) {
        state.hoverTimer = new QTimer(qApp);
        state.hoverTimer->setSingleShot(true);
        QObject::connect(state.hoverTimer, &QTimer::timeout,
            [] { CHoverTracker::Instance().TimePassed(wndbackend::HoverClock()); });
    }
    return *state.hoverTimer;
}

WPARAM MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    WPARAM state = 0;
    if (buttons & Qt::LeftButton) {
        state |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        state |= MK_RBUTTON;
    }
    if (modifiers & Qt::ShiftModifier) {
        state |= MK_SHIFT;
    }
    if (modifiers & Qt::ControlModifier) {
        state |= MK_CONTROL;
    }
    return state;
}

UINT MouseMessage(const QMouseEvent& event)
{
    const bool right = event.button() == Qt::RightButton;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        return right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    case QEvent::MouseButtonRelease:
        return right ? WM_RBUTTONUP : WM_LBUTTONUP;
    case QEvent::MouseButtonDblClick:
        return right ? WM_RBUTTONDOWN : WM_LBUTTONDBLCLK;
    default:
        return WM_MOUSEMOVE;
    }
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::function<void()> nativeDefault)
{
    MSG msg{window, message, wParam, lParam, wndbackend::HoverClock(), wndbackend::CursorPos()};
    PostQueuedMessage(QueuedMessage{msg, std::move(nativeDefault)});
}

// The window manager moves the window from here on, until the button is up.
void HandOverMove(HWND window)
{
    if (desktop::Headless()) {
        desktop::CountSystemMove();
        return;
    }
    CWnd* target = CWnd::FromHandle(window);
    QWidget* widget = target != nullptr && target->Native() != nullptr ? target->Native()->Widget() : nullptr;
    if (widget != nullptr && widget->isWindow() && widget->windowHandle() != nullptr) {
        widget->windowHandle()->startSystemMove();
    }
}

// A press asks for a move, but the window manager gets it only once the
// pointer has gone past the desktop's drag distance with the button still
// held. Handed over at the press, a quick click (a touchpad tap) would have
// its button up before the window manager takes the pointer, and the window
// would follow the pointer until the next click.
void FollowPendingMove()
{
    DesktopState& state = State();
    if (state.pendingMove == nullptr) {
        return;
    }
    if (!state.leftHeld) {
        state.pendingMove = nullptr;
        return;
    }
    const int distance = QGuiApplication::styleHints()->startDragDistance();
    if ((state.pointerAt - state.pressedAt).manhattanLength() >= distance) {
        HandOverMove(std::exchange(state.pendingMove, nullptr));
    }
}

void TrackLeftButton(const QMouseEvent& event)
{
    DesktopState& state = State();
    const QPoint global = event.globalPosition().toPoint();
    if (event.button() == Qt::LeftButton &&
        (event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick)) {
        state.pressedAt = global;
    }
    state.pointerAt = global;
    state.leftHeld = (event.buttons() & Qt::LeftButton) != 0;
    FollowPendingMove();
}

bool IsEdit(HWND window)
{
    CWnd* control = CWnd::FromHandle(window);
    return control != nullptr && control->Native() != nullptr &&
           control->Native()->Widget()->inherits("QLineEdit");
}

void NotifyParent(HWND window, WORD code)
{
    CWnd* control = CWnd::FromHandle(window);
    if (control != nullptr && control->GetParent() != nullptr) {
        control->GetParent()->SendMessage(WM_COMMAND,
            MAKEWPARAM(static_cast<WORD>(control->GetDlgCtrlID()), code), reinterpret_cast<LPARAM>(window));
    }
}

}  // namespace

namespace desktop {

bool Headless()
{
    return State().headlessModalLoop != nullptr;
}

void SetHeadless(HeadlessModalLoop modalLoop)
{
    State().headlessModalLoop = modalLoop;
}

DWORD VirtualNow()
{
    return State().virtualNow;
}

void AdvanceVirtualClock(DWORD milliseconds)
{
    State().virtualNow += milliseconds;
}

void SetHeadlessCursor(CPoint screen)
{
    State().headlessCursor = screen;
}

void PostMouseInput(HWND window, const QMouseEvent& event, std::function<void()> nativeDefault)
{
    const QPoint pos = event.position().toPoint();
    const CPoint client(pos.x(), pos.y());
    if (event.type() == QEvent::MouseMove) {
        PointerOver(window, client);
    }
    TrackLeftButton(event);
    Post(window, MouseMessage(event), MouseKeyState(event.buttons(), event.modifiers()), PointToLParam(client),
        std::move(nativeDefault));
}

void PostKeyInput(HWND window, const QKeyEvent& event, std::function<void()> nativeDefault)
{
    const KeyStroke key = KeyStrokeOf(event);
    const bool down = event.type() == QEvent::KeyPress;
    const bool alt = (event.modifiers() & Qt::AltModifier) != 0;
    const UINT message = alt || key.virtualKey == VK_MENU ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP)
                                                          : (down ? WM_KEYDOWN : WM_KEYUP);
    Post(window, message, key.virtualKey, KeyMessageLParam(key, down, event.isAutoRepeat(), alt),
        std::move(nativeDefault));
}

void PointerOver(HWND window, CPoint client)
{
    CHoverTracker::Instance().PointerMoved(window, client, wndbackend::HoverClock());
}

void FocusMovedTo(HWND window)
{
    DesktopState& state = State();
    if (state.focus == window) {
        return;
    }
    const HWND previous = state.focus;
    state.focus = window;
    if (IsEdit(previous)) {
        NotifyParent(previous, EN_KILLFOCUS);
    }
    if (IsEdit(window)) {
        NotifyParent(window, EN_SETFOCUS);
    }
}

HWND FocusedControl()
{
    return IsWindow(State().focus) ? State().focus : nullptr;
}

}  // namespace desktop

namespace wndbackend {

void RequestDrain()
{
    DesktopState& state = State();
    if (state.drainScheduled || QCoreApplication::instance() == nullptr) {
        return;
    }
    state.drainScheduled = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            State().drainScheduled = false;
            DrainMessages();
        },
        Qt::QueuedConnection);
}

void RunModalLoop(CDialog& dialog)
{
    if (const desktop::HeadlessModalLoop headless = State().headlessModalLoop) {
        headless(dialog);
        return;
    }
    QEventLoop loop;
    State().modalLoops.push_back({&dialog, &loop});
    DrainMessages();
    if (!dialog.IsModalEnded()) {
        loop.exec();
    }
    State().modalLoops.pop_back();
}

void QuitModalLoop()
{
    for (const ModalLoop& entry : State().modalLoops) {
        if (entry.dialog->IsModalEnded()) {
            entry.loop->quit();
        }
    }
}

void PresentSurface(CWnd& window)
{
    if (window.Native() != nullptr && window.Native()->Widget() != nullptr) {
        window.Native()->Widget()->update();
        // What is drawn anew may be another page, an open list or a new value.
        desktop::RefreshAccessibleElements(window.Native()->Widget());
    }
}

void StartSystemMove(CWnd& window)
{
    // The press is queued: by now the button may be up again, or the pointer
    // already past the distance.
    State().pendingMove = window.GetSafeHwnd();
    FollowPendingMove();
}

CRect WorkArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return CRect(0, 0, 1024, 768);
    }
    const QRect area = screen->availableGeometry();
    return CRect(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
}

DWORD HoverClock()
{
    DesktopState& state = State();
    if (state.headlessModalLoop != nullptr) {
        return state.virtualNow;
    }
    if (!state.clock.isValid()) {
        state.clock.start();
    }
    return static_cast<DWORD>(state.clock.elapsed());
}

void ArmHoverTimer(DWORD dueTime)
{
    if (desktop::Headless() || QCoreApplication::instance() == nullptr) {
        return;  // headless time passes only through wndtest::AdvanceTime
    }
    const auto wait = static_cast<std::int32_t>(dueTime - HoverClock());
    HoverTimer().start(std::max(0, wait));
}

CPoint CursorPos()
{
    if (desktop::Headless() || QGuiApplication::instance() == nullptr) {
        return State().headlessCursor;
    }
    const QPoint pos = QCursor::pos();
    return CPoint(pos.x(), pos.y());
}

}  // namespace wndbackend

BOOL GetCursorPos(CPoint* point)
{
    if (point == nullptr) {
        return FALSE;
    }
    *point = wndbackend::CursorPos();
    return TRUE;
}

HWND GetFocus()
{
    if (HWND control = desktop::FocusedControl()) {
        return control;
    }
    const QWidget* active = QApplication::activeWindow();
    return active != nullptr ? WindowOfWidget(active) : nullptr;
}

HWND GetForegroundWindow()
{
    const QWidget* active = QApplication::activeWindow();
    return active != nullptr ? WindowOfWidget(active) : nullptr;
}

HWND WindowFromPoint(CPoint screenPoint)
{
    const QPoint global(screenPoint.x, screenPoint.y);
    const std::vector<HWND> windows = CWnd::AllWindows();
    // Newest first: a dialog lies over the window that opened it.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const HWND handle = *it;
        CWnd* window = CWnd::FromHandle(handle);
        QWidget* widget = window->Native() != nullptr ? window->Native()->Widget() : nullptr;
        if (window->GetParent() != nullptr || widget == nullptr || !widget->isVisible()) {
            continue;
        }
        const QPoint local = widget->mapFromGlobal(global);
        if (!widget->rect().contains(local)) {
            continue;
        }
        QWidget* child = widget->childAt(local);
        const HWND inner = child != nullptr ? WindowOfWidget(child) : nullptr;
        return inner != nullptr ? inner : handle;
    }
    return nullptr;
}
