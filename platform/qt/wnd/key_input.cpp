// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/key_input.h"

#include "platform/wnd/vkeys.h"

namespace {

constexpr int kEvdevOffset = 8;
bool IsKeypadDigit(const QKeyEvent& event)
{
    const QString text = event.text();
    return (event.modifiers() & Qt::KeypadModifier) != 0 && text.size() == 1 &&
           (text[0].isDigit() || text[0] == QLatin1Char('.'));
}

// The virtual key of a Qt key, for events that come without a scan code.
UINT VirtualKeyOfQtKey(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<UINT>(key);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
        return VK_TAB;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Alt:
        return VK_MENU;
    default:
        return 0;
    }
}

struct QtKey {
    int key = Qt::Key_unknown;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

QtKey QtKeyOf(const KeyStroke& stroke)
{
    const UINT vk = stroke.virtualKey;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
        return {static_cast<int>(vk), QString(QChar(static_cast<char16_t>(vk)).toLower()), Qt::NoModifier};
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) {
        const auto digit = static_cast<int>(vk - VK_NUMPAD0);
        return {Qt::Key_0 + digit, QString::number(digit), Qt::KeypadModifier};
    }
    if (vk >= VK_F1 && vk <= VK_F24) {
        return {Qt::Key_F1 + static_cast<int>(vk - VK_F1), {}, Qt::NoModifier};
    }
    switch (vk) {
    case VK_RETURN:
        return {stroke.extended ? Qt::Key_Enter : Qt::Key_Return, QStringLiteral("\r"),
            stroke.extended ? Qt::KeypadModifier : Qt::NoModifier};
    case VK_ESCAPE:
        return {Qt::Key_Escape, QString(QChar(0x1B)), Qt::NoModifier};
    case VK_BACK:
        return {Qt::Key_Backspace, QString(QChar(0x08)), Qt::NoModifier};
    case VK_TAB:
        return {Qt::Key_Tab, QStringLiteral("\t"), Qt::NoModifier};
    case VK_SPACE:
        return {Qt::Key_Space, QStringLiteral(" "), Qt::NoModifier};
    case VK_DELETE:
        return {Qt::Key_Delete, {}, Qt::NoModifier};
    case VK_LEFT:
        return {Qt::Key_Left, {}, Qt::NoModifier};
    case VK_RIGHT:
        return {Qt::Key_Right, {}, Qt::NoModifier};
    case VK_UP:
        return {Qt::Key_Up, {}, Qt::NoModifier};
    case VK_DOWN:
        return {Qt::Key_Down, {}, Qt::NoModifier};
    case VK_HOME:
        return {Qt::Key_Home, {}, Qt::NoModifier};
    case VK_END:
        return {Qt::Key_End, {}, Qt::NoModifier};
    case VK_CONTROL:
        return {Qt::Key_Control, {}, Qt::NoModifier};
    case VK_SHIFT:
        return {Qt::Key_Shift, {}, Qt::NoModifier};
    case VK_MENU:
        return {Qt::Key_Alt, {}, Qt::NoModifier};
    case VK_LWIN:
    case VK_RWIN:
        return {Qt::Key_Meta, {}, Qt::NoModifier};
    default:
        return {};
    }
}

}  // namespace

KeyStroke KeyStrokeOf(const QKeyEvent& event)
{
    const int evdev = static_cast<int>(event.nativeScanCode()) - kEvdevOffset;
    if (const auto stroke = KeyFromEvdev(evdev, IsKeypadDigit(event))) {
        return *stroke;
    }
    // Platforms that give no scan code: the few keys a Qt key names alone.
    const UINT vk = VirtualKeyOfQtKey(event.key());
    if (const auto stroke = KeyFromVirtualKey(vk, event.key() == Qt::Key_Enter)) {
        return *stroke;
    }
    return KeyStroke{0, 0, false, vk};
}

std::unique_ptr<QKeyEvent> MakeKeyEvent(const KeyStroke& stroke, bool down, bool autoRepeat,
    Qt::KeyboardModifiers held)
{
    const QtKey qt = QtKeyOf(stroke);
    const auto scanCode = static_cast<quint32>(stroke.evdev != 0 ? stroke.evdev + kEvdevOffset : 0);
    const Qt::KeyboardModifiers modifiers = qt.modifiers | held;
    return std::make_unique<QKeyEvent>(down ? QEvent::KeyPress : QEvent::KeyRelease, qt.key, modifiers, scanCode,
        0, 0, qt.text, autoRepeat);
}

std::optional<KeyStroke> KeyForCharacter(char16_t c)
{
    if (c >= u'a' && c <= u'z') {
        c = static_cast<char16_t>(c - u'a' + u'A');
    }
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')) {
        return KeyFromVirtualKey(static_cast<UINT>(c), false);
    }
    if (c == u' ') {
        return KeyFromVirtualKey(VK_SPACE, false);
    }
    return std::nullopt;
}
