// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/accessible_element.h"

#include "platform/qt/wnd/native_window.h"
#include "platform/wnd/cwnd.h"

namespace accessibility {

QString ToQString(const std::u16string& text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

CWnd* WindowOf(const QWidget* host)
{
    return host != nullptr ? CWnd::FromHandle(WindowOfWidget(host)) : nullptr;
}


AccessibleElements ElementsOf(const QWidget* host)
{
    const CWnd* window = WindowOf(host);
    return window != nullptr ? window->AccessibleChildren() : AccessibleElements{};
}

QAccessible::Role RoleOf(AccessibleRole role)
{
    switch (role) {
    case AccessibleRole::Button:
        return QAccessible::Button;
    case AccessibleRole::Link:
        return QAccessible::Link;
    case AccessibleRole::PageTab:
        return QAccessible::PageTab;
    case AccessibleRole::ComboBox:
        return QAccessible::ComboBox;
    case AccessibleRole::RadioButton:
        return QAccessible::RadioButton;
    case AccessibleRole::CheckBox:
        return QAccessible::CheckBox;
    case AccessibleRole::Text:
        return QAccessible::StaticText;
    case AccessibleRole::Edit:
        return QAccessible::EditableText;
    case AccessibleRole::List:
        return QAccessible::List;
    }
    return QAccessible::NoRole;
}

bool ShowsValue(const AccessibleElement& element)
{
    return element.control == nullptr &&
           (element.role == AccessibleRole::ComboBox || element.role == AccessibleRole::Text);
}

ElementKey KeyOf(const AccessibleElement& element)
{
    return {element.role, element.name, element.rect};
}

std::optional<AccessibleElement> CurrentElement(const QWidget* host, const ElementKey& key)
{
    for (const AccessibleElement& element : ElementsOf(host)) {
        if (element.control == nullptr && KeyOf(element) == key) {
            return element;
        }
    }
    return std::nullopt;
}

QAccessible::State StateOf(const AccessibleElement& element)
{
    QAccessible::State state;
    state.focusable = element.focusable;
    state.disabled = element.Has(kAccUnavailable);
    state.checkable = element.Checkable();
    state.checked = element.Checkable() && element.Has(kAccChecked);
    state.selectable = element.role == AccessibleRole::PageTab;
    state.selected = element.Has(kAccSelected);
    state.expandable = element.role == AccessibleRole::ComboBox;
    state.expanded = element.Has(kAccExpanded);
    state.collapsed = element.role == AccessibleRole::ComboBox && !element.Has(kAccExpanded);
    return state;
}

QAccessible::State ChangedStates(const AccessibleElement& before, const AccessibleElement& now)
{
    const QAccessible::State was = StateOf(before);
    const QAccessible::State is = StateOf(now);
    QAccessible::State changed;
    changed.checked = was.checked != is.checked;
    changed.selected = was.selected != is.selected;
    changed.expanded = was.expanded != is.expanded;
    changed.collapsed = was.collapsed != is.collapsed;
    changed.disabled = was.disabled != is.disabled;
    changed.focusable = was.focusable != is.focusable;
    return changed;
}

bool Any(const QAccessible::State& state)
{
    return state.checked || state.selected || state.expanded || state.collapsed || state.disabled || state.focusable;
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> CAccessibleElement::relations(
    QAccessible::Relation match) const
{
    // As a label and the widget it is the buddy of: the label is the
    // element's Label, the element is the label's Labelled.
    const QAccessible::Relation relation = m_label ? QAccessible::Labelled : QAccessible::Label;
    QAccessibleInterface* partner = (match & relation) ? LabelPartner(m_host.data(), *this) : nullptr;
    if (partner == nullptr) {
        return {};
    }
    return {qMakePair(partner, relation)};
}

}  // namespace accessibility
