# SPDX-License-Identifier: GPL-3.0-or-later
# GDI stand-in: device contexts, bitmaps, fonts and pictures in plain C++;
# glyphs, the PNG writer and smooth resampling from Qt under qt/gdi.
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
  gdi/png_decode.cpp
  qt/gdi/pixel_scale.cpp
  qt/gdi/png_save.cpp
  qt/gdi/qt_font.cpp
  qt/gdi/text_raster.cpp)

# The pictures are decoded with libspng, which the skin generator writes them
# with too.
pkg_check_modules(SPNG REQUIRED IMPORTED_TARGET GLOBAL spng)
target_link_libraries(kx_platform_ui PRIVATE PkgConfig::SPNG)
