# The real program, started and driven from outside, its files checked byte by byte.
import os
import unittest

from harness import (BAR, BUILD, DRIVER, Pellomar, key_file, pixels, private_prefix, run, settings_file, settle,
                     wait_window, window_place, windows_path, xdotool)

WM_COMMAND, IDM_MINIMIZE_RESTORE, IDM_HELP = 0x111, 40005, 40009
TRAY = "Wine System Tray"  # Wine's notification area: a window of its own without a window manager
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"


def run_value():
    value = run("wine", "reg", "query", RUN_KEY, "/v", "pellomar.exe", check=False)
    return value.split("REG_SZ")[1].strip() if "REG_SZ" in value else None


def menu(command):
    run(*DRIVER, "post-bar", WM_COMMAND, command, 0)


# Types a line over the old one (a double click selects it) and presses Enter.
def type_line(line):
    left, top, _, _ = window_place(BAR)
    xdotool("mousemove %d %d click --repeat 2 1 type --delay 20" % (left + 200, top + 20), line + "\r")  # \r: Return


class FreshFolder(unittest.TestCase):
    def test_first_run_registers_itself_shows_the_skin_and_writes_the_defaults_and_stored_files_come_back(self):
        app = Pellomar(self)
        self.assertEqual(app.start(), (0, 0, 260, 32))
        self.assertEqual(run_value(), '"%s"' % windows_path(app.folder / "pellomar.exe"))

        def beside_the_box(*image):  # the command box hides the skin beneath it
            return [p for i, p in enumerate(pixels(*image)) if not (6 <= i % 260 < 254 and 12 <= i // 260 < 28)]

        skin = beside_the_box(BUILD / "sk_default.bmp")
        self.assertTrue(settle(lambda: beside_the_box("root", "-crop", "260x32+0+0") == skin, True), "the skin")
        self.assertEqual((app.close(), app.read("config.dat")), (0, settings_file()))

        # A skin that is gone: the default one shows, and the chosen path is kept.
        config = settings_file(left=300, top=200, snap=10, active=90, inactive=40, run_at_startup=False,
                               skin=b"C:\\Skins\\gone.bmp")
        keys = key_file(("ed", "notepad %s", "-x", 7, [("", "kept"), (" ", "-")]), ("g2", "b", "", 0, []))
        (app.folder / "config.dat").write_bytes(config)
        (app.folder / "keyentries.dat").write_bytes(keys)
        self.assertEqual(app.start(), (300, 200, 260, 32))
        self.assertIsNone(run_value())
        self.assertEqual((app.close(), app.read("config.dat"), app.read("keyentries.dat")), (0, config, keys))

    def test_a_missing_skin_is_reported_and_the_settings_are_saved(self):
        app = Pellomar(self, **{"sk_default.bmp": None})
        app.start(window=None)
        self.assertEqual(run(*DRIVER, "answer-box", "Application Error", 15000),
                         "Failed to load skin! Make sure a default skin (sk_default.bmp) is in the main directory.\n")
        self.assertEqual((app.process.wait(timeout=20), app.read("config.dat")), (255, settings_file()))  # 255: -1


class Desktop(unittest.TestCase):
    def test_drag_snap_tray_and_hot_key_and_a_hidden_exit_starts_hidden(self):
        app = Pellomar(self)
        app.start()
        # Grabbed by the skin and let go with its left edge 10 pixels from the screen's: it snaps.
        xdotool("mousemove 100 4 mousedown 1 sleep 0.2 mousemove 400 200 sleep 0.2 mousemove 110 404 sleep 0.3",
                "mouseup", 1)
        self.assertEqual(settle(lambda: window_place(BAR), (0, 400, 260, 32)), (0, 400, 260, 32))
        # Back by a double click on its icon, the tray's first, 13 pixels in from the tray's left and bottom
        # edges, and by the hot key, which reaches Wine with the pointer over one of its windows.
        for restore in ("click --repeat 2 1", "key ctrl+alt+k"):
            menu(IDM_MINIMIZE_RESTORE)
            left, top, _, height = wait_window(TRAY)
            self.assertIsNone(settle(lambda: window_place(BAR), None))
            xdotool("mousemove %d %d %s" % (left + 13, top + height - 13, restore))
            self.assertIsNotNone(wait_window(BAR))
        menu(IDM_MINIMIZE_RESTORE)
        self.assertEqual((app.close(), app.read("config.dat")), (0, settings_file(top=400, minimized_to_tray=True)))

        settle(lambda: window_place(TRAY), None)  # Wine takes an ended program's icon away
        self.assertIsNotNone(app.start(window=TRAY))
        self.assertIsNone(window_place(BAR))


class Launching(unittest.TestCase):
    def test_typed_lines_and_help_reach_the_shell(self):
        app = Pellomar(self, **{"recorder.exe": "e2e_recorder.exe"})
        recorder = windows_path(app.folder / "recorder.exe")
        (app.folder / "keyentries.dat").write_bytes(key_file(("rec", recorder, '--stored "two words"', 0, [])))
        for kind in ("http", "chm.file"):  # the recorder opens web addresses and help files
            run("wine", "reg", "add", r"HKCR\%s\shell\open\command" % kind, "/ve", "/d", '"%s" "%%1"' % recorder, "/f")
        app.start()
        recorded = b""
        for line, launch in (("wiki free software", "http://en.wikipedia.org/w/wiki.phtml?search=free software"),
                             ("rec typed words", "--stored | two words"),
                             ("C# AT&T", "http://www.google.com/search?q=C%23 AT%26T"),
                             (None, windows_path(app.folder / "pellomarhelp.chm"))):  # None: Help
            type_line(line) if line else menu(IDM_HELP)
            recorded += launch.encode() + b"\n"
            self.assertEqual(settle(lambda: app.read("launches.txt"), recorded), recorded)


class PowerOff(unittest.TestCase):
    def test_countdown_draws_the_time_warns_and_powers_off_with_both_files_saved(self):
        # Under Wine the power-off ends every program of the prefix: this one has its own.
        private_prefix(self)
        app = Pellomar(self)
        app.start()
        type_line("sysoff 5s")
        # The time, in yellow on the skin's top right.
        self.assertTrue(settle(lambda: pixels("root", "-crop", "48x11+196+1").count(b"\xff\xff\0") > 100, True, 3))
        self.assertIsNotNone(wait_window("Pellomar Auto Shutdown", 5))
        app.process.wait(timeout=30)
        self.assertEqual((app.read("config.dat"), app.read("keyentries.dat")), (settings_file(), key_file()))


class PlantedLibrary(unittest.TestCase):
    def test_a_system_library_planted_beside_the_program_is_not_loaded(self):
        app = Pellomar(self, **{"shell32.dll": "planted/shell32.dll"})
        # Wine prefers its own copy of a system library unless told to look for another.
        app.start(dict(os.environ, WINEDLLOVERRIDES=os.environ["WINEDLLOVERRIDES"] + ";shell32=n,b"))
        menu(IDM_MINIMIZE_RESTORE)  # the shell library's first use: the tray icon
        self.assertIsNone(settle(lambda: app.read("planted.txt"), b"", 3))
