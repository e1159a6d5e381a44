# One warning set for every build, as errors.
set(ZVT_WARNINGS -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow -Wold-style-cast -Wcast-qual
    -Wformat=2 -Werror)

function(zvt_warnings target)
  target_compile_options(${target} PRIVATE ${ZVT_WARNINGS})
endfunction()

# The library is built without C++ exceptions: with them, the static unwinder in a 32-bit DLL leaks two
# handles on every load and unload, and the DLL grows to 178 KiB. Nothing in it throws; allocation failures
# are results. The library's link checks that none of the exception machinery came in (CheckNoExceptions).
function(zvt_no_exceptions target)
  if(WIN32)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-asynchronous-unwind-tables)
  endif()
endfunction()

# The DLL's code is optimised for size: its decoding tables and loops run once per call, and the DLL stays
# within 96 KiB per width (-O3 made the x86-64 build 111 KiB once the decoders came in).
function(zvt_small_code target)
  if(WIN32)
    target_compile_options(${target} PRIVATE -Os)
  endif()
endfunction()
