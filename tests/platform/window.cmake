kx_test(kx_window_tests
  SOURCES
    wnd/controls_test.cpp
    wnd/dialog_test.cpp
    wnd/hook_test.cpp
    wnd/hover_test.cpp
    wnd/message_map_test.cpp
    wnd/tray_menu_test.cpp
  DEPS kx_platform_ui kx_test_support)
