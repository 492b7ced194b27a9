# GoogleTest, built from Debian's sources with the tree's own compiler, and one ctest entry per
# test program (so a Windows run pays one Wine start per program, not one per case).

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(WIN32 AND NV_ARCH STREQUAL "x64")
  # Windows test programs run under the tree's own Wine prefix (see scripts/wine-session).
  set(NV_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.in ${NV_WINE_RUN}
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${NV_WINE_RUN})
endif()

# nv_add_test_program(name SOURCES files... LIBS libs... [DEPENDS targets...])
# Test programs of the 32-bit tree are built and linked but never run (there is no 32-bit
# Wine here), so they are registered only where they can run.
function(nv_add_test_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  nv_warnings(${name})
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  if(NOT NV_ARCH STREQUAL "x86")
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# Collects the tests of one folder: portable ones in tests/, Windows-only ones in tests/win/.
function(nv_collect_tests out dir)
  nv_collect_sources(result ${dir}/tests)
  set(${out} ${result} PARENT_SCOPE)
endfunction()
