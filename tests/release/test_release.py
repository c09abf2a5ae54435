"""The release archive: the same commit built in two folders gives the same bytes, the
archive holds the five files a user needs, and the programs carry their hardening flags.

Expects PELLOMAR_BUILD, the 64-bit build folder, beside the release one it checks too."""
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ARCHIVE = "pellomar-%s-win32.zip"
DYNAMIC_BASE, HIGH_ENTROPY_VA, NX_COMPAT, TERMINAL_SERVER_AWARE = 0x40, 0x20, 0x100, 0x8000
I386, AMD64 = 0x14C, 0x8664


def pe_header(image):
    """The machine and the DLL characteristics of a Windows program's image."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    assert image[pe:pe + 4] == b"PE\0\0"
    machine = struct.unpack_from("<H", image, pe + 4)[0]
    return machine, struct.unpack_from("<H", image, pe + 24 + 70)[0]


class Release(unittest.TestCase):
    def build_copy(self, work, folder):
        """Copies the sources (as they are in the working tree) to a folder and builds there."""
        source = os.path.join(work, folder, "pellomar")
        listed = subprocess.run(["git", "-C", ROOT, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                                capture_output=True, check=True).stdout.decode().split("\0")
        for name in filter(None, listed):
            if os.path.isfile(os.path.join(ROOT, name)):
                os.makedirs(os.path.dirname(os.path.join(source, name)), exist_ok=True)
                shutil.copy2(os.path.join(ROOT, name), os.path.join(source, name))
        build = os.path.join(work, folder, "out")
        archive = subprocess.run([os.path.join(source, "tools", "release.sh"), build], capture_output=True, text=True,
                                 check=True, timeout=900).stdout.split()[-1]
        with open(archive, "rb") as f:
            return os.path.basename(archive), f.read()

    def test_two_folders_give_the_same_bytes_and_the_files_a_user_needs(self):
        work = tempfile.mkdtemp(prefix="pellomar-release-")
        self.addCleanup(shutil.rmtree, work, ignore_errors=True)
        commit = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"], capture_output=True, text=True)
        os.environ["SOURCE_DATE_EPOCH"] = commit.stdout.strip() or "315532800"
        first_name, first = self.build_copy(work, "a")
        second_name, second = self.build_copy(work, "b/deeper")
        self.assertEqual(first_name, second_name)
        self.assertTrue(first == second, "the two archives differ")

        with zipfile.ZipFile(os.path.join(work, "a", "out", first_name)) as archive:
            self.assertEqual(archive.namelist(),
                             ["LICENSE.txt", "README.txt", "pellomar.exe", "pellomarhelp.chm", "sk_default.bmp"])
            machine, flags = pe_header(archive.read("pellomar.exe"))
        self.assertEqual(machine, I386, "the 32-bit build")
        hardened = DYNAMIC_BASE | NX_COMPAT | TERMINAL_SERVER_AWARE
        self.assertEqual(flags & hardened, hardened)

        with open(os.path.join(os.environ["PELLOMAR_BUILD"], "pellomar.exe"), "rb") as f:
            machine, flags = pe_header(f.read())
        self.assertEqual(machine, AMD64)
        self.assertEqual(flags & (hardened | HIGH_ENTROPY_VA), hardened | HIGH_ENTROPY_VA)


if __name__ == "__main__":
    unittest.main()
