#!/usr/bin/env python3
"""Writes the compile database that scripts/lint hands to run-clang-tidy, and prints its files.

Each of the project's own C++ files appears once: with the native tree's
command where that tree builds it (the portable core and its tests), and with
the cross tree's command otherwise (the Win32 shell, its tests and the tools),
turned into a clang command for the mingw-w64 target. The cross commands are
gcc's: clang takes them as they are once it is told the target, the C++
headers of the cross compiler, and the mingw-w64 headers; response files are
spelt out, so that no command depends on where it is run.

usage: lint_database.py ROOT NATIVE_DB WINDOWS_DB OUT_DIR CXX_INCLUDE...
"""

import json
import os
import shlex
import sys

MINGW_TARGET = "i686-w64-mingw32"
MINGW_HEADERS = "/usr/i686-w64-mingw32/include"


def own_file(root, path):
    relative = os.path.relpath(path, root)
    return relative.split(os.sep)[0] in ("src", "tests", "tools")


def arguments(entry):
    if "arguments" in entry:
        return list(entry["arguments"])
    return shlex.split(entry["command"])


def spelt_out(args, directory):
    expanded = []
    for arg in args:
        if arg.startswith("@"):
            with open(os.path.join(directory, arg[1:]), encoding="utf-8") as f:
                expanded.extend(spelt_out(shlex.split(f.read()), directory))
        else:
            expanded.append(arg)
    return expanded


def for_mingw_clang(args, cxx_includes):
    # The C++ headers of the cross compiler first, then clang's own (in place
    # of gcc's), then the mingw-w64 headers, as the cross compiler orders them.
    extra = [f"--target={MINGW_TARGET}", "-nostdlibinc"]
    for include in cxx_includes:
        extra += ["-isystem", include]
    extra += ["-idirafter", MINGW_HEADERS]
    return ["clang++"] + extra + args[1:]


def main():
    root, native_db, windows_db, out_dir, *cxx_includes = sys.argv[1:]
    root = os.path.realpath(root)
    chosen = {}
    for db, cross in ((native_db, False), (windows_db, True)):
        with open(db, encoding="utf-8") as f:
            for entry in json.load(f):
                path = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
                if path in chosen or not own_file(root, path):
                    continue
                args = spelt_out(arguments(entry), entry["directory"])
                if cross:
                    args = for_mingw_clang(args, cxx_includes)
                chosen[path] = {"directory": entry["directory"], "file": path, "arguments": args}
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, "compile_commands.json"), "w", encoding="utf-8") as f:
        json.dump(list(chosen.values()), f, indent=1)
    for path in sorted(chosen):
        print(path)


if __name__ == "__main__":
    main()
