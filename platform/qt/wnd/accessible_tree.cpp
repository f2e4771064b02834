// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible tree of a window as text, one element a line, indented by
// depth: role, name in quotes, the label it is labelled by after "<-", value
// after "=", states in brackets. What the screen reader is handed, through
// the same interfaces it asks.

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>
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
        return "label";
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
    for (const auto& [label, relation] : element->relations(QAccessible::Label)) {
        out += " <- \"" + label->text(QAccessible::Name).toStdString() + "\"";
    }
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

// The element called name, or the one its label of that name labels; a
// label itself is not what is asked for.
QAccessibleInterface* ChildNamed(HWND window, const std::string& name)
{
    QAccessibleInterface* host = WindowInterface(window);
    for (int i = 0; host != nullptr && i < host->childCount(); ++i) {
        QAccessibleInterface* child = host->child(i);
        if (child == nullptr || !child->relations(QAccessible::Labelled).isEmpty()) {
            continue;
        }
        bool named = child->text(QAccessible::Name).toStdString() == name;
        for (const auto& [label, relation] : child->relations(QAccessible::Label)) {
            named = named || label->text(QAccessible::Name).toStdString() == name;
        }
        if (named) {
            return child;
        }
    }
    return nullptr;
}

// Role, name, the labels it is labelled by, description and value, as a
// reader takes them when the focus lands on the element.
std::string Reading(QAccessibleInterface* element)
{
    std::string text = std::string(RoleText(element->role())) + " \"" + element->text(QAccessible::Name).toStdString() + "\"";
    for (const auto& [label, relation] : element->relations(QAccessible::Label)) {
        text += " labelled by " + std::string(RoleText(label->role())) + " \"" +
                label->text(QAccessible::Name).toStdString() + "\"";
    }
    text += " description \"" + element->text(QAccessible::Description).toStdString() + "\"";
    text += " value \"" + element->text(QAccessible::Value).toStdString() + "\"";
    return text;
}

}  // namespace

namespace wndtest {

std::optional<std::string> AccessibleReading(HWND window, const std::string& name)
{
    QAccessibleInterface* child = ChildNamed(window, name);
    if (child == nullptr) {
        return std::nullopt;
    }
    return Reading(child);
}

std::string LabelledComboBoxReading(const std::string& label, const std::string& value)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* caption = new QLabel(QString::fromStdString(label), &form);
    auto* box = new QComboBox(&form);
    box->addItem(QString::fromStdString(value));
    caption->setBuddy(box);
    layout->addWidget(caption);
    layout->addWidget(box);
    return Reading(QAccessible::queryAccessibleInterface(box));
}

std::uint64_t AccessibleId(HWND window, const std::string& name)
{
    QAccessibleInterface* child = ChildNamed(window, name);
    return child != nullptr ? QAccessible::uniqueId(child) : 0;
}

bool AccessibleIdAlive(std::uint64_t id)
{
    return id != 0 && QAccessible::accessibleInterface(static_cast<QAccessible::Id>(id)) != nullptr;
}

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
