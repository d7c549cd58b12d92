# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads flavour, which
# std::thread needs). Programs link statically, so that they run without the compiler's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_sondrix_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_sondrix_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_sondrix_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_sondrix_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_sondrix_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests run through Wine; its prefix and quiet log come from the caller's environment.
find_program(SONDRIX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(SONDRIX_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SONDRIX_WINE64})
endif()
