"""check-notices.py NOTICES TREE...: every component that a shipped module of each Windows build tree takes
in, by the link or through its headers, has its section in NOTICES, and nothing it takes in is unplaced.
TREE/shipped-modules.txt names the modules and their link maps. A map's first section names every archive
member the link took in, its LOAD lines every object file given whole; ninja's dependency records of the
project's objects among them name every header they were compiled from. Prints what each module takes in;
exit status 1 when a section is missing or a file matches no row of the tables below."""
import functools
import os
import re
import subprocess
import sys

GCC = "GCC runtime libraries: libgcc and libstdc++"
MINGW = "mingw-w64 runtime"
PTHREADS = "winpthreads"
PROJECT = "project"  # no notice: ours
IMPORTS = "Windows import libraries"  # no notice: they only name system DLLs
NO_NOTICE = {PROJECT, IMPORTS}

# Our folders, in the sources and in the build tree; anything else there (a vendored or fetched library)
# must earn a row of its own.
PROJECT_FOLDERS = {"library", "host", "framework", "testprog", "tools"}
# Real paths outside the project, first match wins.
TOOLCHAIN = r"/usr/(lib/gcc/[^/]+-w64-mingw32/[^/]+|[^/]+-w64-mingw32/lib)/"
TABLE = [
    (GCC, TOOLCHAIN + r"(libstdc\+\+|libgcc|libgcc_eh)\.a"),
    (GCC, TOOLCHAIN + r"crt(begin|end)\.o"),
    (GCC, TOOLCHAIN + r"include(-fixed)?/.+"),  # GCC's own headers and libstdc++'s
    (MINGW, TOOLCHAIN + r"(lib(mingw32|mingwex|moldname|msvcrt|uuid)\.a|(dll)?crt2u?\.o)"),
    (PTHREADS, TOOLCHAIN + r"lib(win)?pthread\.a"),
    (PTHREADS, r"/usr/share/mingw-w64/include/(pthread\w*|sched|semaphore)\.h"),
    (MINGW, r"/usr/share/mingw-w64/include/.+"),
    (IMPORTS, TOOLCHAIN + r"lib(kernel32|user32|gdi32|winspool|shell32|ole32|oleaut32|comdlg32|advapi32"
     r"|comctl32|version)\.a"),
    ("CLI11", r"/usr/include/CLI/.+"),
    ("JSON for Modern C++ (nlohmann/json)", r"/usr/include/nlohmann/.+"),
]
# ld's own inputs in a LOAD line, not files.
LINKER_INPUTS = {"dll stuff", "linker stubs"}


def classify(path, roots, member=None):
    """The component of a real path (and archive member), or None when no row places it. Import libraries
    carry some of mingw-w64's own code beside their stubs (lib<name>s<n>.o, lib<name>h.o, lib<name>t.o)."""
    for root in roots:
        relative = os.path.relpath(path, root)
        if not relative.startswith("..") and relative.split(os.sep)[0] in PROJECT_FOLDERS:
            return PROJECT
    for component, pattern in TABLE:
        if re.fullmatch(pattern, path):
            stub = re.escape(os.path.basename(path)[:-2]) + r"(s\d+|h|t)\.o"
            if component == IMPORTS and member and not re.fullmatch(stub, member):
                return MINGW
            return component
    return None


def read_map(text):
    """(archive members taken in as (archive, member), whole object files) from a GNU ld map."""
    end = text.find("\nDiscarded input sections")
    members = re.findall(r"^(\S+\.a)\(([^()]+)\)", text[:end], re.M)
    loads = [line[5:] for line in text.splitlines() if line.startswith("LOAD ")]
    objects = [path for path in loads if not path.endswith(".a") and path not in LINKER_INPUTS]
    return sorted(set(members)), objects


def read_sections(text):
    """The titles of NOTICES' sections: a line between two rules of '='."""
    return set(re.findall(r"^={20,}\n(.+)\n={20,}$", text, re.M))


def ninja(tree, *args):
    run = subprocess.run(["ninja", "-C", tree, "-t", *args], check=True, capture_output=True, text=True)
    return run.stdout


@functools.cache
def archive_objects(tree, archive):
    """The objects ninja puts into one of our archives (its explicit inputs)."""
    out = ninja(tree, "query", archive)
    inputs = out.split("  input:", 1)[1].split("\n  outputs:", 1)[0].splitlines()[1:]
    return [line.strip() for line in inputs if line.startswith("    ") and not line.strip().startswith("|")]


def headers(tree, objects):
    """Every file the objects were compiled from, by ninja's dependency records; missing records fail."""
    out = ninja(tree, "deps", *objects) if objects else ""
    found, files = set(), set()
    for block in out.split("\n\n"):
        head, *deps = block.strip("\n").splitlines() or [""]
        name = head.split(":")[0]
        if name in objects and "(VALID)" in head:
            found.add(name)
            files.update(line.strip() for line in deps)
    missing = [name for name in objects if name not in found]
    return files, [f"no valid dependency record for {name}: build the tree" for name in missing]


class Module:
    """What one shipped module takes in (component -> file names, or "headers") and what no row places."""

    def __init__(self, tree, name, roots):
        self.tree, self.name, self.roots = tree, name, roots
        self.components, self.problems, self.own = {}, [], []

    def take(self, path, kind, member=None):
        real = os.path.realpath(os.path.join(self.tree, path))
        component = classify(real, self.roots, member)
        problem = f"{self.name}: unclassified {kind} {real}"
        if component is None:
            self.problems += [] if problem in self.problems else [problem]  # once, not per archive member
        else:
            shown = real if component == PROJECT else kind if kind == "headers" else os.path.basename(real)
            self.components.setdefault(component, set()).add(shown)
        return component

    def read(self, map_text):
        members, objects = read_map(map_text)
        for path in objects:
            if self.take(path, "object") == PROJECT and path.endswith(".obj"):
                self.own.append(path)
        for archive, member in members:
            if self.take(archive, "archive", member) == PROJECT:
                self.own += self.own_member(archive, member)
        files, problems = headers(self.tree, self.own)
        self.problems += [f"{self.name}: {problem}" for problem in problems]
        for path in sorted(files):
            self.take(path, "headers")

    def own_member(self, archive, member):
        """The object of ours an archive member was made from, found by name among the archive's inputs."""
        matches = [o for o in archive_objects(self.tree, archive) if os.path.basename(o) == member]
        if len(matches) != 1:
            self.problems.append(f"{self.name}: {len(matches)} objects named {member} in {archive}")
        return matches


def read_tree(tree):
    cache = open(f"{tree}/CMakeCache.txt").read()
    source = re.search(r"^CMAKE_HOME_DIRECTORY:INTERNAL=(.*)$", cache, re.M)[1]
    roots = [os.path.realpath(tree), os.path.realpath(source)]
    modules = []
    for line in open(f"{tree}/shipped-modules.txt").read().splitlines():
        file, map_path = line.split("\t")
        module = Module(tree, f"{os.path.basename(tree)}/{os.path.basename(file)}", roots)
        module.read(open(map_path).read())
        modules.append(module)
    return modules


def report(modules, sections):
    """Prints what each module takes in; returns the failures."""
    problems, missing = [], {}
    for module in modules:
        print(f"{module.name}:")
        for component, names in sorted(module.components.items()):
            shown = [f"{len(names)} files"] if component == PROJECT else sorted(names)
            print(f"  {component}: {' '.join(shown)}")
            if component not in NO_NOTICE and component not in sections:
                missing.setdefault(component, []).append(module.name)
        problems += module.problems
    problems += [f"{c} (in {', '.join(names)}) has no section in the notices" for c, names in missing.items()]
    return problems


def main(notices, trees):
    problems = report([m for tree in trees for m in read_tree(tree)], read_sections(open(notices).read()))
    for problem in problems:
        print(f"FAILED: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
