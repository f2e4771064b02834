kx_test(kx_settings_model_tests
  SOURCES image_encoding_test.cpp key_vocabulary_test.cpp settings_model_test.cpp
  DEPS kx_settings)
