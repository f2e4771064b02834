# SPDX-License-Identifier: GPL-3.0-or-later
# GDI stand-in: device contexts, bitmaps, fonts and pictures in plain C++;
# glyphs, picture codecs and smooth resampling from Qt under qt/gdi.
target_sources(kx_platform_ui PRIVATE
  gdi/bitmap.cpp
  gdi/brush.cpp
  gdi/dc.cpp
  gdi/font.cpp
  gdi/font_faces.cpp
  gdi/image.cpp
  gdi/imaging_library.cpp
  gdi/picture_density.cpp
  gdi/picture_file.cpp
  gdi/pixel_bytes.cpp
  gdi/pixel_ops.cpp
  gdi/png_direct.cpp
  gdi/png_rows.cpp
  qt/gdi/picture_file.cpp
  qt/gdi/pixel_scale.cpp
  qt/gdi/qt_font.cpp
  qt/gdi/text_raster.cpp)

# The skin's kinds of PNG are decoded straight into their rows, their image
# data inflated with zlib, which the Qt libraries load anyway.
find_package(ZLIB REQUIRED)
target_link_libraries(kx_platform_ui PRIVATE ZLIB::ZLIB)

# libspng, for the reference decoder (kx_png_libspng) and the skin generator;
# the program links no PNG library.
pkg_check_modules(SPNG REQUIRED IMPORTED_TARGET GLOBAL spng)
