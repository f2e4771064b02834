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
  qt/gdi/picturefile.cpp
  qt/gdi/qtfont.cpp
  qt/gdi/textraster.cpp)
