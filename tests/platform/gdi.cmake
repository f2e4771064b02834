# A PNG writer for tests that need picture files of a known shape.
add_library(kx_test_png STATIC gdi/test_png.cpp)
target_include_directories(kx_test_png PUBLIC ${KX_SOURCE_ROOT})

kx_test(gdi_tests
  SOURCES gdi/dc_blit_test.cpp gdi/dc_text_test.cpp gdi/density_test.cpp gdi/image_test.cpp
  DEPS kx_platform_ui kx_test_png)
if(TARGET kx_png_libspng)
  target_sources(gdi_tests PRIVATE gdi/png_decoders_test.cpp)
  target_link_libraries(gdi_tests PRIVATE kx_png_libspng)
endif()
