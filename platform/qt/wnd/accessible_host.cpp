// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/accessible_host.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "platform/qt/wnd/accessible_element.h"
#include "platform/qt/wnd/host_widget.h"
#include "platform/qt/wnd/native_window.h"
#include "platform/wnd/backend.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/cwinapp.h"
#include "platform/wnd/cwnd.h"
#include "platform/wnd/keyboard_focus.h"

namespace {

using namespace accessibility;

QWidget* ControlWidget(HWND control)
{
    const CWnd* window = CWnd::FromHandle(control);
    return window != nullptr && window->Native() != nullptr ? window->Native()->Widget() : nullptr;
}

class CAccessibleHost;
CAccessibleHost* HostInterface(QWidget* host);

// The host widget: a window or a dialog, named by its title, whose children
// are the window's elements in their order.
class CAccessibleHost : public QAccessibleWidget {
public:
    explicit CAccessibleHost(QWidget* host) : QAccessibleWidget(host, QAccessible::Window) {}

    ~CAccessibleHost() override
    {
        for (const Child& child : m_children) {
            if (child.id != 0) {
                QAccessible::deleteAccessibleInterface(child.id);
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

    int childCount() const override
    {
        Refresh();
        return static_cast<int>(m_children.size());
    }

    QAccessibleInterface* child(int index) const override
    {
        Refresh();
        return index >= 0 && index < static_cast<int>(m_children.size())
                   ? InterfaceOf(m_children[static_cast<std::size_t>(index)])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child == nullptr) {
            return -1;
        }
        Refresh();
        for (std::size_t i = 0; i < m_children.size(); ++i) {
            const Child& entry = m_children[i];
            const bool same = entry.id != 0 ? QAccessible::accessibleInterface(entry.id) == child
                                            : child->object() != nullptr && entry.widget.data() == child->object();
            if (same) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        Refresh();
        for (const Child& entry : m_children) {
            QAccessibleInterface* element = InterfaceOf(entry);
            if (element != nullptr && !entry.label && element->rect().contains(x, y)) {
                return element;
            }
        }
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        const CWnd* window = WindowOf(widget());
        const auto focused = window != nullptr ? window->FocusedChild() : std::nullopt;
        return focused ? ElementInterface(*focused) : QAccessibleWidget::focusChild();
    }

    // The interface of the window's element `index` (of its AccessibleChildren).
    QAccessibleInterface* ElementInterface(std::size_t index) const
    {
        Refresh();
        for (const Child& entry : m_children) {
            if (entry.element == index && !entry.label) {
                return InterfaceOf(entry);
            }
        }
        return nullptr;
    }

    // The label of an element that shows a value, or the element a label names.
    QAccessibleInterface* Partner(const CAccessibleElement& element) const
    {
        for (const Child& entry : m_children) {
            if (entry.id != 0 && entry.label != element.IsLabel() && entry.key == element.Key()) {
                return QAccessible::accessibleInterface(entry.id);
            }
        }
        return nullptr;
    }

    // Takes the window's elements as they are now: an element still listed
    // keeps its interface, and the reader hears what came, what went and
    // what changed.
    void Refresh() const
    {
        if (m_refreshing) {
            return;
        }
        m_refreshing = true;
        const AccessibleElements elements = ElementsOf(widget());
        std::vector<Child> before = std::move(m_children);
        std::vector<bool> kept(before.size(), false);
        std::vector<Child> now;
        std::vector<std::size_t> came;  // indexes in now
        const auto take = [&](const Child& wanted) -> std::optional<QAccessible::Id> {
            for (std::size_t i = 0; i < before.size(); ++i) {
                const Child& old = before[i];
                if (!kept[i] && old.label == wanted.label && old.control == wanted.control &&
                    old.widget == wanted.widget && (wanted.control != nullptr || old.key == wanted.key)) {
                    kept[i] = true;
                    return old.id;
                }
            }
            return std::nullopt;
        };
        const auto add = [&](Child child, const AccessibleElement& element) {
            if (const auto id = take(child)) {
                child.id = *id;
            } else {
                if (child.control == nullptr) {
                    child.id = QAccessible::registerAccessibleInterface(
                        new CAccessibleElement(widget(), element, child.label));
                }
                came.push_back(now.size());
            }
            now.push_back(std::move(child));
        };
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const AccessibleElement& element = elements[i];
            if (element.control != nullptr) {
                // A real control is named from the element, as from its label.
                QWidget* control = ControlWidget(element.control);
                if (control != nullptr && control->accessibleName() != ToQString(element.name)) {
                    control->setAccessibleName(ToQString(element.name));
                }
                add(Child{{}, false, element.control, control, 0, i}, element);
                continue;
            }
            if (ShowsValue(element)) {
                add(Child{KeyOf(element), true, nullptr, nullptr, 0, i}, element);
            }
            add(Child{KeyOf(element), false, nullptr, nullptr, 0, i}, element);
        }

        // What went is announced while it still answers, then let go.
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (kept[i]) {
                continue;
            }
            // A control whose window was destroyed was announced gone then.
            const bool destroyed = before[i].control != nullptr && ControlWidget(before[i].control) == nullptr;
            if (QAccessibleInterface* gone = InterfaceOf(before[i]); gone != nullptr && m_told && !destroyed) {
                QAccessibleEvent destroyed(gone, QAccessible::ObjectDestroyed);
                QAccessible::updateAccessibility(&destroyed);
            }
            if (before[i].id != 0) {
                QAccessible::deleteAccessibleInterface(before[i].id);
            }
        }
        m_children = std::move(now);
        for (const std::size_t i : came) {
            QAccessibleInterface* element = InterfaceOf(m_children[i]);
            if (element != nullptr && m_told) {
                QAccessibleEvent created(element, QAccessible::ObjectCreated);
                QAccessible::updateAccessibility(&created);
            }
        }
        for (std::size_t i = 0; i < m_children.size(); ++i) {
            const Child& entry = m_children[i];
            if (entry.id == 0 || entry.label || std::find(came.begin(), came.end(), i) != came.end()) {
                continue;
            }
            auto* element = static_cast<CAccessibleElement*>(QAccessible::accessibleInterface(entry.id));
            Announce(*element, elements[entry.element]);
        }
        for (const Child& entry : m_children) {
            if (entry.id != 0) {
                static_cast<CAccessibleElement*>(QAccessible::accessibleInterface(entry.id))
                    ->Remember(elements[entry.element]);
            }
        }
        m_told = true;
        m_refreshing = false;
    }

private:
    struct Child {
        ElementKey key;            // a painted element's
        bool label = false;        // the label of an element that shows a value
        HWND control = nullptr;    // or a real control
        QPointer<QWidget> widget;  // and its widget, which outlives it a little
        QAccessible::Id id = 0;    // a painted element's interface
        std::size_t element = 0;   // its index in the window's elements
    };

    static QAccessibleInterface* InterfaceOf(const Child& entry)
    {
        if (entry.id != 0) {
            return QAccessible::accessibleInterface(entry.id);
        }
        // A control that went is announced gone by its widget, which is
        // deleted only once the event loop comes round.
        return entry.widget ? QAccessible::queryAccessibleInterface(entry.widget.data()) : nullptr;
    }

    // A changed value, as a combo box tells it (its name is its value), and
    // changed states.
    static void Announce(CAccessibleElement& element, const AccessibleElement& now)
    {
        const AccessibleElement& before = element.Last();
        if (ShowsValue(now) && before.value != now.value) {
            if (now.role == AccessibleRole::ComboBox) {
                QAccessibleValueChangeEvent changed(&element, ToQString(now.value));
                QAccessible::updateAccessibility(&changed);
            } else {
                QAccessibleEvent changed(&element, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&changed);
            }
        }
        if (const QAccessible::State changed = ChangedStates(before, now); Any(changed)) {
            QAccessibleStateChangeEvent event(&element, changed);
            QAccessible::updateAccessibility(&event);
        }
    }

    mutable std::vector<Child> m_children;
    mutable bool m_refreshing = false;
    mutable bool m_told = false;  // the first look announces nothing
};

CAccessibleHost* HostInterface(QWidget* host)
{
    return host != nullptr ? dynamic_cast<CAccessibleHost*>(QAccessible::queryAccessibleInterface(host)) : nullptr;
}

}  // namespace

QAccessibleInterface* accessibility::LabelPartner(QWidget* host, const CAccessibleElement& element)
{
    const CAccessibleHost* hostInterface = HostInterface(host);
    return hostInterface != nullptr ? hostInterface->Partner(element) : nullptr;
}

namespace {

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
    const CAccessibleHost* hostInterface = HostInterface(host);
    QAccessibleInterface* element = hostInterface != nullptr ? hostInterface->ElementInterface(index) : nullptr;
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

void RefreshAccessibleElements(QWidget* host)
{
    if (host == nullptr || !QAccessible::isActive()) {
        return;
    }
    if (const CAccessibleHost* hostInterface = HostInterface(host)) {
        hostInterface->Refresh();
    }
}

}  // namespace desktop
