kx_library(kx_settings
  SOURCES device_image.cpp dpi_tables.cpp image_encoding.cpp key_vocabulary.cpp settings_state.cpp
  DEPS kx_lang)
