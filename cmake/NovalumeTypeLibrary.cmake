# Type libraries of the COM servers: compiled from an .idl with the tree's widl and embedded in
# the module as resource TYPELIB 1, where LoadTypeLibEx(module path) and the servers' IDispatch
# find them.
#
#   nv_embed_type_library(<target> <file.idl>)
#
# The .idl starts with `import "AutomationBase.idl";` (IUnknown and IDispatch declared for widl,
# which has no system .idl files here) and `importlib("stdole2.tlb");` inside its library block,
# so that the library refers to the system's IDispatch instead of carrying a copy. The library
# is built for the tree's width (-m64 or -m32), so each tree embeds its own.

# Wine's stdole2.tlb, which importlib reads: the 64-bit copy, or the 32-bit one on a machine
# that has only that. widl reads only the definitions, which are the same in both.
find_path(NV_STDOLE2_DIR stdole2.tlb
          PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/i386-linux-gnu/wine/i386-windows
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

function(nv_embed_type_library target idl)
  if(NOT WIN32)
    return()
  endif()
  if(NOT NV_WIDL)
    message(FATAL_ERROR "nv_embed_type_library: the toolchain file names no widl (NV_WIDL)")
  endif()
  if(NOT NV_STDOLE2_DIR)
    message(FATAL_ERROR "nv_embed_type_library: Wine's stdole2.tlb was not found (package wine64)")
  endif()
  get_filename_component(idl_path ${idl} ABSOLUTE)
  get_filename_component(idl_name ${idl} NAME_WE)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(width -m64)
  else()
    set(width -m32)
  endif()
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_typelib)
  set(tlb ${out_dir}/${idl_name}.tlb)
  set(rc ${out_dir}/${idl_name}_typelib.rc)
  add_custom_command(
    OUTPUT ${tlb}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${NV_WIDL} ${width} -t -I ${CMAKE_SOURCE_DIR}/utility/win -L ${NV_STDOLE2_DIR}
            -o ${tlb} ${idl_path}
    DEPENDS ${idl_path} ${CMAKE_SOURCE_DIR}/utility/win/AutomationBase.idl
    COMMENT "Type library ${idl_name}.tlb (${width})"
    VERBATIM)
  file(MAKE_DIRECTORY ${out_dir})
  file(WRITE ${rc}.in "1 TYPELIB \"${tlb}\"\n")
  configure_file(${rc}.in ${rc} COPYONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${tlb})
  target_sources(${target} PRIVATE ${rc})
endfunction()
