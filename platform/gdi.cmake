# GDI stand-in: device contexts, bitmaps, fonts and pictures in plain C++;
# glyphs, picture codecs and smooth resampling from Qt under qt/gdi.
target_sources(kx_platform_ui PRIVATE
  gdi/bitmap.cpp
  gdi/brush.cpp
  gdi/dc.cpp
  gdi/font.cpp
  gdi/fontfaces.cpp
  gdi/image.cpp
  gdi/picturefile.cpp
  gdi/picture_density.cpp
  gdi/pixelops.cpp
  qt/gdi/picturefile.cpp
  qt/gdi/pixelscale.cpp
  qt/gdi/qtfont.cpp
  qt/gdi/textraster.cpp)
