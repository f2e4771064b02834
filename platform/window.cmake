# The window framework: Qt-free classes in wnd/, their desktop half in qt/wnd/.
target_sources(kx_platform_ui PRIVATE
  wnd/cdialog.cpp
  wnd/ctlcolor.cpp
  wnd/cwinapp.cpp
  wnd/cwnd.cpp
  wnd/dialogtemplates.cpp
  wnd/hook.cpp
  wnd/hovertracker.cpp
  wnd/keyboardlayout.cpp
  wnd/messagemap.cpp
  wnd/msgqueue.cpp
  wnd/notifyicon.cpp
  wnd/wndclass.cpp
  qt/wnd/controlinput.cpp
  qt/wnd/cwnd_native.cpp
  qt/wnd/desktop.cpp
  qt/wnd/desktopnotification.cpp
  qt/wnd/edit.cpp
  qt/wnd/editwidget.cpp
  qt/wnd/endsession.cpp
  qt/wnd/fdwatch.cpp
  qt/wnd/hostwidget.cpp
  qt/wnd/icon.cpp
  qt/wnd/keyinput.cpp
  qt/wnd/listbox.cpp
  qt/wnd/listwidget.cpp
  qt/wnd/menu.cpp
  qt/wnd/msgboxpresenter.cpp
  qt/wnd/nativewindow.cpp
  qt/wnd/notifyicon.cpp
  qt/wnd/test_notification_service.cpp
  qt/wnd/testing.cpp
  qt/wnd/winmain.cpp)
target_link_libraries(kx_platform_ui PRIVATE Qt6::DBus)
