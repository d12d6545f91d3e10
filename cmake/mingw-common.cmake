# Cross-builds the Windows console program with Debian's MinGW-w64, for
# the processor the including toolchain file names in mingw_arch.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${mingw_arch})
set(CMAKE_C_COMPILER ${mingw_arch}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_arch}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_arch}-w64-mingw32-windres)
# exiv2 and expat, built from Debian's sources by scripts/mingw-deps.
if(DEFINED ENV{VELMORA_DEPS})
  set(velmora_deps $ENV{VELMORA_DEPS})
else()
  set(velmora_deps /var/cache/velmora)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_arch}-w64-mingw32
                         ${velmora_deps}/mingw/${mingw_arch}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
