kx_library(kx_lang
  SOURCES main_strings.cpp
  DEPS kx_platform_base)
