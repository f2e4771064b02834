// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A painted element of a framework window as the screen reader sees it, and
// what the host's interface and the element's share: which element is the
// same one from one look to the next, and how its role and states read.

#include <QAccessibleInterface>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <optional>
#include <string>

#include "platform/wnd/accessible.h"
#include "platform/wnd/cwnd.h"
#include "platform/wnd/keyboard_focus.h"

namespace accessibility {

QString ToQString(const std::u16string& text);
CWnd* WindowOf(const QWidget* host);
AccessibleElements ElementsOf(const QWidget* host);
QAccessible::Role RoleOf(AccessibleRole role);

// A box or a painted value: read as a label with the element's name and the
// element itself named by the value it shows, as a combo box with a label
// beside it is.
bool ShowsValue(const AccessibleElement& element);

// What makes a painted element the same one from one look to the next: what
// it is, what it is called and where it lies. Its value and states change.
struct ElementKey {
    AccessibleRole role = AccessibleRole::Button;
    std::u16string name;
    CRect rect;

    friend bool operator==(const ElementKey&, const ElementKey&) = default;
};
ElementKey KeyOf(const AccessibleElement& element);

// The window's element with that key now, if it still lists one.
std::optional<AccessibleElement> CurrentElement(const QWidget* host, const ElementKey& key);

QAccessible::State StateOf(const AccessibleElement& element);
// The states that differ between two looks at one element.
QAccessible::State ChangedStates(const AccessibleElement& before, const AccessibleElement& now);
bool Any(const QAccessible::State& state);

class CAccessibleElement;
// The label of a box element, or the box of a label: what the host lists
// beside it (the host's interface answers it).
QAccessibleInterface* LabelPartner(QWidget* host, const CAccessibleElement& element);

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

}  // namespace accessibility
