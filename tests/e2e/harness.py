# Runs the real pellomar.exe under Wine from a clean folder and drives it from outside, with
# the driver program (driver_win.cpp), xdotool and screenshots. Expects the environment of
# tools/wine-session.sh (DISPLAY, WINEPREFIX) and PELLOMAR_BUILD, the 64-bit build folder.
import contextlib
import os
import pathlib
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

BUILD = pathlib.Path(os.environ["PELLOMAR_BUILD"])
DRIVER = ("wine", BUILD / "e2e_driver.exe")  # its commands: driver_win.cpp
BAR = "Pellomar"  # the bar's title


def run(*args, timeout=30, check=True, text=True):
    done = subprocess.run(list(map(str, args)), capture_output=True, text=text, timeout=timeout)
    assert not check or done.returncode == 0, "%s failed: %s" % (args, done.stderr)
    return done.stdout


# xdotool with its commands as one string of words, then arguments passed as they are (a text
# to type, say).
def xdotool(commands, *args):
    return run("xdotool", *commands.split(), *args, check=False)


# Probes until the answer is the expected one or the time is up; returns the last answer.
def settle(probe, expected, seconds=5.0):
    deadline = time.monotonic() + seconds
    while (answer := probe()) != expected and time.monotonic() < deadline:
        time.sleep(0.1)
    return answer


# (x, y, width, height) of the shown top-level window of this title, or None. Without a
# window manager X places Wine's windows exactly where Windows would.
def window_place(title):
    shell = xdotool("search --onlyvisible --name", "^%s$" % title, "getwindowgeometry", "--shell")
    values = dict(line.split("=") for line in shell.splitlines())
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT")) if values else None


def wait_window(title, seconds=15):
    settle(lambda: window_place(title) is not None, True, seconds)
    return window_place(title)


# The pixels of an image file, or of the screen ("root"), as rgb byte triples, top row first.
def pixels(image, *options):
    program = ["import", "-window"] if image == "root" else ["convert-im6"]
    data = run(*program, image, *options, "-depth", "8", "rgb:-", text=False)
    return [data[i:i + 3] for i in range(0, len(data), 3)]


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


# A "config.dat" as the program writes it: 160 bytes, little-endian, unpadded; the hot key
# (modifiers, virtual key) and the typed-line switch follow the first layout's 157 bytes.
def settings_file(left=0, top=0, snap=25, active=85, inactive=28, run_at_startup=True, skin=b"sk_default.bmp",
                  minimized_to_tray=False, hot_key=(3, ord("K"))):
    font = struct.pack("<5i", -12, 0, 0, 0, 700) + bytes(8) + b"arial".ljust(32, b"\0")
    return (struct.pack("<5i", left, top, snap, active, inactive) + bytes([run_at_startup, 1, 0])
            + skin.ljust(64, b"\0") + bytes([0x33, 0x33, 0x33, 0]) + font + bytes([0xFF, 0xFF, 0xFF, 0])
            + bytes([minimized_to_tray, 1, *hot_key, 1]))


# A "keyentries.dat" of (key, command, parameters, flag, [(from, to), ...]) entries.
def key_file(*entries):
    def text(value):
        return struct.pack("<h", len(value)) + value.encode("latin-1")

    data = struct.pack("<ii", 1, len(entries))
    for key, command, parameters, flag, pairs in entries:
        data += text(key) + text(command) + text(parameters) + bytes([flag]) + struct.pack("<h", len(pairs))
        data += b"".join(text(a) + text(b) for a, b in pairs)
    return data


# A Wine prefix of its own for the rest of the test, booted as the shared one, for a test that
# ends its Wine session.
def private_prefix(test):
    test.addCleanup(os.environ.__setitem__, "WINEPREFIX", os.environ["WINEPREFIX"])
    os.environ["WINEPREFIX"] = tempfile.mkdtemp(prefix="pellomar-prefix-")
    test.addCleanup(shutil.rmtree, os.environ["WINEPREFIX"])
    test.addCleanup(run, "wineserver", "-k", check=False)
    # The shell's trace (-x) tells which step failed, if one does.
    keeper = run("bash", "-xc", '. "$0" && wine_prefix_start && echo $WINE_PREFIX_KEEPER_PID',
                 pathlib.Path(__file__).parents[2] / "tools" / "wine-session.sh", timeout=400)
    test.addCleanup(run, "kill", keeper.strip(), check=False)  # unless the test has ended it


# A copy of the program in a clean folder of its own, and the process running it. The files
# beside it, by name: their contents, a file of the build to copy, or None for none.
# The folder of the user's own where the program keeps its files when its folder refuses them.
def per_user_folder():
    appdata = run("wine", "cmd.exe", "/c", "echo", "%APPDATA%").strip()
    return pathlib.Path(run("winepath", "-u", appdata + "\\Pellomar").strip())


# The folder made read-only for the time being: root is not stopped by file modes, a
# read-only bind mount stops it. Skips the test where mounting is not permitted.
@contextlib.contextmanager
def read_only(folder):
    if subprocess.run(["mount", "--bind", folder, folder], capture_output=True).returncode:
        raise unittest.SkipTest("a read-only folder needs mount, which is not permitted here")
    try:
        subprocess.run(["mount", "-o", "remount,ro,bind", folder], check=True, capture_output=True)
        yield
    finally:
        subprocess.run(["umount", folder], capture_output=True)


class Pellomar:
    def __init__(self, test, **files):
        self.test, self.folder = test, pathlib.Path(tempfile.mkdtemp(prefix="pellomar-e2e-"))
        test.addCleanup(shutil.rmtree, self.folder)
        for name, data in ({name: name for name in ("pellomar.exe", "sk_default.bmp", "pellomarhelp.chm")}
                           | files).items():
            if isinstance(data, str):
                shutil.copy(BUILD / data, self.folder / name)
            elif data:
                (self.folder / name).write_bytes(data)

    # From another working directory, as a shortcut or the log-on would; returns the place of
    # the window so titled once it shows (the bar's by default), if one is to show.
    def start(self, environment=None, window=BAR):
        self.process = subprocess.Popen(["wine", self.folder / "pellomar.exe"], cwd=tempfile.gettempdir(),
                                        env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.test.addCleanup(self.process.kill)
        return wait_window(window) if window else None

    # Asks the bar to close, as the system would; returns the program's exit code.
    def close(self):
        run(*DRIVER, "close-bar")
        return self.process.wait(timeout=20)

    def read(self, name):
        path = self.folder / name
        return path.read_bytes() if path.exists() else None
