# Cross build for Windows with mingw-w64 (i686). The -posix compilers give the
# C++ thread support that the tests need; the release runtime, which starts no
# threads, takes the -win32 ones (TESSARY_MINGW_THREADS=win32) and so carries
# no threading library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
if(NOT TESSARY_MINGW_THREADS)
  set(TESSARY_MINGW_THREADS posix)
endif()
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${TESSARY_MINGW_THREADS})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${TESSARY_MINGW_THREADS})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-run)
