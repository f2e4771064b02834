# SPDX-License-Identifier: GPL-3.0-or-later
# The window framework: Qt-free classes in wnd/, their desktop half in qt/wnd/.
target_sources(kx_platform_ui PRIVATE
  wnd/cdialog.cpp
  wnd/ctl_color.cpp
  wnd/cwinapp.cpp
  wnd/cwnd.cpp
  wnd/dialog_template.cpp
  wnd/hook.cpp
  wnd/hover_tracker.cpp
  wnd/keyboard_focus.cpp
  wnd/keyboard_layout.cpp
  wnd/message_map.cpp
  wnd/msg_queue.cpp
  wnd/notify_icon.cpp
  wnd/wnd_class.cpp
  qt/wnd/accessible_element.cpp
  qt/wnd/accessible_host.cpp
  qt/wnd/control_input.cpp
  qt/wnd/cwnd_native.cpp
  qt/wnd/density.cpp
  qt/wnd/desktop.cpp
  qt/wnd/desktop_notification.cpp
  qt/wnd/edit.cpp
  qt/wnd/edit_widget.cpp
  qt/wnd/end_session.cpp
  qt/wnd/fd_watch.cpp
  qt/wnd/host_widget.cpp
  qt/wnd/icon.cpp
  qt/wnd/key_input.cpp
  qt/wnd/list_box.cpp
  qt/wnd/list_widget.cpp
  qt/wnd/menu.cpp
  qt/wnd/msg_box_presenter.cpp
  qt/wnd/native_window.cpp
  qt/wnd/notify_icon.cpp
  qt/wnd/records.cpp
  qt/wnd/winmain.cpp
  qt/wnd/x11_window_class.cpp)
target_link_libraries(kx_platform_ui PRIVATE Qt6::DBus PkgConfig::XCB)
