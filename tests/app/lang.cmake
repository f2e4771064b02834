kx_test(kx_lang_tests
  SOURCES lang_test.cpp
  DEPS kx_lang)
