# SPDX-License-Identifier: GPL-3.0-or-later
kx_test(kx_ipc_tests
  SOURCES ipc/window_message_channel_test.cpp
  DEPS kx_platform_ipc)
