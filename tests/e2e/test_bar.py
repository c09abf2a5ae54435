# The real program, started and driven from outside, its files checked byte by byte.
import os
import shutil
import subprocess
import time
import unittest

from harness import (BAR, BUILD, DRIVER, Pellomar, key_file, per_user_folder, pixels, private_prefix, read_only, run,
                     settings_file, settle, wait_window, window_place, windows_path, xdotool)

WM_COMMAND, IDM_MINIMIZE_RESTORE, IDM_OPTIONS, IDM_HELP = 0x111, 40005, 40008, 40009
BM_CLICK, HKM_SETHOTKEY, LB_SETCURSEL, IDYES, IDRETRY = 0xF5, 0x401, 0x186, 6, 4
TRAY = "Wine System Tray"  # Wine's notification area: a window of its own without a window manager
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"


def run_value():
    value = run("wine", "reg", "query", RUN_KEY, "/v", "pellomar.exe", check=False)
    return value.split("REG_SZ")[1].strip() if "REG_SZ" in value else None


def menu(command):
    run(*DRIVER, "post-bar", WM_COMMAND, command, 0)


def driver(*args):
    return run(*DRIVER, *args)


def click(dialog, button):
    driver("item", dialog, button, BM_CLICK, 0, 0)


# Keys and clicks into the command box. The X keyboard focus follows the pointer only until
# Wine has set it to a window of its own; once that window is gone it stays on none.
def in_box(commands, *args):
    left, top, _, _ = window_place(BAR)
    xdotool("search --onlyvisible --name ^%s$ windowfocus mousemove %d %d %s" % (BAR, left + 200, top + 20, commands),
            *args)


# Types a line over the old one (a double click selects it) and presses Enter.
def type_line(line):
    in_box("click --repeat 2 1 type --delay 20", line + "\r")  # \r: Return


class FreshFolder(unittest.TestCase):
    def test_first_run_registers_itself_shows_the_skin_and_writes_the_defaults_and_stored_files_come_back(self):
        app = Pellomar(self)
        self.assertEqual(app.start(), (0, 0, 260, 32))
        self.assertEqual(run_value(), '"%s"' % windows_path(app.folder / "pellomar.exe"))
        self.assertIsNone(app.read("config.dat"), "written at exit only")

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
        # A line run before, in any language (xdotool cannot type it into Wine).
        (app.folder / "history.txt").write_bytes("g \u6771\u4eac\r\n".encode())  # Tokyo
        app.start()
        recorded = b""
        for line, launch in (("wiki free software", "http://en.wikipedia.org/w/wiki.phtml?search=free software"),
                             ("rec typed words", "--stored | two words"),
                             ("C# AT&T", "http://www.google.com/search?q=C%23 AT%26T"),
                             (None, windows_path(app.folder / "pellomarhelp.chm"))):  # None: Help
            type_line(line) if line else menu(IDM_HELP)
            recorded += launch.encode() + b"\n"
            self.assertEqual(settle(lambda: app.read("launches.txt"), recorded), recorded)
        # The lines run are kept across runs: Up brings them back, newest first.
        self.assertEqual(app.close(), 0)
        app.start()
        in_box("click 1 key Up Up Up Up Return")
        recorded += "http://www.google.com/search?q=\u6771\u4eac\n".encode()
        self.assertEqual(settle(lambda: app.read("launches.txt"), recorded), recorded)


class KeepingFiles(unittest.TestCase):
    def test_a_folder_that_refuses_files_sends_them_to_the_users_once_and_a_failed_save_offers_retry(self):
        app, moved = Pellomar(self), per_user_folder()
        shutil.rmtree(moved, ignore_errors=True)
        with read_only(app.folder):
            app.start()
            menu(IDM_MINIMIZE_RESTORE)  # ended hidden, a setting the next start shows
            driver("close-bar")
            self.assertIn("AppData\\Roaming\\Pellomar", driver("answer-box", BAR, 15000))
            self.assertEqual(app.process.wait(timeout=20), 0)
            self.assertEqual(((moved / "config.dat").read_bytes(), app.read("config.dat")),
                             (settings_file(minimized_to_tray=True), None))
            app.start(window=None)
            self.assertIsNotNone(wait_window(TRAY))  # started hidden, and told nothing again
            with read_only(moved):
                driver("close-bar")
                self.assertIsNotNone(wait_window(BAR))  # the message, the bar being hidden
            self.assertIn('could not save "config.dat"', driver("answer-box", BAR, 5000, IDRETRY))
            self.assertEqual(app.process.wait(timeout=20), 0)
            self.assertEqual((moved / "config.dat").read_bytes(), settings_file(minimized_to_tray=True))

    def test_key_words_go_out_and_come_back_in_as_text(self):
        keys = key_file(("ed", "notepad %s", "-x", 1, [("=", "\t"), (" ", "-")]), ("tx", "t.exe", "", 0, []))
        app = Pellomar(self, **{"keyentries.dat": keys})
        app.start()
        menu(IDM_OPTIONS)
        click("Options", 1010)  # Edit...
        for button, chooser in ((1024, "Save As"), (1025, "Open")):  # Export..., Import...
            if button == 1025:  # after removing both key words
                for _ in range(2):
                    driver("item", "Edit User Keys", 1014, LB_SETCURSEL, 0, 0)
                    click("Edit User Keys", 1016)
            click("Edit User Keys", button)
            driver("set-item", chooser, 1148, windows_path(app.folder / "keys.txt"))
            click(chooser, 1)
        self.assertIn("Added: 2", driver("answer-box", "Import Key Words", 10000))
        click("Edit User Keys", 1)  # Done
        click("Options", 1)
        self.assertIsNone(settle(lambda: window_place("Options"), None))
        self.assertEqual((app.close(), app.read("keyentries.dat")), (0, keys))


class HotKey(unittest.TestCase):
    def test_a_hot_key_held_elsewhere_is_told_and_another_one_chosen_works(self):
        holder = subprocess.Popen(["wine", BUILD / "e2e_hot_key_holder.exe"])
        self.addCleanup(holder.kill)
        time.sleep(3)  # for it to take Ctrl+Alt+K first
        app = Pellomar(self, **{"config.dat": settings_file(minimized_to_tray=True)})
        app.start(window=None)
        self.assertIn("Ctrl+Alt+K", driver("answer-box", BAR, 15000))
        self.assertIsNotNone(wait_window(BAR), "shown, although it ended hidden")
        menu(IDM_OPTIONS)
        driver("item", "Options", 1041, HKM_SETHOTKEY, 0x64A, 0)  # Ctrl+Alt+J
        click("Options", 1)
        self.assertIsNone(settle(lambda: window_place("Options"), None))
        menu(IDM_MINIMIZE_RESTORE)
        self.assertIsNone(settle(lambda: window_place(BAR), None))
        xdotool("search --onlyvisible --name", TRAY, *"mousemove --window %1 10 10 key ctrl+alt+j keyup ctrl alt".split())
        self.assertIsNotNone(wait_window(BAR))
        self.assertEqual((app.close(), app.read("config.dat")[157:159]), (0, bytes([3, ord("J")])))


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
