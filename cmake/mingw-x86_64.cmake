# Cross build for x86_64 Windows; tests run under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ZVT_MINGW_TRIPLET x86_64-w64-mingw32)
set(ZVT_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
