# SPDX-License-Identifier: GPL-3.0-or-later
kx_test(kx_window_tests
  SOURCES
    wnd/controls_test.cpp
    wnd/dialog_test.cpp
    wnd/hook_test.cpp
    wnd/hover_test.cpp
    wnd/message_map_test.cpp
    wnd/tray_menu_test.cpp
  DEPS kx_platform_ui kx_test_support)

# The notification service on a session bus of the test's own.
find_program(KX_DBUS_RUN_SESSION dbus-run-session)
if(KX_DBUS_RUN_SESSION)
  add_executable(kx_notification_service_tests wnd/notification_service_test.cpp)
  set_target_properties(kx_notification_service_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(kx_notification_service_tests PRIVATE ${KX_SOURCE_ROOT})
  target_link_libraries(kx_notification_service_tests PRIVATE kx_platform_ui kx_test_support kx_lsan_suppressions
    GTest::gtest GTest::gtest_main)
  add_test(NAME notification_service
    COMMAND ${KX_DBUS_RUN_SESSION} -- $<TARGET_FILE:kx_notification_service_tests>)
  set_tests_properties(notification_service PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60)
  # The same service as a process of its own, for the tests that run the program.
  add_executable(kx-notification-recorder wnd/notification_recorder.cpp)
  set_target_properties(kx-notification-recorder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(kx-notification-recorder PRIVATE ${KX_SOURCE_ROOT})
  target_link_libraries(kx-notification-recorder PRIVATE kx_platform_testing kx_platform_ui kx_lsan_suppressions)
else()
  message(STATUS "dbus-run-session not found: the notification service test is left out")
endif()
