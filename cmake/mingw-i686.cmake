# Cross build for i686 Windows; tests run under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ZVT_MINGW_TRIPLET i686-w64-mingw32)
set(ZVT_WINE /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
