#!/usr/bin/env python3
"""Write Morvex's release zip so that the same files always give the same bytes.

Usage: package.py OUTPUT_ZIP [--from ZIP] NAME=FILE [NAME=FILE ...]

Each FILE is stored under NAME at the top of the archive. With --from, the
archive holds the entries of ZIP too, each but those a NAME=FILE replaces (so
tools/sign.sh puts the signed program into the zip it was built in). Nothing of the
machine or the moment enters the zip: the entries are in sorted order, each
dated 1980-01-01 00:00:00 (the earliest date a zip can hold), marked as
written on Unix with mode 0755 for a NAME ending in .exe and 0644 otherwise,
and deflated at level 9; there are no extra fields and no comment.

A NAME ending in .txt is a text for Windows users: its FILE (UTF-8, kept in
the repository with LF line ends) is stored as UTF-8 after a byte-order mark
with CR LF line ends, so that Notepad reads the umlauts on every Windows,
Windows 7's too.

Beside the zip goes OUTPUT_ZIP.sha256, one line in the format of `sha256sum`
("<hex>  <name>"), so `sha256sum -c` checks a download or a rebuild.
"""

import hashlib
import os
import sys
import zipfile

DATE_TIME = (1980, 1, 1, 0, 0, 0)
UNIX = 3                       # "version made by" host system
FILE_MODE = 0o100644           # regular file, rw-r--r--
PROGRAM_MODE = 0o100755        # regular file, rwxr-xr-x


def windows_text(data):
    """UTF-8 text as Notepad reads it everywhere: a byte-order mark, CR LF."""
    text = data.decode("utf-8").removeprefix("\ufeff").replace("\r\n", "\n")
    return "\ufeff".encode("utf-8") + text.replace("\n", "\r\n").encode("utf-8")


def entries(args):
    """The archive's (name, bytes) pairs, in sorted order."""
    contents = {}
    if args[:1] == ["--from"] and len(args) >= 2:
        with zipfile.ZipFile(args[1]) as earlier:
            contents = {name: earlier.read(name) for name in earlier.namelist()}
        args = args[2:]
    given = set()
    for arg in args:
        name, sep, path = arg.partition("=")
        if not sep or not name or not path:
            sys.exit(f"package.py: expected NAME=FILE, got {arg!r}")
        if name in given:
            sys.exit("package.py: a name is given twice")
        given.add(name)
        with open(path, "rb") as source:
            data = source.read()
        if name.lower().endswith(".txt"):
            data = windows_text(data)
        contents[name] = data
    return sorted(contents.items())


def write_zip(output, pairs):
    partial = output + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data in pairs:
            info = zipfile.ZipInfo(name, date_time=DATE_TIME)
            info.create_system = UNIX
            mode = PROGRAM_MODE if name.lower().endswith(".exe") else FILE_MODE
            info.external_attr = mode << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    os.replace(partial, output)


def write_checksum(output):
    with open(output, "rb") as archive:
        digest = hashlib.sha256(archive.read()).hexdigest()
    line = f"{digest}  {os.path.basename(output)}\n"
    with open(output + ".sha256", "w", encoding="ascii", newline="\n") as out:
        out.write(line)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.split("\n\n")[1])
    output = sys.argv[1]
    write_zip(output, entries(sys.argv[2:]))
    write_checksum(output)


if __name__ == "__main__":
    main()
