// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/accessible_host.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <optional>
#include <vector>

#include "platform/qt/wnd/host_widget.h"
#include "platform/qt/wnd/native_window.h"
#include "platform/wnd/backend.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/cwinapp.h"
#include "platform/wnd/cwnd.h"
#include "platform/wnd/keyboard_focus.h"

namespace {

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

QWidget* ControlWidget(HWND control)
{
    const CWnd* window = CWnd::FromHandle(control);
    return window != nullptr && window->Native() != nullptr ? window->Native()->Widget() : nullptr;
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

// One painted element of a host widget, found again by its place in the
// window's list each time it is asked, so that it always tells what the
// window shows now.
class CAccessibleElement : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CAccessibleElement(QWidget* host, int index) : m_host(host), m_index(index) {}

    bool isValid() const override { return Element().has_value(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_host ? m_host->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_host.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override
    {
        const auto element = Element();
        if (!element) {
            return {};
        }
        if (kind == QAccessible::Name) {
            return ToQString(element->name);
        }
        // The value again as the description, which the accessibility bus
        // carries for any element: a box's value reaches the reader there.
        if (kind == QAccessible::Value || kind == QAccessible::Description) {
            return ToQString(element->value);
        }
        return {};
    }

    QRect rect() const override
    {
        const auto element = Element();
        if (!element || !m_host) {
            return {};
        }
        const QPoint origin = m_host->mapToGlobal(QPoint(element->rect.left, element->rect.top));
        return QRect(origin, QSize(element->rect.Width(), element->rect.Height()));
    }

    QAccessible::Role role() const override
    {
        const auto element = Element();
        return element ? RoleOf(element->role) : QAccessible::NoRole;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        const auto element = Element();
        if (!element) {
            state.invalid = true;
            return state;
        }
        state.focusable = element->focusable;
        state.disabled = element->Has(kAccUnavailable);
        state.checkable = element->Checkable();
        state.checked = element->Checkable() && element->Has(kAccChecked);
        state.selectable = element->role == AccessibleRole::PageTab;
        state.selected = element->Has(kAccSelected);
        state.expandable = element->role == AccessibleRole::ComboBox;
        state.expanded = element->Has(kAccExpanded);
        state.collapsed = element->role == AccessibleRole::ComboBox && !element->Has(kAccExpanded);
        const CWnd* window = WindowOf(m_host);
        const auto focused = window != nullptr ? window->FocusedChild() : std::nullopt;
        state.focused = focused && static_cast<int>(*focused) == m_index;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        const auto element = Element();
        if (!element || !element->focusable) {
            return {};
        }
        return {element->Checkable() ? toggleAction() : pressAction()};
    }

    // What a click on the element does, from the event loop: the click may
    // open a dialog, whose loop must not run inside the screen reader's call.
    void doAction(const QString& name) override
    {
        if (!actionNames().contains(name) || !m_host) {
            return;
        }
        QTimer::singleShot(0, m_host.data(), [host = m_host, index = m_index] {
            CWnd* window = WindowOf(host);
            const AccessibleElements elements = ElementsOf(host);
            if (window != nullptr && index < static_cast<int>(elements.size())) {
                CKeyboardFocus::Activate(*window, elements[static_cast<std::size_t>(index)]);
            }
        });
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int Index() const { return m_index; }

private:
    std::optional<AccessibleElement> Element() const
    {
        const AccessibleElements elements = ElementsOf(m_host);
        if (m_index >= static_cast<int>(elements.size()) || elements[static_cast<std::size_t>(m_index)].control) {
            return std::nullopt;
        }
        return elements[static_cast<std::size_t>(m_index)];
    }

    QPointer<QWidget> m_host;
    int m_index;
};

// The host widget: a window or a dialog, named by its title, whose children
// are the window's elements in their order.
class CAccessibleHost : public QAccessibleWidget {
public:
    explicit CAccessibleHost(QWidget* host) : QAccessibleWidget(host, QAccessible::Window) {}

    ~CAccessibleHost() override
    {
        for (const QAccessible::Id id : m_elements) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }

    QAccessible::Role role() const override
    {
        // The program's main window is a dialog too, but not to the reader.
        const CWnd* window = WindowOf(widget());
        return dynamic_cast<const CDialog*>(window) != nullptr && window != AfxGetMainWnd() ? QAccessible::Dialog
                                                                                            : QAccessible::Window;
    }

    int childCount() const override { return static_cast<int>(ElementsOf(widget()).size()); }

    QAccessibleInterface* child(int index) const override
    {
        const AccessibleElements elements = ElementsOf(widget());
        if (index < 0 || index >= static_cast<int>(elements.size())) {
            return nullptr;
        }
        const AccessibleElement& element = elements[static_cast<std::size_t>(index)];
        if (element.control != nullptr) {
            QWidget* control = ControlWidget(element.control);
            if (control == nullptr) {
                return nullptr;
            }
            const QString name = ToQString(element.name);
            if (control->accessibleName() != name) {
                control->setAccessibleName(name);
            }
            return QAccessible::queryAccessibleInterface(control);
        }
        if (m_elements.size() <= static_cast<std::size_t>(index)) {
            m_elements.resize(static_cast<std::size_t>(index) + 1, 0);
        }
        QAccessible::Id& id = m_elements[static_cast<std::size_t>(index)];
        if (id == 0) {
            id = QAccessible::registerAccessibleInterface(new CAccessibleElement(widget(), index));
        }
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child == nullptr) {
            return -1;
        }
        if (child->object() == nullptr) {
            const auto* element = dynamic_cast<const CAccessibleElement*>(child);
            return element != nullptr && element->parent() == this ? element->Index() : -1;
        }
        const AccessibleElements elements = ElementsOf(widget());
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (elements[i].control != nullptr && ControlWidget(elements[i].control) == child->object()) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* element = child(i);
            if (element != nullptr && element->rect().contains(x, y)) {
                return element;
            }
        }
        return nullptr;
    }

private:
    mutable std::vector<QAccessible::Id> m_elements;
};

QAccessibleInterface* HostFactory(const QString&, QObject* object)
{
    auto* host = dynamic_cast<CHostWidget*>(object);
    return host != nullptr ? new CAccessibleHost(host) : nullptr;
}

}  // namespace

namespace wndbackend {

void AnnounceFocus(CWnd& window, std::size_t index)
{
    QWidget* host = window.Native() != nullptr ? window.Native()->Widget() : nullptr;
    if (host == nullptr || !QAccessible::isActive()) {
        return;
    }
    QAccessibleInterface* hostInterface = QAccessible::queryAccessibleInterface(host);
    QAccessibleInterface* element = hostInterface != nullptr ? hostInterface->child(static_cast<int>(index)) : nullptr;
    if (element != nullptr && element->object() == nullptr) {
        QAccessibleEvent focus(element, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

}  // namespace wndbackend

namespace desktop {

void InstallAccessibility()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(&HostFactory);
    }
}

}  // namespace desktop
