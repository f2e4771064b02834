# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings are errors for the project's own code.
add_compile_options(-Wall -Wextra -Werror)

if(KX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KX_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # Everything the fuzz targets link is instrumented for the fuzzer's coverage
  # and checked by the sanitizers; the standard library checks its bounds too,
  # so that reading past a table is caught even inside one object.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()

# kx_library(NAME SOURCES... [DEPS ...]) — a static library rooted at the
# repository root, so includes read "folder/file.h".
function(kx_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${KX_SOURCE_ROOT})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()
