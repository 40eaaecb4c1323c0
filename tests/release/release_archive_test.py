"""The players' archive: the same inputs give the same bytes whatever the
files' dates and permissions, the README reaches players with CR LF line
ends, and the check rejects an archive that is not what was built."""

import contextlib
import io
import os
import sys
import tempfile
import time
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import release_archive  # noqa: E402

# 2024-03-05 06:07:08 UTC
EPOCH = 1709618828


class ReleaseArchiveTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.exe = self.path("KervaneSettings.exe", b"MZ" + bytes(range(256)) * 40)
        self.readme = self.path("README.source", b"Vaelmoor\nsettings\n")

    def path(self, name, contents=None):
        path = os.path.join(self.folder.name, name)
        if contents is not None:
            with open(path, "wb") as f:
                f.write(contents)
        return path

    def write(self, name="out.zip", epoch=EPOCH):
        archive = self.path(name)
        release_archive.write(archive, self.exe, self.readme, epoch)
        return archive

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def set_time_zone(self, zone):
        previous = os.environ.get("TZ")
        os.environ["TZ"] = zone
        time.tzset()

        def restore():
            if previous is None:
                os.environ.pop("TZ", None)
            else:
                os.environ["TZ"] = previous
            time.tzset()
        self.addCleanup(restore)

    def test_the_same_inputs_give_the_same_bytes_whatever_their_dates_permissions_and_time_zone(self):
        self.set_time_zone("UTC0")
        first = self.read(self.write("first.zip"))
        os.utime(self.exe, (1234567890, 1234567890))
        os.chmod(self.exe, 0o755)
        os.chmod(self.readme, 0o600)
        self.set_time_zone("JST-9")
        second = self.read(self.write("second.zip"))
        self.assertEqual(first, second)

    def test_holds_the_exe_then_the_readme_dated_in_utc(self):
        with zipfile.ZipFile(self.write()) as z:
            self.assertEqual(z.namelist(), ["KervaneSettings.exe", "README.txt"])
            for info in z.infolist():
                self.assertEqual(info.date_time, (2024, 3, 5, 6, 7, 8))
                self.assertEqual(info.create_system, 0)
                self.assertEqual(info.external_attr, 0x20)
                self.assertEqual(info.compress_type, zipfile.ZIP_DEFLATED)
            self.assertEqual(z.read("KervaneSettings.exe"), self.read(self.exe))

    def test_a_date_before_1980_becomes_the_first_zip_date(self):
        with zipfile.ZipFile(self.write(epoch=0)) as z:
            self.assertEqual(z.getinfo("README.txt").date_time, (1980, 1, 1, 0, 0, 0))

    def test_the_readme_gets_cr_lf_line_ends(self):
        cases = {
            b"one\ntwo\n": b"one\r\ntwo\r\n",
            b"one\r\ntwo\r\n": b"one\r\ntwo\r\n",
            b"one\r\ntwo\n\n": b"one\r\ntwo\r\n\r\n",
            b"no line end": b"no line end\r\n",
        }
        for source, expected in cases.items():
            with self.subTest(source=source):
                self.path("README.source", source)
                with zipfile.ZipFile(self.write()) as z:
                    self.assertEqual(z.read("README.txt"), expected)

    def test_a_readme_that_players_could_misread_is_refused(self):
        for source in ["Vaelm\u00f6or\n".encode("utf-8"), b"one\rtwo\n"]:
            with self.subTest(source=source):
                self.path("README.source", source)
                with self.assertRaises(release_archive.ArchiveError):
                    self.write()

    def test_the_sha256_file_names_the_archive_as_sha256sum_does(self):
        archive = self.write("KervaneSettings-1.1.0-win32.zip")
        with open(archive + ".sha256", "rb") as f:
            line = f.read()
        self.assertRegex(line, rb"^[0-9a-f]{64}  KervaneSettings-1\.1\.0-win32\.zip\n$")
        self.assertEqual(line.decode("ascii"), release_archive.sha256_line(archive))

    def test_check_accepts_what_write_made(self):
        release_archive.check(self.write(), self.exe)

    def test_check_refuses_another_exe(self):
        archive = self.write()
        other = self.path("other.exe", b"MZ other build")
        with self.assertRaisesRegex(release_archive.ArchiveError, "is not"):
            release_archive.check(archive, other)

    def test_check_refuses_a_changed_archive_by_its_sha256(self):
        archive = self.write()
        with open(archive + ".sha256", "w") as f:
            f.write("0" * 64 + "  out.zip\n")
        with self.assertRaisesRegex(release_archive.ArchiveError, "sha256"):
            release_archive.check(archive, self.exe)

    def test_check_refuses_other_entries_another_order_lf_line_ends_or_mixed_dates(self):
        exe = self.read(self.exe)
        date = (2024, 3, 5, 6, 7, 8)
        other_date = (2024, 3, 5, 6, 7, 10)
        cases = {
            "another order": [("README.txt", b"a\r\n", date), ("KervaneSettings.exe", exe, date)],
            "an extra entry": [("KervaneSettings.exe", exe, date), ("README.txt", b"a\r\n", date),
                               ("Setup.log", b"", date)],
            "LF line ends": [("KervaneSettings.exe", exe, date), ("README.txt", b"a\nb\n", date)],
            "mixed dates": [("KervaneSettings.exe", exe, date), ("README.txt", b"a\r\n", other_date)],
        }
        for case, entries in cases.items():
            with self.subTest(case=case):
                archive = self.path("made.zip")
                with zipfile.ZipFile(archive, "w") as z:
                    for name, data, when in entries:
                        z.writestr(zipfile.ZipInfo(name, when), data)
                with open(archive + ".sha256", "w") as f:
                    f.write(release_archive.sha256_line(archive))
                with self.assertRaises(release_archive.ArchiveError):
                    release_archive.check(archive, self.exe)

    def test_the_command_prints_the_sha256_and_needs_a_fixed_date(self):
        archive = self.path("cmd.zip")
        os.environ.pop("SOURCE_DATE_EPOCH", None)
        self.assertEqual(release_archive.main(["", "write", archive, self.exe, self.readme]), 1)
        self.assertFalse(os.path.exists(archive))
        os.environ["SOURCE_DATE_EPOCH"] = str(EPOCH)
        self.addCleanup(os.environ.pop, "SOURCE_DATE_EPOCH", None)
        printed = io.StringIO()
        with contextlib.redirect_stdout(printed):
            self.assertEqual(release_archive.main(["", "write", archive, self.exe, self.readme]), 0)
        self.assertEqual(printed.getvalue(), release_archive.digest(archive) + "  " + archive + "\n")
        self.assertEqual(release_archive.main(["", "check", archive, self.exe]), 0)


if __name__ == "__main__":
    unittest.main()
