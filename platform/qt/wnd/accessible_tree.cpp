// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible tree of a window as text, one element a line, indented by
// depth: role, name in quotes, value after "=", states in brackets. What the
// screen reader is handed, through the same interfaces it asks.

#include <QAccessible>
#include <QWidget>

#include <optional>
#include <string>

#include "platform/qt/wnd/native_window.h"
#include "platform/wnd/cwnd.h"
#include "platform/wnd/testing.h"

namespace {

const char* RoleText(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Window:
        return "window";
    case QAccessible::Dialog:
        return "dialog";
    case QAccessible::PushButton:
        return "button";
    case QAccessible::Link:
        return "link";
    case QAccessible::PageTab:
        return "page tab";
    case QAccessible::ComboBox:
        return "combo box";
    case QAccessible::RadioButton:
        return "radio button";
    case QAccessible::CheckBox:
        return "check box";
    case QAccessible::StaticText:
        return "text";
    case QAccessible::EditableText:
        return "edit";
    case QAccessible::List:
        return "list";
    case QAccessible::ListItem:
        return "list item";
    default:
        return "other";
    }
}

std::string States(const QAccessible::State& state)
{
    std::string text;
    const auto add = [&text](bool set, const char* name) {
        if (set) {
            text += text.empty() ? "" : " ";
            text += name;
        }
    };
    add(state.focusable, "focusable");
    add(state.focused, "focused");
    add(state.checkable, "checkable");
    add(state.checked, "checked");
    add(state.selected, "selected");
    add(state.expanded, "expanded");
    add(state.collapsed, "collapsed");
    add(state.disabled, "disabled");
    return text;
}

void Dump(QAccessibleInterface* element, int depth, std::string& out)
{
    if (element == nullptr || !element->isValid()) {
        return;
    }
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ');
    out += RoleText(element->role());
    out += " \"" + element->text(QAccessible::Name).toStdString() + "\"";
    const QString value = element->text(QAccessible::Value);
    if (!value.isEmpty()) {
        out += " = \"" + value.toStdString() + "\"";
    }
    const std::string states = States(element->state());
    if (!states.empty()) {
        out += " [" + states + "]";
    }
    if (QAccessibleActionInterface* actions = element->actionInterface()) {
        const QStringList names = actions->actionNames();
        if (!names.isEmpty()) {
            out += " {" + names.join(QLatin1Char(',')).toStdString() + "}";
        }
    }
    out += "\n";
    for (int i = 0; i < element->childCount(); ++i) {
        Dump(element->child(i), depth + 1, out);
    }
}

QAccessibleInterface* WindowInterface(HWND window)
{
    const CWnd* target = CWnd::FromHandle(window);
    QWidget* widget = target != nullptr && target->Native() != nullptr ? target->Native()->Widget() : nullptr;
    return QAccessible::queryAccessibleInterface(widget);
}

QAccessibleInterface* ChildNamed(HWND window, const std::string& name)
{
    QAccessibleInterface* host = WindowInterface(window);
    for (int i = 0; host != nullptr && i < host->childCount(); ++i) {
        QAccessibleInterface* child = host->child(i);
        if (child != nullptr && child->text(QAccessible::Name).toStdString() == name) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

namespace wndtest {

std::string AccessibleTree(HWND window)
{
    PumpMessages();
    std::string out;
    Dump(WindowInterface(window), 0, out);
    return out;
}

bool AccessiblePress(HWND window, const std::string& name)
{
    QAccessibleInterface* child = ChildNamed(window, name);
    QAccessibleActionInterface* actions = child != nullptr ? child->actionInterface() : nullptr;
    if (actions == nullptr || actions->actionNames().isEmpty()) {
        return false;
    }
    actions->doAction(actions->actionNames().front());
    PumpMessages();
    return true;
}

std::optional<std::string> AccessibleValue(HWND window, const std::string& name)
{
    QAccessibleInterface* child = ChildNamed(window, name);
    if (child == nullptr) {
        return std::nullopt;
    }
    return child->text(QAccessible::Value).toStdString();
}

}  // namespace wndtest
