# SPDX-License-Identifier: GPL-3.0-or-later
# The executable's own path and name, asked of a small probe program that the
# tests copy, start and then replace or remove while it runs.
add_executable(module_probe module_probe.cpp)
target_link_libraries(module_probe PRIVATE kx_platform_base)
set_target_properties(module_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

kx_test(kx_platform_module_tests
  SOURCES module_test.cpp
  DEPS kx_platform_base)
target_compile_definitions(kx_platform_module_tests PRIVATE KX_MODULE_PROBE="$<TARGET_FILE:module_probe>")
add_dependencies(kx_platform_module_tests module_probe)
