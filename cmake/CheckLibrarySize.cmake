# Run after zavsys.dll is linked (cmake -DFILE=... -DLIMIT=... -P): the library must stay within its size
# budget; a table or a dependency that makes it grow past the limit fails the build, not a later review.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than its budget of ${LIMIT}")
endif()
