# Shared build rules: warnings, the small static runtime on Windows, and the
# helper that turns a source folder into a library.

set(TESSARY_WINDOWS OFF)
if(WIN32)
  set(TESSARY_WINDOWS ON)
endif()

add_library(tessary_options INTERFACE)
target_compile_options(tessary_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_include_directories(tessary_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(TESSARY_WINDOWS)
  # ANSI entry points throughout; the oldest headers that still declare what we use.
  target_compile_definitions(tessary_options INTERFACE
    _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 NOMINMAX WIN32_LEAN_AND_MEAN)
  target_compile_options(tessary_options INTERFACE -ffunction-sections -fdata-sections)
  target_link_options(tessary_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

# tessary_library(NAME DIR [DEPS ...]): a static library of every .cpp in DIR
# (not recursive), so that adding a file needs no edit here.
function(tessary_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC tessary_options ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE tessary_options ${ARG_DEPS})
  endif()
endfunction()

# A shipped Windows program: -Os, unused sections dropped, stripped.
function(tessary_small_program target)
  if(TESSARY_WINDOWS)
    target_compile_options(${target} PRIVATE -Os)
    target_link_options(${target} PRIVATE -Wl,--gc-sections -s)
  endif()
endfunction()
