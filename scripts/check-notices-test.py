"""Tests of check-notices.py on made-up link maps and dependency records: what must pass, and each way a
component or an unplaced file must fail. Run: python3 scripts/check-notices-test.py"""
import contextlib
import io
import os
import types
import unittest

script = os.path.join(os.path.dirname(__file__), "check-notices.py")
notices = types.ModuleType("notices")  # the script's name is no module name
with open(script) as source:
    exec(compile(source.read(), script, "exec"), notices.__dict__)

GCC64 = "/usr/lib/gcc/x86_64-w64-mingw32/12-posix"
LIB64 = "/usr/x86_64-w64-mingw32/lib"
ROOTS = ["/b/x86_64", "/s"]
MAP = f"""Archive member included to satisfy reference by file (symbol)

{GCC64}/../../../../x86_64-w64-mingw32/lib/libmingw32.a(lib64_libmingw32_a-crtexewin.o)
                              {LIB64}/crt2u.o (main)
host/replay/libzvtreplay.a(DumpReader.cpp.obj) tools/zvtinfo/CMakeFiles/zvtinfo.dir/Main.cpp.obj (zvt::Read())
{LIB64}/libkernel32.a(libkernel32s00140.o)
                              host/replay/libzvtreplay.a(DumpReader.cpp.obj) (GetTickCount)

Discarded input sections

LOAD {LIB64}/crt2u.o
LOAD tools/zvtinfo/CMakeFiles/zvtinfo.dir/Main.cpp.obj
LOAD tools/zvtinfo/CMakeFiles/zvtinfo.dir/zvtinfo.rc.res
LOAD host/replay/libzvtreplay.a
LOAD {GCC64}/libgcc_eh.a
LOAD dll stuff
 .text 0x0 0x10 {GCC64}/libstdc++.a(eh_throw.o)
"""
QUERY = """host/replay/libzvtreplay.a:
  input: CXX_STATIC_LIBRARY_LINKER__zvtreplay_Release
    host/replay/CMakeFiles/zvtreplay.dir/DumpReader.cpp.obj
    host/replay/CMakeFiles/zvtreplay.dir/Recorded.cpp.obj
    || host/replay/DumpReader.cpp.obj
  outputs:
    bin/zvtinfo.exe
"""


def deps(obj, state="VALID", *files):
    lines = "".join(f"    {f}\n" for f in files)
    return f"{obj}: #deps {len(files)}, deps mtime 1 ({state})\n{lines}\n"


MINGW_INCLUDE = "/usr/share/mingw-w64/include"
MAIN_DEPS = deps("tools/zvtinfo/CMakeFiles/zvtinfo.dir/Main.cpp.obj", "VALID", "/s/tools/zvtinfo/Main.cpp",
                 "/usr/include/CLI/App.hpp", f"{GCC64}/include/c++/vector", f"{MINGW_INCLUDE}/pthread.h")
READER_DEPS = deps("host/replay/CMakeFiles/zvtreplay.dir/DumpReader.cpp.obj", "VALID",
                   "/s/host/replay/DumpReader.cpp", f"{MINGW_INCLUDE}/windows.h")


def module_of(map_text, deps_text):
    """A module read with ninja's answers made up."""
    notices.ninja = lambda tree, tool, *args: QUERY if tool == "query" else deps_text
    notices.archive_objects.cache_clear()
    module = notices.Module("/b/x86_64", "x86_64/zvtinfo.exe", ROOTS)
    module.read(map_text)
    return module


class Classify(unittest.TestCase):
    def test_leaves_vendored_and_fetched_code_unplaced(self):
        self.assertIsNone(notices.classify("/s/third_party/zlib/zlib.h", ROOTS))
        self.assertIsNone(notices.classify("/b/x86_64/_deps/fmt-build/libfmt.a", ROOTS))
        self.assertIsNone(notices.classify(f"{LIB64}/libz.a", ROOTS))
        self.assertIsNone(notices.classify("/usr/include/boost/any.hpp", ROOTS))

    def test_import_library_code_that_is_not_a_stub_is_mingw_w64s(self):
        kernel32 = f"{LIB64}/libkernel32.a"
        self.assertEqual(notices.classify(kernel32, ROOTS, "libkernel32s00140.o"), notices.IMPORTS)
        self.assertEqual(notices.classify(kernel32, ROOTS, "libkernel32t.o"), notices.IMPORTS)
        self.assertEqual(notices.classify(kernel32, ROOTS, "lib64_libkernel32_a-__movsb.o"), notices.MINGW)

    def test_winpthreads_headers_are_told_from_the_other_mingw_w64_headers(self):
        self.assertEqual(notices.classify(f"{MINGW_INCLUDE}/pthread_time.h", ROOTS), notices.PTHREADS)
        self.assertEqual(notices.classify(f"{MINGW_INCLUDE}/semaphore.h", ROOTS), notices.PTHREADS)
        self.assertEqual(notices.classify(f"{MINGW_INCLUDE}/windows.h", ROOTS), notices.MINGW)


class ModuleRead(unittest.TestCase):
    def test_components_from_members_objects_and_the_headers_of_our_objects(self):
        module = module_of(MAP, MAIN_DEPS + READER_DEPS)
        self.assertEqual(module.problems, [])
        self.assertEqual(module.components["CLI11"], {"headers"})
        self.assertEqual(module.components[notices.MINGW], {"crt2u.o", "libmingw32.a", "headers"})
        self.assertEqual(module.components[notices.PTHREADS], {"headers"})
        self.assertEqual(module.components[notices.IMPORTS], {"libkernel32.a"})
        # Neither libgcc_eh.a (loaded, no member taken) nor the memory map's libstdc++.a line.
        self.assertEqual(module.components[notices.GCC], {"headers"})

    def test_an_object_without_a_valid_dependency_record_fails(self):
        stale = deps("host/replay/CMakeFiles/zvtreplay.dir/DumpReader.cpp.obj", "STALE")
        module = module_of(MAP, MAIN_DEPS + stale)
        self.assertEqual(len(module.problems), 1)
        self.assertIn("DumpReader.cpp.obj", module.problems[0])

    def test_an_unknown_archive_and_an_unknown_include_folder_fail(self):
        extra = MAP.replace("\nDiscarded", f"{LIB64}/libz.a(deflate.o)\n        x (deflate)\n\nDiscarded")
        zlib_deps = READER_DEPS.replace(f"{MINGW_INCLUDE}/windows.h", "/opt/zlib/zlib.h")
        module = module_of(extra, MAIN_DEPS + zlib_deps)
        self.assertEqual(len(module.problems), 2)
        self.assertIn(f"archive {LIB64}/libz.a", module.problems[0])
        self.assertIn("headers /opt/zlib/zlib.h", module.problems[1])


class Report(unittest.TestCase):
    def test_a_component_without_its_section_fails_naming_it_and_its_modules(self):
        module = module_of(MAP, MAIN_DEPS + READER_DEPS)
        rule = "=" * 40
        present = [notices.MINGW, notices.PTHREADS, notices.GCC]
        text = "\n".join(f"{rule}\n{name}\n{rule}\n" for name in present)
        sections = notices.read_sections(text + "\nCLI11 is used by zvtinfo.\n")
        with contextlib.redirect_stdout(io.StringIO()):
            problems = notices.report([module], sections)
        self.assertEqual(problems, ["CLI11 (in x86_64/zvtinfo.exe) has no section in the notices"])


if __name__ == "__main__":
    unittest.main()
