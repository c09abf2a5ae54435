# The real pellomar.exe under Wine (tools/wine-session.sh), run from a clean copy of the 64-bit
# build PELLOMAR_BUILD, driven from outside and its files checked byte by byte.
import getpass
import os
import pathlib
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

BUILD = pathlib.Path(os.environ["PELLOMAR_BUILD"])
BAR = "Pellomar"  # the bar's title
TRAY = "Wine System Tray"  # Wine's notification area: a window of its own without a window manager
WM_CLOSE, WM_COMMAND, IDM_MINIMIZE_RESTORE, IDM_HELP = 0x10, 0x111, 40005, 40009


def run(*args, timeout=30, check=True, text=True):
    done = subprocess.run(list(map(str, args)), capture_output=True, text=text, timeout=timeout)
    assert not check or done.returncode == 0, "%s failed: %s" % (args, done.stderr)
    return done.stdout


def driver(*args):  # its commands: driver_win.cpp
    return run("wine", BUILD / "e2e_driver.exe", *args)


# xdotool with its commands as one string of words, then arguments as they are (a text to type).
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


def shown_windows(title):
    return len(xdotool("search --onlyvisible --name", "^%s$" % title).split())


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


# A "config.dat" as the program writes it: 162 bytes, little-endian, unpadded.
def settings_file(left=0, top=0, run_at_startup=True, skin=b"sk_default.bmp"):
    font = struct.pack("<5i", -12, 0, 0, 0, 700) + bytes(8) + b"arial".ljust(32, b"\0")
    return (struct.pack("<5i", left, top, 25, 85, 28) + bytes([run_at_startup, 1, 0]) + skin.ljust(64, b"\0")
            + bytes([0x33, 0x33, 0x33, 0]) + font + bytes([0xFF, 0xFF, 0xFF, 0, 0, 1, 3, ord("K"), 1, 1, 0]))


# A "keyentries.dat" of (key, command, parameters, flag) entries without replacements.
def key_file(*entries):
    def texts(*values):
        return b"".join(struct.pack("<h", len(value)) + value.encode("latin-1") for value in values)

    return struct.pack("<ii", 1, len(entries)) + b"".join(
        texts(key, command, parameters) + bytes([flag, 0, 0]) for key, command, parameters, flag in entries)


# A Wine prefix of its own, booted as the shared one, for a test that ends its Wine session;
# its screen has the dots per inch given, if any.
def private_prefix(test, dpi=""):
    test.addCleanup(os.environ.__setitem__, "WINEPREFIX", os.environ["WINEPREFIX"])
    os.environ["WINEPREFIX"] = tempfile.mkdtemp(prefix="pellomar-prefix-")
    test.addCleanup(shutil.rmtree, os.environ["WINEPREFIX"])
    test.addCleanup(run, "wineserver", "-k", check=False)
    # -x: which step failed
    keeper = run("bash", "-xc", '. "$0" && wine_prefix_start "$1" && echo $WINE_PREFIX_KEEPER_PID',
                 pathlib.Path(__file__).parents[2] / "tools" / "wine-session.sh", dpi, timeout=400)
    test.addCleanup(run, "kill", keeper.strip(), check=False)  # unless the test has ended it


# A copy of the program in a clean folder of its own, and the process running it. The files
# beside it, by name: their contents, a file of the build to copy, or None for none.
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
    def start(self, window=BAR, environment=None):
        self.process = subprocess.Popen(["wine", self.folder / "pellomar.exe"], cwd=tempfile.gettempdir(),
                                        env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.test.addCleanup(self.process.kill)
        return wait_window(window) if window else None

    # Asks the bar to close, as the system would; returns the program's exit code.
    def close(self):
        driver("post-bar", WM_CLOSE, 0)
        return self.process.wait(timeout=20)

    def read(self, name):
        return (self.folder / name).read_bytes() if (self.folder / name).exists() else None


# The Start Menu's programs folder of the prefix's user, and the saved catalog of programs.
def start_menu():
    return pathlib.Path(os.environ["WINEPREFIX"], "drive_c/users", getpass.getuser(),
                        "AppData/Roaming/Microsoft/Windows/Start Menu/Programs")


def saved_catalog():
    path = pathlib.Path(os.environ["WINEPREFIX"], "drive_c/users", getpass.getuser(), "AppData/Local/Pellomar/catalog.dat")
    return path.read_bytes() if path.exists() else b""


# A shortcut's bytes as the shell writes them, reduced to what a catalog reads: the link's
# header, its target's local path and the target's arguments.
def shortcut(target, arguments):
    header = struct.pack("<I16sII24xIiI12x", 0x4C, bytes.fromhex("0114020000000000c000000000000046"),
                         0x02 | 0x20 | 0x80, 0x20, 0, 0, 1)  # link info, arguments, Unicode texts
    volume = struct.pack("<IIII", 0x11, 3, 0, 0x10) + b"\0"
    base = target.encode("ascii") + b"\0"
    info_header = 0x1C
    info = struct.pack("<IIIIIII", info_header + len(volume) + len(base) + 1, info_header, 1, info_header,
                       info_header + len(volume), 0, info_header + len(volume) + len(base)) + volume + base + b"\0"
    text = arguments.encode("utf-16-le")
    return header + info + struct.pack("<H", len(arguments)) + text + bytes(4)


def run_value():  # the registry's answer, which names the value's text if there is one
    return run("wine", "reg", "query", r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run", "/v", "pellomar.exe",
               check=False)


def menu_shown():
    return subprocess.run(["wine", BUILD / "e2e_driver.exe", "await-menu"], capture_output=True, timeout=30).returncode == 0


def menu_command(command):
    driver("post-bar", WM_COMMAND, command)


# Keys and clicks into the command box. The X keyboard focus follows the pointer only until
# Wine has set it to a window of its own; once that window is gone it stays on none.
def in_box(commands, *args):
    left, top, _, _ = wait_window(BAR)
    xdotool("search --onlyvisible --name ^%s$ windowfocus mousemove %d %d %s" % (BAR, left + 200, top + 20, commands),
            *args)


# Types a line over the old one (selected from its start to its end) and presses Enter.
def type_line(line):
    in_box("click 1 key Home shift+End type --delay 20", line + "\r")  # \r: Return


class FreshFolder(unittest.TestCase):
    def test_a_missing_skin_is_reported_and_a_gone_one_shows_the_default_and_is_kept(self):
        app = Pellomar(self, **{"sk_default.bmp": None})
        app.start(window=None)
        self.assertIn("sk_default.bmp", driver("answer-box", "Application Error"))
        self.assertEqual((app.process.wait(timeout=20), app.read("config.dat")), (255, settings_file()))  # 255: -1
        self.assertIn('"%s"' % windows_path(app.folder / "pellomar.exe"), run_value())

        shutil.copy(BUILD / "sk_default.bmp", app.folder)
        config = settings_file(left=300, top=200, run_at_startup=False, skin=b"C:\\Skins\\gone.bmp")
        (app.folder / "config.dat").write_bytes(config)
        self.assertEqual(app.start(), (300, 200, 260, 32))
        self.assertNotIn("pellomar.exe", run_value())
        skin = pixels(BUILD / "sk_default.bmp", "-crop", "260x12+0+0")  # above the command box
        self.assertTrue(settle(lambda: pixels("root", "-crop", "260x12+300+200") == skin, True), "the skin")
        self.assertEqual((app.close(), app.read("config.dat")), (0, config))

        # A folder whose path leaves no room for the program's files is refused at once.
        deep = app.folder / ("d" * 120) / ("e" * 120)
        deep.mkdir(parents=True)
        shutil.copy(BUILD / "pellomar.exe", deep)
        process = subprocess.Popen(["wine", deep / "pellomar.exe"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(process.kill)
        self.assertIn("cannot run from a folder with a path this long", driver("answer-box", BAR))
        self.assertEqual(process.wait(timeout=20), 255)


class Desktop(unittest.TestCase):
    def test_drag_snaps_and_the_tray_icon_and_the_hot_key_bring_the_bar_back_with_no_planted_library_loaded(self):
        app = Pellomar(self, **{"shell32.dll": "planted/shell32.dll"})
        # Wine prefers its own copy of a system library unless told to look for another.
        environment = dict(os.environ, WINEDLLOVERRIDES=os.environ["WINEDLLOVERRIDES"] + ";shell32=n,b")
        self.assertEqual(app.start(BAR, environment), (0, 0, 260, 32))
        self.assertIsNone(app.read("config.dat"), "written at exit only")
        # Grabbed by the skin and let go with its left edge 10 pixels from the screen's: it snaps.
        xdotool("mousemove 100 4 mousedown 1 sleep 0.2 mousemove 400 200 sleep 0.2 mousemove 110 404 sleep 0.3",
                "mouseup", 1)
        self.assertEqual(settle(lambda: window_place(BAR), (0, 400, 260, 32)), (0, 400, 260, 32))
        # Back by a double click on its icon, the tray's first, 13 pixels in from the tray's left and bottom
        # edges, and by the hot key, which reaches Wine with the pointer over one of its windows.
        for restore in ("click --repeat 2 1", "key ctrl+alt+k"):
            menu_command(IDM_MINIMIZE_RESTORE)  # the first time, the shell library's first use: the tray icon
            left, top, _, height = wait_window(TRAY)
            self.assertIsNone(settle(lambda: window_place(BAR), None))
            xdotool("mousemove %d %d %s" % (left + 13, top + height - 13, restore))
            self.assertIsNotNone(wait_window(BAR))
        self.assertEqual((app.close(), app.read("config.dat"), app.read("keyentries.dat"), app.read("planted.txt")),
                         (0, settings_file(top=400), key_file(), None))


class Launching(unittest.TestCase):
    def test_a_typed_line_help_a_line_run_before_and_a_program_found_by_name_reach_the_shell(self):
        app = Pellomar(self, **{"recorder.exe": "e2e_recorder.exe"})
        recorder = windows_path(app.folder / "recorder.exe")
        (app.folder / "keyentries.dat").write_bytes(key_file(("rec", recorder, '--stored "two words"', 0)))
        for kind in ("https", "chm.file"):  # the recorder opens web addresses and help files
            run("wine", "reg", "add", r"HKCR\%s\shell\open\command" % kind, "/ve", "/d", '"%s" "%%1"' % recorder, "/f")
        # A line run before, in any language (xdotool cannot type it into Wine).
        (app.folder / "history.txt").write_bytes("g \u6771\u4eac\r\n".encode())  # Tokyo
        # A Start Menu of real programs' names, and a shortcut to the recorder with arguments and a folder of its own.
        menu = start_menu() / "Pellomar test"
        menu.mkdir(parents=True)
        self.addCleanup(shutil.rmtree, menu)
        names = (pathlib.Path(__file__).parents[1] / "data" / "program-names.txt").read_text(encoding="utf-8")
        for number, name in enumerate(names.splitlines()):
            (menu / (name.replace("/", "_").replace(":", "_") + ".lnk")).write_bytes(
                shortcut(r"C:\windows\notepad.exe", str(number)))
        driver("make-shortcut", windows_path(menu / "Pellomar Recorder.lnk"), recorder, "--from-menu", r"C:\windows")
        app.start()
        in_box("key F5")  # the catalog scanned now, not after its pause at the start
        self.assertTrue(settle(lambda: b"Pellomar Recorder" in saved_catalog(), True, 30), "scanned")
        recorded = b""
        folder = windows_path(app.folder)
        # A typed line, Help, the line run before (brought back by Up: the newest comes first), a search phrase
        # that no program's name catches, and a few letters of a program's name.
        for act, launch in ((lambda: type_line("rec typed words"), folder + " | --stored | two words"),
                            (lambda: menu_command(IDM_HELP), folder + " | " + windows_path(app.folder / "pellomarhelp.chm")),
                            (lambda: in_box("click 1 key Up Up Return"),
                             folder + " | https://www.google.com/search?q=\u6771\u4eac"),
                            (lambda: type_line("how to cook rice"), folder + " | https://www.google.com/search?q=how to cook rice"),
                            (lambda: type_line("pellomar rec"), r"C:\windows | --from-menu")):
            act()
            recorded += (launch + "\n").encode()
            self.assertEqual(settle(lambda: app.read("launches.txt"), recorded), recorded)
        # The bar's menu from the keyboard, in place of the box's own: Options, then Exit. A letter
        # typed before the menu shows would go to the box; a key that went astray is pressed again.
        for opening, letter in (("key shift+F10", "o"), ("click 1 key Menu", "x")):
            for _ in range(3):
                in_box(opening)
                if menu_shown():
                    break
            xdotool("key", letter)
            if letter == "o":
                driver("answer-box", "Options")
                settle(lambda: window_place("Options"), None)
        self.assertEqual(app.process.wait(timeout=20), 0)
        self.assertIn(b"rec typed words", app.read("history.txt"), "kept for the next run")
        link = r"C:\users\%s\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Pellomar test\Pellomar Recorder.lnk"
        self.assertIn(("\tpellomar rec\t%s\r\n" % (link % getpass.getuser())).encode(), app.read("picks.txt"), "learnt")
        self.assertTrue(app.read("config.dat") and app.read("keyentries.dat"), "both saved")


class SecondCopy(unittest.TestCase):
    def test_a_second_start_on_the_same_files_brings_the_first_forward_and_ends_on_other_files_it_runs(self):
        app = Pellomar(self)
        app.start()
        menu_command(IDM_MINIMIZE_RESTORE)  # hidden to the notification area
        wait_window(TRAY)
        self.assertIsNone(settle(lambda: window_place(BAR), None))
        # Started through another path to the same folder, as a junction or a mapped drive would give.
        other_path = pathlib.Path(tempfile.mkdtemp(prefix="pellomar-e2e-")) / "same folder"
        self.addCleanup(shutil.rmtree, other_path.parent)
        other_path.symlink_to(app.folder)
        second = subprocess.run(["wine", other_path / "pellomar.exe"], cwd=tempfile.gettempdir(), timeout=10,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The first bar back, and no second bar nor message, which would share its title.
        self.assertEqual((second.returncode, settle(lambda: shown_windows(BAR), 1)), (0, 1))
        Pellomar(self).start(window=None)
        self.assertIn("Another copy of Pellomar uses Ctrl+Alt+K, so this one cannot bring its bar forward with it. "
                      "The other copy runs from %s." % windows_path(app.folder / "pellomar.exe"), driver("answer-box", BAR))
        self.assertEqual(settle(lambda: shown_windows(BAR), 2), 2, "both bars")


class PowerOff(unittest.TestCase):
    def test_at_150_percent_the_bar_shows_whole_and_the_countdown_draws_the_time_warns_and_powers_off(self):
        # Under Wine the power-off ends every program of the prefix: this one has its own, at 150 %.
        private_prefix(self, dpi=144)
        app = Pellomar(self)
        self.assertEqual(app.start(), (0, 0, 390, 48))
        # The time, in yellow on the skin's top right, in the font scaled. Keys typed while a new prefix
        # settles in may go astray (seen once in many runs): the line is typed again then.
        drawn = lambda: pixels("root", "-crop", "96x16+294+2").count(b"\xff\xff\0") > 600  # noqa: E731
        self.assertTrue(any(type_line("sysoff 5s") or settle(drawn, True, 3) for _ in range(2)))
        # The skin's border all round the bar, and the line in the box as tall as the font scaled.
        bar = pixels("root", "-crop", "390x48+0+0")
        self.assertEqual({bar[i] for i in range(390 * 48) if i < 390 or i >= 390 * 47 or i % 390 in (0, 389)},
                         {b"\x12\x14\x18"})
        box = pixels("root", "-crop", "366x22+12+19")  # inside the box's border
        self.assertGreaterEqual(sum(sum(p[0] < 128 for p in box[y * 366:(y + 1) * 366]) > 2 for y in range(22)), 16)
        self.assertIsNotNone(wait_window("Pellomar Auto Shutdown", 5))
        app.process.wait(timeout=30)
        self.assertEqual((app.read("config.dat"), app.read("keyentries.dat")), (settings_file(), key_file()))
