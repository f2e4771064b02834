// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/testing.h"

#include <QApplication>
#include <QImage>
#include <QMetaEnum>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/qt/wnd/accessible_host.h"
#include "platform/qt/wnd/density.h"
#include "platform/qt/wnd/desktop.h"
#include "platform/qt/wnd/key_input.h"
#include "platform/qt/wnd/native_window.h"
#include "platform/qt/wnd/records.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/hover_tracker.h"
#include "platform/wnd/msg_queue.h"
#include "platform/wnd/vkeys.h"

namespace {

Qt::MouseButtons g_buttons = Qt::NoButton;
wndtest::UnscriptedModalHandler g_unscriptedModal;
Qt::KeyboardModifiers g_held = Qt::NoModifier;  // modifier keys injected down and not yet up

Qt::KeyboardModifier ModifierOf(UINT virtualKey)
{
    switch (virtualKey) {
    case VK_MENU:
        return Qt::AltModifier;
    case VK_CONTROL:
        return Qt::ControlModifier;
    case VK_SHIFT:
        return Qt::ShiftModifier;
    default:
        return Qt::NoModifier;
    }
}

QWidget* WidgetOf(HWND window)
{
    CWnd* target = CWnd::FromHandle(window);
    return target != nullptr && target->Native() != nullptr ? target->Native()->Widget() : nullptr;
}

// The widget that gets pointer input at a client point of window, and the
// point in that widget's coordinates.
std::pair<QWidget*, QPoint> PointerTarget(HWND window, CPoint client)
{
    CWnd* target = CWnd::FromHandle(window);
    if (target == nullptr || target->Native() == nullptr || target->Native()->Widget() == nullptr) {
        return {nullptr, {}};
    }
    QWidget* input = target->Native()->InputWidget();
    const QPoint local(client.x, client.y);
    if (target->GetParent() == nullptr) {
        if (QWidget* child = input->childAt(local)) {
            return {child, child->mapFrom(input, local)};
        }
    }
    return {input, local};
}

void SendMouse(HWND window, CPoint client, QEvent::Type type, Qt::MouseButton button)
{
    auto [widget, local] = PointerTarget(window, client);
    if (widget == nullptr) {
        return;
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        g_buttons |= button;
    } else if (type == QEvent::MouseButtonRelease) {
        g_buttons &= ~Qt::MouseButtons(button);
    }
    const QPoint global = widget->mapToGlobal(local);
    desktop::SetHeadlessCursor(CPoint(global.x(), global.y()));
    QMouseEvent event(type, QPointF(local), QPointF(global), button, g_buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    wndtest::PumpMessages();
}

QWidget* KeyTarget(HWND window)
{
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) {
        return nullptr;
    }
    if (CWnd* target = CWnd::FromHandle(window); target->GetParent() == nullptr) {
        if (HWND focus = desktop::FocusedControl()) {
            QWidget* focused = WidgetOf(focus);
            if (focused != nullptr && widget->isAncestorOf(focused)) {
                return focused;
            }
        }
    }
    return widget;
}

void SendKey(HWND window, const KeyStroke& key, bool down, bool autoRepeat)
{
    QWidget* widget = KeyTarget(window);
    if (widget == nullptr) {
        return;
    }
    const Qt::KeyboardModifier modifier = ModifierOf(key.virtualKey);
    if (down) {
        g_held |= modifier;
    }
    const std::unique_ptr<QKeyEvent> event = MakeKeyEvent(key, down, autoRepeat, g_held);
    if (!down) {
        g_held &= ~Qt::KeyboardModifiers(modifier);
    }
    QApplication::sendEvent(widget, event.get());
    wndtest::PumpMessages();
}

KeyStroke StrokeFor(UINT virtualKey, bool extended)
{
    if (const auto key = KeyFromVirtualKey(virtualKey, extended)) {
        return *key;
    }
    return KeyStroke{0, 0, extended, virtualKey};
}

// The modal loop of headless runs: pumps and runs the scripted actions.
void RunScriptedModalLoop(CDialog& dialog)
{
    const HWND handle = dialog.m_hWnd;
    while (!dialog.IsModalEnded() && CWnd::FromHandle(handle) == &dialog) {
        wndtest::PumpMessages();
        if (dialog.IsModalEnded()) {
            break;
        }
        auto& actions = desktop::Records().modalActions;
        if (actions.empty()) {
            if (g_unscriptedModal) {
                g_unscriptedModal(dialog.TemplateId());
            } else {
                std::fprintf(stderr, "modal dialog %u left open with no scripted action: ended with -1\n",
                    dialog.TemplateId());
            }
            dialog.EndDialog(-1);
            break;
        }
        const std::function<void(HWND)> action = std::move(actions.front());
        actions.pop_front();
        action(handle);
    }
}

}  // namespace

namespace wndtest {

void StartHeadless()
{
    if (QCoreApplication::instance() == nullptr) {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        }
        static int argc = 1;
        static char name[] = "kx-headless";
        static char* argv[] = {name, nullptr};
        static QApplication* app = new QApplication(argc, argv);
        (void)app;
    }
    QApplication::setQuitOnLastWindowClosed(false);
    desktop::InstallAccessibility();
    CKeyboardFocus::ResetKeyboardUse();
    desktop::SetHeadless(&RunScriptedModalLoop);
    desktop::SetScreenDpiOverride(0);
    desktop::Records() = desktop::HeadlessRecords{};
    desktop::ForgetTrayIcons();
    g_buttons = Qt::NoButton;
    g_held = Qt::NoModifier;
    PumpMessages();
}

bool IsHeadless()
{
    return desktop::Headless();
}

void PumpMessages()
{
    static int depth = 0;
    // A test's ExitProcess hook may throw through a pump; the depth must
    // still come back down, or no later pump would count as the outermost.
    struct Level {
        Level() { ++depth; }
        ~Level() { --depth; }
        Level(const Level&) = delete;
        Level& operator=(const Level&) = delete;
    } level;
    do {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        DrainMessages();
    } while (HasQueuedMessages());
    // Widgets let go by destroyed windows are freed only by the outermost
    // pump: a nested one may run inside one of their own event handlers.
    if (depth == 1) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void AdvanceTime(DWORD milliseconds)
{
    desktop::AdvanceVirtualClock(milliseconds);
    CHoverTracker::Instance().TimePassed(desktop::VirtualNow());
    desktop::TrayTimePassed();
    PumpMessages();
}

DWORD Now()
{
    return desktop::VirtualNow();
}

void MouseMove(HWND window, CPoint client)
{
    SendMouse(window, client, QEvent::MouseMove, Qt::NoButton);
}

void MouseDown(HWND window, CPoint client)
{
    SendMouse(window, client, QEvent::MouseButtonPress, Qt::LeftButton);
}

void MouseUp(HWND window, CPoint client)
{
    SendMouse(window, client, QEvent::MouseButtonRelease, Qt::LeftButton);
}

void Click(HWND window, CPoint client)
{
    MouseDown(window, client);
    MouseUp(window, client);
}

void DoubleClick(HWND window, CPoint client)
{
    Click(window, client);
    SendMouse(window, client, QEvent::MouseButtonDblClick, Qt::LeftButton);
    MouseUp(window, client);
}

void RightClick(HWND window, CPoint client)
{
    SendMouse(window, client, QEvent::MouseButtonPress, Qt::RightButton);
    SendMouse(window, client, QEvent::MouseButtonRelease, Qt::RightButton);
}

void MouseLeave(HWND window)
{
    CHoverTracker::Instance().PointerLeft(window);
    PumpMessages();
}

void KeyDown(HWND window, UINT virtualKey, bool extended, bool autoRepeat)
{
    SendKey(window, StrokeFor(virtualKey, extended), true, autoRepeat);
}

void KeyUp(HWND window, UINT virtualKey, bool extended)
{
    SendKey(window, StrokeFor(virtualKey, extended), false, false);
}

void KeyPress(HWND window, UINT virtualKey, bool extended)
{
    KeyDown(window, virtualKey, extended);
    KeyUp(window, virtualKey, extended);
}

void ReportedKeyPress(HWND window, int evdevCode, int toolkitKey)
{
    QWidget* widget = KeyTarget(window);
    if (widget == nullptr) {
        return;
    }
    // X11 and Wayland give the evdev code offset by 8 as the native scan code.
    const auto scanCode = static_cast<quint32>(evdevCode > 0 ? evdevCode + 8 : 0);
    const int key = toolkitKey != 0 ? toolkitKey : static_cast<int>(Qt::Key_unknown);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, scanCode, 0, 0);
        QApplication::sendEvent(widget, &event);
        wndtest::PumpMessages();
    }
}

std::vector<std::pair<int, std::string>> ToolkitKeys()
{
    const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
    std::vector<std::pair<int, std::string>> all;
    for (int i = 0; i < keys.keyCount(); ++i) {
        all.emplace_back(keys.value(i), keys.key(i));
    }
    return all;
}

void TypeText(HWND window, std::u16string_view text)
{
    for (char16_t c : text) {
        if (const auto key = KeyForCharacter(c)) {
            SendKey(window, *key, true, false);
            SendKey(window, *key, false, false);
        }
    }
}

void Focus(HWND window)
{
    if (CWnd* target = CWnd::FromHandle(window)) {
        target->SetFocus();
        PumpMessages();
    }
}

namespace {

QImage Grab(HWND window)
{
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) {
        return {};
    }
    PumpMessages();
    return widget->grab().toImage();
}

}  // namespace

WindowImage GrabWindow(HWND window)
{
    const QImage image = Grab(window);
    WindowImage grabbed;
    grabbed.width = image.width();
    grabbed.height = image.height();
    grabbed.dpi = static_cast<UINT>(std::lround(image.devicePixelRatio() * 96));
    grabbed.pixels.reserve(static_cast<std::size_t>(grabbed.width) * grabbed.height);
    for (int y = 0; y < grabbed.height; ++y) {
        for (int x = 0; x < grabbed.width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            grabbed.pixels.push_back(
                RGB(static_cast<BYTE>(qRed(pixel)), static_cast<BYTE>(qGreen(pixel)), static_cast<BYTE>(qBlue(pixel))));
        }
    }
    return grabbed;
}

bool SaveWindowPng(HWND window, const std::string& path)
{
    const QImage image = Grab(window);
    return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

COLORREF WindowPixel(HWND window, CPoint client)
{
    const QImage image = Grab(window);
    // The screen pixel at the middle of the client pixel.
    const QPoint at(static_cast<int>((client.x + 0.5) * image.devicePixelRatio()),
                    static_cast<int>((client.y + 0.5) * image.devicePixelRatio()));
    if (image.isNull() || client.x < 0 || client.y < 0 || !image.rect().contains(at)) {
        return 0;
    }
    const QRgb pixel = image.pixel(at);
    return RGB(static_cast<BYTE>(qRed(pixel)), static_cast<BYTE>(qGreen(pixel)), static_cast<BYTE>(qBlue(pixel)));
}

void QueueModalAction(std::function<void(HWND dialog)> action)
{
    desktop::Records().modalActions.push_back(std::move(action));
}

UnscriptedModalHandler SetUnscriptedModalHandler(UnscriptedModalHandler handler)
{
    return std::exchange(g_unscriptedModal, std::move(handler));
}

const std::vector<TrayCall>& TrayCalls()
{
    return desktop::Records().trayCalls;
}

void TrayMouse(UINT mouseMessage)
{
    desktop::DeliverTrayMouse(mouseMessage);
    PumpMessages();
}

void SetScreenDpi(UINT dpi)
{
    desktop::SetScreenDpiOverride(dpi);
}

void SetNotificationAreaAvailable(bool available)
{
    desktop::Records().notificationArea = available;
}

const std::vector<DesktopNotification>& DesktopNotifications()
{
    return desktop::Records().notifications;
}

void SendDesktopNotificationsToSessionBus(bool send)
{
    desktop::Records().noticesToSessionBus = send;
}

const std::vector<MenuRecord>& Menus()
{
    return desktop::Records().menus;
}

void SetMenuChoice(UINT id)
{
    desktop::Records().menuChoice = id;
}

int SystemMovesStarted()
{
    return desktop::Records().systemMoves;
}

}  // namespace wndtest
