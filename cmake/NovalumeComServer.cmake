# The in-process COM servers (the Media Player effect, the media center's display control):
# one DLL from the folder's <target>.def and <target>.rc, whose resources hold the registration
# script <target>.rgs, and the type library compiled from <target>.idl.
#
#   nv_add_com_server(<target> SOURCES <file>... LIBS <library>... [RESOURCES <file>...])
#
# RESOURCES: further files the .rc includes, so that a change to one rebuilds the resources as a
# change to the .rgs does. The folder enables the RC language itself (CMake allows that only at
# a folder's own scope).
function(nv_add_com_server target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBS;RESOURCES")
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  add_library(${target} SHARED ${arg_SOURCES} ${dir}/${target}.def ${dir}/${target}.rc)
  set_target_properties(${target} PROPERTIES PREFIX "")
  target_link_libraries(${target} PRIVATE ${arg_LIBS})
  set_source_files_properties(${dir}/${target}.rc PROPERTIES
                              OBJECT_DEPENDS "${dir}/${target}.rgs;${arg_RESOURCES}")
  nv_embed_type_library(${target} ${dir}/${target}.idl)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # The .def file names the __stdcall exports without their 32-bit decoration.
    target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
  nv_warnings(${target})
endfunction()
