# SPDX-License-Identifier: GPL-3.0-or-later
kx_test(kx_settings_model_tests
  SOURCES image_encoding_test.cpp key_vocabulary_test.cpp settings_model_test.cpp
  DEPS kx_process_state kx_device kx_backend_sim kx_platform_ui kx_settings)
