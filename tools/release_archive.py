#!/usr/bin/env python3
"""The players' archive of KervaneSettings: KervaneSettings.exe and README.txt.

  release_archive.py write ARCHIVE EXE README_SOURCE
      Writes ARCHIVE and ARCHIVE.sha256 beside it, and prints the archive's
      SHA-256 as sha256sum does. The same inputs give the same bytes: the
      entries come in a fixed order with fixed attributes, and every entry
      is dated SOURCE_DATE_EPOCH (seconds since 1970, UTC), never the build
      machine's clock or the files' own dates. README_SOURCE is ASCII with
      LF or CR LF line ends; the archive holds it with CR LF, for Notepad.

  release_archive.py check ARCHIVE EXE
      Fails unless ARCHIVE holds exactly those entries, in that order, with
      one date, the exe byte for byte EXE, a README with CR LF line ends
      only, and ARCHIVE.sha256 matches the archive.
"""

import hashlib
import os
import sys
import time
import zipfile

EXE_NAME = "KervaneSettings.exe"
README_NAME = "README.txt"
ENTRY_NAMES = [EXE_NAME, README_NAME]

# Zip dates cannot go back before 1980.
EARLIEST_ZIP_DATE = 315532800


class ArchiveError(Exception):
    pass


def player_text(source: bytes) -> bytes:
    """The README as players get it: ASCII, every line ended by CR LF."""
    try:
        text = source.decode("ascii")
    except UnicodeDecodeError as error:
        raise ArchiveError(f"README is not plain ASCII (byte {error.start})") from None
    text = text.replace("\r\n", "\n")
    if "\r" in text:
        raise ArchiveError("README has a carriage return without a line feed")
    if not text.endswith("\n"):
        text += "\n"
    return text.replace("\n", "\r\n").encode("ascii")


def entry_date(epoch: int):
    # Zip dates have no time zone; in UTC they are the same on every machine.
    return time.gmtime(max(epoch, EARLIEST_ZIP_DATE))[:6]


def entry(name: str, date) -> zipfile.ZipInfo:
    info = zipfile.ZipInfo(name, date)
    info.compress_type = zipfile.ZIP_DEFLATED
    # Made for Windows: MS-DOS attributes, a plain file with the archive bit,
    # never the build machine's owner or permissions.
    info.create_system = 0
    info.external_attr = 0x20
    return info


def digest(archive: str) -> str:
    with open(archive, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def sha256_line(archive: str) -> str:
    """The .sha256 file's line, as sha256sum writes it in the archive's folder."""
    return f"{digest(archive)}  {os.path.basename(archive)}\n"


def write(archive: str, exe: str, readme_source: str, epoch: int) -> None:
    with open(exe, "rb") as f:
        exe_bytes = f.read()
    with open(readme_source, "rb") as f:
        readme_bytes = player_text(f.read())
    date = entry_date(epoch)
    partial = archive + ".partial"
    with zipfile.ZipFile(partial, "w") as z:
        z.writestr(entry(EXE_NAME, date), exe_bytes, compresslevel=9)
        z.writestr(entry(README_NAME, date), readme_bytes, compresslevel=9)
    os.replace(partial, archive)
    with open(archive + ".sha256", "w", newline="\n") as f:
        f.write(sha256_line(archive))


def check(archive: str, exe: str) -> None:
    with zipfile.ZipFile(archive) as z:
        names = z.namelist()
        if names != ENTRY_NAMES:
            raise ArchiveError(f"{archive} holds {names}, not {ENTRY_NAMES}")
        broken = z.testzip()
        if broken is not None:
            raise ArchiveError(f"{broken} in {archive} is damaged")
        dates = {info.date_time for info in z.infolist()}
        if len(dates) != 1:
            raise ArchiveError(f"the entries of {archive} carry different dates: {sorted(dates)}")
        with open(exe, "rb") as f:
            if z.read(EXE_NAME) != f.read():
                raise ArchiveError(f"{EXE_NAME} in {archive} is not {exe}")
        readme = z.read(README_NAME)
        if player_text(readme) != readme:
            raise ArchiveError(f"{README_NAME} in {archive} has line ends other than CR LF")
    try:
        with open(archive + ".sha256", encoding="ascii", newline="") as f:
            recorded = f.read()
    except FileNotFoundError:
        raise ArchiveError(f"{archive}.sha256 is missing") from None
    if recorded != sha256_line(archive):
        raise ArchiveError(f"{archive}.sha256 does not match the archive")


def main(argv) -> int:
    try:
        if len(argv) == 5 and argv[1] == "write":
            epoch = os.environ.get("SOURCE_DATE_EPOCH")
            if not epoch:
                raise ArchiveError("SOURCE_DATE_EPOCH is not set")
            write(argv[2], argv[3], argv[4], int(epoch))
            print(f"{digest(argv[2])}  {argv[2]}")
            return 0
        if len(argv) == 4 and argv[1] == "check":
            check(argv[2], argv[3])
            return 0
    except (ArchiveError, OSError, zipfile.BadZipFile) as error:
        print(f"release_archive: {error}", file=sys.stderr)
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
