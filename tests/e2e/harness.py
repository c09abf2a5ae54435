"""Runs the real pellomar.exe under Wine from a clean folder and drives it from outside.

Expects the environment of tools/wine-session.sh (DISPLAY, WINEPREFIX) and PELLOMAR_BUILD,
the 64-bit build folder holding pellomar.exe, sk_default.bmp and e2e_driver.exe.
"""
import contextlib
import os
import shutil
import struct
import subprocess
import tempfile
import time

BUILD = os.environ["PELLOMAR_BUILD"]
DRIVER = os.path.join(BUILD, "e2e_driver.exe")

BAR_WIDTH, BAR_HEIGHT = 260, 32
# The command box, which hides the skin beneath it.
BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM = 6, 12, 254, 28


def driver(*args, timeout=30):
    """Runs one driver command; returns its exit code and its output's lines."""
    result = subprocess.run(["wine", DRIVER, *map(str, args)], capture_output=True, text=True,
                            timeout=timeout)
    return result.returncode, result.stdout.splitlines()


def settle(probe, expected, seconds=5.0):
    """Probes until the answer is the expected one or the time is up; returns the last answer."""
    deadline = time.monotonic() + seconds
    while True:
        answer = probe()
        if answer == expected or time.monotonic() > deadline:
            return answer
        time.sleep(0.1)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def settings_file(left=0, top=0, snap=25, active=85, inactive=28, run_at_startup=True,
                  skin=b"sk_default.bmp", minimized_to_tray=False):
    """A "config.dat" as the program writes it: 157 bytes, little-endian, unpadded."""
    font = struct.pack("<5i", -12, 0, 0, 0, 700) + bytes(8) + b"arial".ljust(32, b"\0")
    return (struct.pack("<5i", left, top, snap, active, inactive)
            + bytes([int(run_at_startup), 1, 0]) + skin.ljust(64, b"\0")
            + bytes([0x33, 0x33, 0x33, 0]) + font + bytes([0xFF, 0xFF, 0xFF, 0])
            + bytes([int(minimized_to_tray), 1]))


def key_file(*entries):
    """A "keyentries.dat" of (key, command, parameters, flag, [(from, to), ...]) entries."""
    def text(value):
        data = value.encode("latin-1")
        return struct.pack("<h", len(data)) + data

    data = struct.pack("<ii", 1, len(entries))
    for key, command, parameters, flag, pairs in entries:
        data += text(key) + text(command) + text(parameters) + bytes([flag]) + struct.pack("<h", len(pairs))
        data += b"".join(text(a) + text(b) for a, b in pairs)
    return data


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=10)


def wine_reg_add(key, data):
    subprocess.run(["wine", "reg", "add", key, "/ve", "/d", data, "/f"], capture_output=True, check=True,
                   timeout=60)


@contextlib.contextmanager
def private_prefix():
    """A Wine prefix of its own, for a test that ends its Wine session."""
    shared = os.environ["WINEPREFIX"]
    os.environ["WINEPREFIX"] = tempfile.mkdtemp(prefix="pellomar-prefix-")
    keeper = None
    try:
        subprocess.run(["wineboot", "-i"], capture_output=True, check=True, timeout=120)
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f"],
                       capture_output=True, check=True, timeout=60)
        # As in the shared session: an idle program keeps the prefix's desktop open, so that
        # programs started together do not race to create it.
        keeper = subprocess.Popen(["wine", "cmd.exe", "/q", "/k"], stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        yield
    finally:
        if keeper:
            keeper.kill()
            keeper.wait(timeout=10)
        subprocess.run(["wineserver", "-k"], capture_output=True, timeout=30)
        shutil.rmtree(os.environ["WINEPREFIX"], ignore_errors=True)
        os.environ["WINEPREFIX"] = shared


class Pellomar:
    """A copy of the program in a clean folder of its own, and the process running it."""

    def __init__(self, with_skin=True, config=None):
        self.folder = tempfile.mkdtemp(prefix="pellomar-e2e-")
        self.elsewhere = tempfile.mkdtemp(prefix="pellomar-cwd-")
        self.exe = os.path.join(self.folder, "pellomar.exe")
        shutil.copy(os.path.join(BUILD, "pellomar.exe"), self.exe)
        if with_skin:
            shutil.copy(os.path.join(BUILD, "sk_default.bmp"), self.folder)
        shutil.copy(os.path.join(BUILD, "pellomarhelp.chm"), self.folder)
        if config is not None:
            self.write("config.dat", config)
        self.process = None

    def start(self, environment=None):
        """Starts the program from another working directory, as a shortcut or log-on would."""
        self.process = subprocess.Popen(["wine", self.exe], cwd=self.elsewhere, env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_for_bar(self):
        code, lines = driver("wait-bar", 15000)
        if code != 0:
            raise AssertionError("the bar did not appear")
        return [int(v) for v in lines[0].split()]

    def close(self):
        """Asks the bar to close and returns the program's exit code."""
        code, _ = driver("close-bar")
        if code != 0:
            raise AssertionError("no bar to close")
        return self.wait_exit()

    def wait_exit(self, timeout=20):
        return self.process.wait(timeout=timeout)

    def add_recorder(self):
        """Puts the recorder beside the program; returns its Windows path."""
        shutil.copy(os.path.join(BUILD, "e2e_recorder.exe"), os.path.join(self.folder, "recorder.exe"))
        return windows_path(os.path.join(self.folder, "recorder.exe"))

    def read(self, name):
        path = os.path.join(self.folder, name)
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def write(self, name, data):
        with open(os.path.join(self.folder, name), "wb") as f:
            f.write(data)

    def cleanup(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)
        shutil.rmtree(self.folder, ignore_errors=True)
        shutil.rmtree(self.elsewhere, ignore_errors=True)


def screenshot():
    """The whole X screen as (width, height, rgb bytes)."""
    ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True, check=True,
                         timeout=30).stdout
    # "P6", width, height and maximum value, each followed by one whitespace byte.
    fields, position = [], 0
    while len(fields) < 4:
        end = position
        while ppm[end] not in b" \t\r\n":
            end += 1
        if end > position:
            fields.append(ppm[position:end])
        position = end + 1
    width, height = int(fields[1]), int(fields[2])
    assert fields[0] == b"P6" and fields[3] == b"255", "an 8-bit colour screenshot"
    return width, height, ppm[position:position + width * height * 3]


def bitmap_pixels(path):
    """A 24-bit Windows bitmap as (width, height, rgb bytes, top row first)."""
    with open(path, "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride:][:width * 3]
        rows.append(bytes(row[i + 2 - c] for i in range(0, len(row), 3) for c in range(3)))
    return width, height, b"".join(rows)
