# Cross compiling for 64-bit Windows with Debian's MinGW-w64 (packages
# g++-mingw-w64-x86-64-posix, binutils-mingw-w64-x86-64):
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DCMAKE_PREFIX_PATH=<Windows libraries> ...
# The posix thread model, not win32: GCC 12's std::thread, std::mutex and
# std::condition_variable need it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# The MinGW headers and import libraries live here. Not CMAKE_SYSROOT: that
# would pass --sysroot, and Debian's cross compiler finds its tree by itself.
set(MINGW_ROOT /usr/${MINGW_TRIPLET})

# Libraries, headers and CMake packages are looked up only below the MinGW
# tree and the prefixes the caller names, never in the host's /usr, whose
# Linux libraries would otherwise be found first. Programs (moc, rcc, code
# generators) run on the build machine, so they are the host's.
list(APPEND CMAKE_FIND_ROOT_PATH ${MINGW_ROOT} ${CMAKE_PREFIX_PATH})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config would report the host's libraries as well.
set(ENV{PKG_CONFIG_LIBDIR} ${MINGW_ROOT}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
