// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen reader's view of a framework window: the host widget's
// accessible interface lists the window's elements (CWnd::AccessibleChildren)
// as its children, a painted element as an interface of its own, a real
// control as its widget's interface, named from the element.

class QWidget;

namespace desktop {

// Makes the host widgets answer through the interfaces here; safe to call again.
void InstallAccessibility();

}  // namespace desktop
