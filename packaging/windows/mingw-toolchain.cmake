# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads). The libraries built
# for Windows (Qt, SQLite, libical) live in RAVELHA_MINGW_PREFIX, the cache folder that
# scripts/windows/build-toolchain.sh fills; nothing of the machine's own libraries is taken.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT RAVELHA_MINGW_PREFIX)
  if(DEFINED ENV{RAVELHA_MINGW_PREFIX})
    set(RAVELHA_MINGW_PREFIX "$ENV{RAVELHA_MINGW_PREFIX}")
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(RAVELHA_MINGW_PREFIX "$ENV{XDG_CACHE_HOME}/ravelha-mingw/prefix")
  else()
    set(RAVELHA_MINGW_PREFIX "$ENV{HOME}/.cache/ravelha-mingw/prefix")
  endif()
endif()
# Try-compiles run with a fresh cache: hand the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RAVELHA_MINGW_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${RAVELHA_MINGW_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config looks only at the libraries built for Windows.
set(ENV{PKG_CONFIG_LIBDIR} "${RAVELHA_MINGW_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
