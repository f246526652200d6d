#!/usr/bin/env python3
"""Keeps the house in order: every include points downwards.

  ui/, services/          the toolkit and the service interfaces: themselves only
  standins/               the Linux stand-ins of services: themselves and services/
  forms/                  the windows and their controls: ui/ and services/
  subsystems              processes/, settings/, countdown/, tray/, termination/:
                          each other, forms/ (its parts and texts, never the
                          whole window, forms/form1.h), ui/, services/; never
                          app/
  app/                    the program's wiring: everything above but win32/
  win32/                  the Windows shell: anything

Outside src/win32/, tests/win32/, tests/e2e/ and bench/ an include in angle
brackets must be a header of the C++ standard library (or GoogleTest in
tests/): Windows headers stay in the Windows folders. The folders of src/ must
not include each other in a circle.

Prints every include that breaks a rule, with its file and line, and exits 1;
exits 0 when there is none. Run from anywhere: python3 tools/check_includes.py
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SUBSYSTEMS = {"processes", "settings", "countdown", "tray", "termination"}
BASE = {"ui", "services"}
ALLOWED = {
    "ui": {"ui"},
    "services": {"services"},
    "standins": {"standins", "services"},
    "forms": {"forms"} | BASE,
    "app": {"app", "forms"} | BASE | SUBSYSTEMS,
}
for name in SUBSYSTEMS:
    ALLOWED[name] = SUBSYSTEMS | {"forms"} | BASE
# The whole main window: only app/ (the wiring) and forms/ itself see it.
WHOLE_WINDOW = "forms/form1.h"
WINDOWS_FOLDERS = ("src/win32/", "tests/win32/", "tests/e2e/", "bench/")

STANDARD = set("""
algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv chrono cinttypes
climits clocale cmath codecvt compare complex concepts condition_variable coroutine csetjmp csignal cstdarg
cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque exception execution expected
filesystem format forward_list fstream functional future initializer_list iomanip ios iosfwd iostream
istream iterator latch limits list locale map memory memory_resource mutex new numbers numeric optional
ostream queue random ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span
sstream stack stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector version
""".split())
TEST_LIBRARIES = ("gtest/", "gmock/", "benchmark/")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def sources():
    for folder in ("src", "tests", "bench"):
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".h", ".cpp") and path.is_file():
                yield path


def main():
    problems = []
    arrows = {}  # (from folder, to folder) -> the first include that makes it
    for path in sources():
        rel = path.relative_to(ROOT).as_posix()
        parts = rel.split("/")
        folder = parts[1] if parts[0] == "src" and len(parts) > 2 else None
        windows_side = rel.startswith(WINDOWS_FOLDERS)
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, header = match.groups()
            closing = ">" if bracket == "<" else '"'
            where = f"{rel}:{number}: #include {bracket}{header}{closing}"
            if bracket == "<":
                if windows_side or header in STANDARD:
                    continue
                if rel.startswith("tests/") and header.startswith(TEST_LIBRARIES):
                    continue
                problems.append(f"{where}: not the C++ standard library; Windows headers belong in "
                                "src/win32/, tests/win32/, tests/e2e/ or bench/")
                continue
            target = header.split("/")[0] if "/" in header else None
            if folder is None or folder == "win32" or target is None:
                continue
            if folder in SUBSYSTEMS and header == WHOLE_WINDOW:
                problems.append(f"{where}: {folder}/ gets the parts of the window it works on "
                                "(forms/parts.h), never the whole window")
            elif target not in ALLOWED.get(folder, {folder}):
                problems.append(f"{where}: {folder}/ may include only "
                                f"{', '.join(sorted(ALLOWED.get(folder, {folder})))}")
            elif target != folder:
                arrows.setdefault((folder, target), where)
    problems += cycles(arrows)
    for problem in problems:
        print(problem)
    if problems:
        print(f"check_includes: {len(problems)} include(s) point the wrong way", file=sys.stderr)
        return 1
    return 0


def cycles(arrows):
    """The includes that close a circle among the folders of src/."""
    graph = {}
    for source, target in arrows:
        graph.setdefault(source, set()).add(target)
    found = []
    for (source, target), where in sorted(arrows.items()):
        # Does target lead back to source?
        seen, stack = set(), [target]
        while stack:
            node = stack.pop()
            if node == source:
                found.append(f"{where}: {source}/ and {target}/ include each other (through the folders between)")
                break
            if node not in seen:
                seen.add(node)
                stack.extend(graph.get(node, ()))
    return found


if __name__ == "__main__":
    sys.exit(main())
