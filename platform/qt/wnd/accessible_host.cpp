// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/accessible_host.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
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

// A box or a painted value: read as a label with the element's name and the
// element itself named by the value it shows, as a combo box with a label
// beside it is.
bool ShowsValue(const AccessibleElement& element)
{
    return element.control == nullptr &&
           (element.role == AccessibleRole::ComboBox || element.role == AccessibleRole::Text);
}

// What makes a painted element the same one from one look to the next: what
// it is, what it is called and where it lies. Its value and states change.
struct ElementKey {
    AccessibleRole role = AccessibleRole::Button;
    std::u16string name;
    CRect rect;

    friend bool operator==(const ElementKey&, const ElementKey&) = default;
};

ElementKey KeyOf(const AccessibleElement& element)
{
    return {element.role, element.name, element.rect};
}

// The window's element with that key now, if it still lists one.
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

// The states that differ between two looks at one element.
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

class CAccessibleHost;
CAccessibleHost* HostInterface(QWidget* host);

// One painted element of a host widget, or the label of one that shows a
// value. It answers with what the window lists under its key now, and with
// what it last showed once the window no longer lists it, until the host
// has announced it gone.
class CAccessibleElement : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CAccessibleElement(QWidget* host, const AccessibleElement& element, bool label)
        : m_host(host), m_key(KeyOf(element)), m_last(element), m_label(label)
    {
    }

    bool isValid() const override { return !m_host.isNull(); }
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
        const AccessibleElement element = Element();
        if (m_label || !ShowsValue(element)) {
            return kind == QAccessible::Name ? ToQString(element.name) : QString();
        }
        // Named by the value it shows, which is its value too.
        return kind == QAccessible::Name || kind == QAccessible::Value ? ToQString(element.value) : QString();
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override;

    QRect rect() const override
    {
        const AccessibleElement element = Element();
        if (!m_host) {
            return {};
        }
        const QPoint origin = m_host->mapToGlobal(QPoint(element.rect.left, element.rect.top));
        return QRect(origin, QSize(element.rect.Width(), element.rect.Height()));
    }

    QAccessible::Role role() const override { return m_label ? QAccessible::StaticText : RoleOf(m_key.role); }

    QAccessible::State state() const override
    {
        if (m_label) {
            return {};
        }
        QAccessible::State state = StateOf(Element());
        const CWnd* window = WindowOf(m_host);
        const auto focused = window != nullptr ? window->FocusedChild() : std::nullopt;
        if (focused) {
            const AccessibleElements elements = window->AccessibleChildren();
            state.focused = *focused < elements.size() && elements[*focused].control == nullptr &&
                            KeyOf(elements[*focused]) == m_key;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface && !m_label ? static_cast<QAccessibleActionInterface*>(this)
                                                                 : nullptr;
    }

    QStringList actionNames() const override
    {
        const AccessibleElement element = Element();
        if (m_label || !element.focusable || !CurrentElement(m_host, m_key)) {
            return {};
        }
        return {element.Checkable() ? toggleAction() : pressAction()};
    }

    // What a click on the element does, from the event loop: the click may
    // open a dialog, whose loop must not run inside the screen reader's call.
    void doAction(const QString& name) override
    {
        if (!actionNames().contains(name) || !m_host) {
            return;
        }
        QTimer::singleShot(0, m_host.data(), [host = m_host, key = m_key] {
            CWnd* window = WindowOf(host);
            const auto element = CurrentElement(host, key);
            if (window != nullptr && element) {
                CKeyboardFocus::Activate(*window, *element);
            }
        });
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    const ElementKey& Key() const { return m_key; }
    bool IsLabel() const { return m_label; }
    // What the reader was last told of the element.
    const AccessibleElement& Last() const { return m_last; }
    void Remember(const AccessibleElement& element) { m_last = element; }

private:
    AccessibleElement Element() const { return CurrentElement(m_host, m_key).value_or(m_last); }

    QPointer<QWidget> m_host;
    ElementKey m_key;
    AccessibleElement m_last;
    bool m_label;
};

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

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> CAccessibleElement::relations(
    QAccessible::Relation match) const
{
    // As a label and the widget it is the buddy of: the label is the
    // element's Label, the element is the label's Labelled.
    const QAccessible::Relation relation = m_label ? QAccessible::Labelled : QAccessible::Label;
    const CAccessibleHost* host = HostInterface(m_host.data());
    QAccessibleInterface* partner = host != nullptr && (match & relation) ? host->Partner(*this) : nullptr;
    if (partner == nullptr) {
        return {};
    }
    return {qMakePair(partner, relation)};
}

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
