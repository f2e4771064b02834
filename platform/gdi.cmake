# GDI stand-in: device contexts, bitmaps, fonts and pictures in plain C++;
# glyphs and picture codecs from Qt under qt/gdi.
target_sources(kx_platform_ui PRIVATE
  gdi/bitmap.cpp
  gdi/brush.cpp
  gdi/dc.cpp
  gdi/font.cpp
  gdi/fontfaces.cpp
  gdi/image.cpp
  gdi/picturefile.cpp
  gdi/pixelops.cpp
  gdi/png_direct.cpp
  qt/gdi/picturefile.cpp
  qt/gdi/qtfont.cpp
  qt/gdi/textraster.cpp)

# The skin's kinds of PNG are decoded straight into their rows with libspng.
pkg_check_modules(SPNG REQUIRED IMPORTED_TARGET GLOBAL spng)
target_link_libraries(kx_platform_ui PRIVATE PkgConfig::SPNG)
