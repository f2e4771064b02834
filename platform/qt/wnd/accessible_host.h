// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen reader's view of a framework window: the host widget's
// accessible interface lists the window's elements (CWnd::AccessibleChildren)
// as its children, a painted element as an interface of its own, a real
// control as its widget's interface, named from the element.
//
// A box or a painted value reaches the reader as a labelled Qt combo box
// does: a label with the element's name, then the element named by the value
// it shows, labelled by that label. Each painted element keeps its interface
// for as long as the window lists it; one that goes (a page switch, a list
// closed) is announced destroyed, one that comes created, and a changed name,
// value or state is announced as the change it is.

class QWidget;

namespace desktop {

// Makes the host widgets answer through the interfaces here; safe to call again.
void InstallAccessibility();

// Compares the window's elements with what its reader was last told and
// announces the difference; a window nobody reads is left alone.
void RefreshAccessibleElements(QWidget* host);

}  // namespace desktop
