# Fails when the linker pulled any part of the C++ throw or unwind machinery into a module built without
# exceptions. Reads the link map's first section, which names every archive member taken in and the symbol
# it was taken for: a reference to a throw, catch, unwind or personality routine from any object of ours
# or of the runtime shows there, and so does any member of the unwinder library or of the runtime's
# exception support.
# Usage: cmake -DMAP=file.map -P CheckNoExceptions.cmake
file(READ "${MAP}" map)
string(FIND "${map}" "\nDiscarded input sections" end)
if(end EQUAL -1)
  string(FIND "${map}" "\nMemory Configuration" end)
endif()
string(SUBSTRING "${map}" 0 ${end} members)
string(REGEX MATCHALL
  "[^\n]*(libgcc_eh\\.a|\\(eh_[a-z_]+\\.o\\)|\\(functexcept\\.o\\)|__cxa_(throw|rethrow|begin_catch|end_catch|allocate_exception)|_Unwind_[A-Za-z]+|__gxx_personality)[^\n]*"
  found "${members}")
if(found)
  list(JOIN found "\n" lines)
  message(FATAL_ERROR "${MAP}: exception machinery linked into a module built without exceptions:\n${lines}")
endif()
