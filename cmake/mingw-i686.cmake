# Velmora.exe as the 32-bit console program. This machine's kernel cannot
# run it, so it is built and checked, not tested.
set(mingw_arch i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
