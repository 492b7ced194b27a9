# GoogleTest, built from Debian's sources with the tree's own compiler, and one ctest entry per
# test program (so a Windows run pays one Wine start per program, not one per case).

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Exit code of wine-run when the tree's Wine cannot run on this machine (32-bit Wine missing, or
# a system that cannot start 32-bit programs): ctest reports such a test as skipped.
set(NV_WINE_MISSING_EXIT 77)

if(WIN32)
  # Windows test programs run under the tree's own Wine prefix (see scripts/wine-session). The
  # prefix is always made by wine64; a 64-bit prefix runs 32-bit programs too, through the
  # 32-bit loader.
  if(NV_ARCH STREQUAL "x64")
    set(NV_WINE_LOADER /usr/lib/wine/wine64)
  else()
    set(NV_WINE_LOADER /usr/lib/wine/wine)
  endif()
  set(NV_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.in ${NV_WINE_RUN}
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${NV_WINE_RUN})
endif()

# nv_add_test_program(name SOURCES files... LIBS libs... [DEPENDS targets...])
# One ctest entry per program; Windows programs run through the tree's wine-run.
function(nv_add_test_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  nv_warnings(${name})
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  # The end-to-end programs run many players one after the other: on a busy machine the plug-in
  # tests alone took ten minutes.
  set_tests_properties(${name} PROPERTIES TIMEOUT 1200 SKIP_RETURN_CODE ${NV_WINE_MISSING_EXIT})
endfunction()

# Collects the tests of one folder: portable ones in tests/, Windows-only ones in tests/win/.
function(nv_collect_tests out dir)
  nv_collect_sources(result ${dir}/tests)
  set(${out} ${result} PARENT_SCOPE)
endfunction()
