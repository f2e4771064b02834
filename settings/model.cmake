# SPDX-License-Identifier: GPL-3.0-or-later
# The constant tables of the settings model: key vocabulary, DPI codes and
# values. Free of process-wide state, so that the assignment dialogs can use
# them without being able to reach the settings record.
kx_library(kx_settings_tables
  SOURCES dpi_tables.cpp key_vocabulary.cpp
  DEPS kx_lang)

# The process-wide model: settings record, applied copy, device image, the
# DPI-table selector in force, the encoding of the record into the image, the
# record in words and the fields of a profile.
kx_library(kx_settings
  SOURCES device_image.cpp dpi_table_set.cpp image_encoding.cpp profile_fields.cpp settings_state.cpp
          settings_words.cpp
  DEPS kx_settings_tables kx_lang)
