# SPDX-License-Identifier: GPL-3.0-or-later
# A PNG writer for tests that need picture files of a known shape.
add_library(kx_test_png STATIC gdi/test_png.cpp)
target_include_directories(kx_test_png PUBLIC ${KX_SOURCE_ROOT})

find_package(ZLIB REQUIRED)
kx_test(gdi_tests
  SOURCES gdi/dc_blit_test.cpp gdi/dc_text_test.cpp gdi/density_test.cpp gdi/image_test.cpp
          gdi/png_decode_test.cpp gdi/picture_cache_test.cpp
  DEPS kx_platform_ui kx_test_png ZLIB::ZLIB)
