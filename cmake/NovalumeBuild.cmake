# Compiler settings shared by every target of the project.

option(NV_SANITIZE "Native tree: build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
option(NV_BENCHMARKS "Native tree: build the Google Benchmark programs" OFF)
option(NV_FUZZERS "Native tree (clang): build the libFuzzer targets" OFF)
option(NV_TSAN "Native tree: build with ThreadSanitizer (for the threaded tests)" OFF)

if(WIN32)
  set(NV_NATIVE OFF)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(NV_ARCH x64)
  else()
    set(NV_ARCH x86)
  endif()
  # Unicode Windows API, no min/max macros, Windows 7 as the oldest system we call into.
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  # Large test files exceed the default COFF section count.
  add_compile_options(-Wa,-mbig-obj)
  # Players load our DLLs from their own folders: no MinGW runtime DLLs may be needed beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  set(NV_NATIVE ON)
  set(NV_ARCH native)
  if(NV_SANITIZE AND NOT NV_FUZZERS)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(NV_TSAN)
    # GCC warns that ThreadSanitizer cannot follow atomic_thread_fence (the clock uses one);
    # the warning stays a warning.
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -Wno-error=tsan)
    add_link_options(-fsanitize=thread)
  endif()
endif()

# Warnings are errors for our own code (not for GoogleTest or other sources we do not own).
function(nv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Collects the sources of one folder: portable files directly in it, Windows-only files in its
# win/ subfolder (left out of the native tree), and the native tree's stand-ins for those in
# its posix/ subfolder.
function(nv_collect_sources out dir)
  file(GLOB portable CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  set(result ${portable})
  if(WIN32)
    file(GLOB platform CONFIGURE_DEPENDS ${dir}/win/*.cpp ${dir}/win/*.c)
  else()
    file(GLOB platform CONFIGURE_DEPENDS ${dir}/posix/*.cpp ${dir}/posix/*.c)
  endif()
  list(APPEND result ${platform})
  set(${out} ${result} PARENT_SCOPE)
endfunction()
include(NovalumeTypeLibrary)
include(NovalumeComServer)
