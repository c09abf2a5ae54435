"""The real program, started and driven from outside, its files checked byte by byte."""
import os
import shutil
import subprocess
import time
import unittest

from harness import (BAR_HEIGHT, BAR_WIDTH, BOX_BOTTOM, BOX_LEFT, BOX_RIGHT, BOX_TOP, BUILD,
                     Pellomar, bitmap_pixels, driver, key_file, private_prefix, screenshot,
                     settings_file, settle, windows_path, wine_reg_add, xdotool)

IDM_MINIMIZE_RESTORE, IDM_OPTIONS, IDM_HELP = 40005, 40008, 40009
SKIN_FAILED = ("Failed to load skin! Make sure a default skin (sk_default.bmp) is in the main "
               "directory.")


class BarTestCase(unittest.TestCase):
    def pellomar(self, **kwargs):
        app = Pellomar(**kwargs)
        self.addCleanup(app.cleanup)
        return app


class FirstRun(BarTestCase):
    def test_shows_the_skin_at_the_corner_and_writes_the_defaults_at_exit(self):
        app = self.pellomar()
        app.start()
        self.assertEqual(app.wait_for_bar(), [0, 0, BAR_WIDTH, BAR_HEIGHT])
        info = driver("bar-info")[1][0].split()
        exstyle, alpha = int(info[5], 16), int(info[6])
        self.assertEqual(exstyle & 0x80088, 0x80088, "layered, topmost tool window")
        self.assertEqual(alpha, 216, "85 % opaque with the focus")
        self.assertIsNone(app.read("config.dat"), "nothing is written before exit")

        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read("config.dat"), settings_file())
        self.assertIsNone(app.read("config.dat.new"))

    def test_skin_shows_on_screen_around_the_command_box(self):
        app = self.pellomar()
        app.start()
        app.wait_for_bar()
        _, _, skin = bitmap_pixels(BUILD + "/sk_default.bmp")

        def differing_pixels():
            screen_width, _, screen = screenshot()
            return [(x, y) for y in range(BAR_HEIGHT) for x in range(BAR_WIDTH)
                    if not (BOX_LEFT <= x < BOX_RIGHT and BOX_TOP <= y < BOX_BOTTOM)
                    and screen[(y * screen_width + x) * 3:][:3] != skin[(y * BAR_WIDTH + x) * 3:][:3]]

        mismatches = settle(differing_pixels, [])
        self.assertEqual(mismatches[:10], [], "%d pixels differ" % len(mismatches))
        self.assertEqual(app.close(), 0)


class MissingSkin(BarTestCase):
    def test_says_so_and_ends_with_minus_one_after_saving_the_settings(self):
        app = self.pellomar(with_skin=False)
        app.start()
        code, lines = driver("answer-box", "Application Error", 15000)
        self.assertEqual(code, 0, "no message box")
        self.assertEqual(lines, [SKIN_FAILED, "bar visible: 0"])
        self.assertEqual(app.wait_exit(), 255)  # -1, as the shell sees it
        self.assertEqual(app.read("config.dat"), settings_file())


class StoredSettings(BarTestCase):
    def test_fixture_places_the_bar_and_comes_back_unchanged(self):
        # A skin that is gone: the default one shows, and the chosen path is kept.
        fixture = settings_file(left=300, top=200, snap=10, active=90, inactive=40,
                                run_at_startup=False, skin=b"C:\\Skins\\gone.bmp")
        app = self.pellomar(config=fixture)
        app.start()
        self.assertEqual(app.wait_for_bar(), [300, 200, 300 + BAR_WIDTH, 200 + BAR_HEIGHT])
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read("config.dat"), fixture)

    def test_run_value_follows_run_at_startup(self):
        app = self.pellomar()
        app.start()
        app.wait_for_bar()
        self.assertEqual(driver("run-value")[1], ['"%s"' % windows_path(app.exe)])
        self.assertEqual(app.close(), 0)

        app.write("config.dat", settings_file(run_at_startup=False))
        app.start()
        app.wait_for_bar()
        self.assertEqual(driver("run-value")[1], ["<none>"])
        self.assertEqual(app.close(), 0)

    def test_end_of_the_windows_session_keeps_the_settings(self):
        app = self.pellomar(config=settings_file(left=120, top=80, snap=3))
        app.start()
        app.wait_for_bar()
        self.assertEqual(driver("end-session")[0], 0)
        app.wait_exit()
        self.assertEqual(app.read("config.dat"), settings_file(left=120, top=80, snap=3))


class Dragging(BarTestCase):
    def test_drag_by_the_skin_snaps_to_the_right_edge_and_is_remembered(self):
        app = self.pellomar()
        app.start()
        app.wait_for_bar()
        area = driver("work-area")[1][0].split()
        work_right = int(area[2])
        # Grab the skin 100 pixels from the bar's left, above the command box.
        xdotool("mousemove", 100, 4)
        xdotool("mousedown", 1)
        for x, y in ((300, 100), (700, 200), (work_right - 170, 300)):
            time.sleep(0.2)
            xdotool("mousemove", x, y)
        time.sleep(0.3)
        xdotool("mouseup", 1)
        # The bar's right edge would be 10 pixels short of the work area's: it snaps.
        expected = [work_right - BAR_WIDTH, 296, work_right, 296 + BAR_HEIGHT]
        def bar_rect():
            return [int(v) for v in driver("bar-info")[1][0].split()[:4]]

        self.assertEqual(settle(bar_rect, expected), expected)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read("config.dat")[:8],
                         settings_file(left=work_right - BAR_WIDTH, top=296)[:8])


def bar_visible():
    return int(driver("bar-info")[1][0].split()[4])


def type_line(left, top, line):
    """Types a line over the old one (a double click selects it) and presses Enter."""
    xdotool("mousemove", left + 200, top + 20)
    xdotool("click", "--repeat", 2, 1)
    xdotool("type", "--delay", 20, line)
    xdotool("key", "Return")


class Tray(BarTestCase):
    def test_hides_by_the_menu_comes_back_by_the_hot_key_and_starts_hidden(self):
        app = self.pellomar()
        app.start()
        app.wait_for_bar()
        for restart in (False, True):
            if not restart:
                driver("command", IDM_MINIMIZE_RESTORE)
            self.assertEqual(settle(bar_visible, 0), 0)
            # Wine shows the icon in a window of its own; keys reach Wine where the pointer is.
            tray = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Wine System Tray$"],
                                  capture_output=True, text=True, timeout=20).stdout.split()[0]
            xdotool("mousemove", "--window", tray, 10, 10)
            xdotool("key", "ctrl+alt+k")
            self.assertEqual(settle(bar_visible, 1), 1)
            driver("command", IDM_MINIMIZE_RESTORE)
            self.assertEqual(settle(bar_visible, 0), 0)
            self.assertEqual(app.close(), 0)
            self.assertEqual(app.read("config.dat")[155], 1, "ended hidden")
            if not restart:
                app.start()
                self.assertEqual(driver("wait-bar", 3000)[0], 1, "it starts hidden")


class Countdown(BarTestCase):
    def test_draws_the_time_warns_and_powers_off_with_both_files_saved(self):
        # Under Wine the power-off ends every program of the prefix: this one has its own.
        with private_prefix():
            app = self.pellomar()
            app.start()
            left, top, _, _ = app.wait_for_bar()
            type_line(left, top, "sysoff 5s")

            def yellow_pixels():
                width, _, screen = screenshot()
                return sum(screen[((top + y) * width + left + x) * 3:][:3] == b"\xff\xff\x00"
                           for y in range(1, 12) for x in range(196, 244))

            self.assertGreater(settle(lambda: yellow_pixels() > 100, True, 3), 0, "the time on the skin")
            self.assertEqual(driver("answer-box", "Pellomar Auto Shutdown", 5000)[0], 0, "the warning")
            app.wait_exit(30)
            self.assertEqual(app.read("config.dat"), settings_file())
            self.assertEqual(app.read("keyentries.dat"), key_file())


class TypedLines(BarTestCase):
    def test_typed_lines_reach_the_shell_and_the_key_file_comes_back_unchanged(self):
        app = self.pellomar()
        recorder = app.add_recorder()
        # The recorder opens web addresses, as a browser would.
        wine_reg_add(r"HKCR\http\shell\open\command", '"%s" "%%1"' % recorder)
        fixture = key_file(("rec", recorder, '--stored "two words"', 0, []),
                           ("odd", "odd.exe %s", "", 7, [("", "kept"), (" ", "-")]))
        app.write("keyentries.dat", fixture)
        app.start()
        left, top, _, _ = app.wait_for_bar()
        launches = []

        def run_line(line, launch):
            type_line(left, top, line)
            launches.append(launch)
            self.assertEqual(settle(lambda: (app.read("launches.txt") or b"").decode().splitlines(), launches),
                             launches)

        run_line("wiki free software", "http://en.wikipedia.org/w/wiki.phtml?search=free software")
        run_line("rec typed words", "--stored | two words")
        run_line("C# AT&T", "http://www.google.com/search?q=C%23 AT%26T")
        # Help opens the file beside the program.
        wine_reg_add(r"HKCR\chm.file\shell\open\command", '"%s" "%%1"' % recorder)
        driver("command", IDM_HELP)
        launches.append(windows_path(app.folder + "/pellomarhelp.chm"))
        self.assertEqual(settle(lambda: (app.read("launches.txt") or b"").decode().splitlines(), launches), launches)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read("keyentries.dat"), fixture)
        self.assertIsNone(app.read("keyentries.dat.bak"))

    def test_a_key_added_in_the_dialog_runs_hides_the_bar_and_is_saved(self):
        app = self.pellomar()
        recorder = app.add_recorder()
        app.start()
        left, top, _, _ = app.wait_for_bar()
        driver("command", IDM_OPTIONS)
        driver("click-item", "Options", 1010)  # "&Edit..."
        for control, text in ((1012, "rec"), (1013, recorder), (1015, "--fixed words")):
            self.assertEqual(driver("set-item", "Edit User Keys", control, text)[0], 0)
        for dialog, button in (("Edit User Keys", 1022), ("Edit User Keys", 1018), ("Edit User Keys", 1),
                               ("Options", 1)):  # "Minimize after running", "&Add", "Done", "OK"
            self.assertEqual(driver("click-item", dialog, button)[0], 0)
            time.sleep(0.3)
        type_line(left, top, "rec typed")
        self.assertEqual(settle(lambda: app.read("launches.txt"), b"--fixed | words\n"), b"--fixed | words\n")
        self.assertEqual(bar_visible(), 0, "hidden after running")
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read("keyentries.dat"), key_file(("rec", recorder, "--fixed words", 1, [])))

    def test_an_unreadable_key_file_is_kept_aside_before_it_is_replaced(self):
        app = self.pellomar()
        wrong_version = b"\x02" + key_file(("ed", "notepad", "", 1, []))[1:]
        app.write("keyentries.dat", wrong_version)
        app.start()
        code, lines = driver("answer-box", "Error", 15000)
        self.assertEqual((code, lines[:1]), (0, ["Key Entry file is an incorrect version... skipping"]))
        app.wait_for_bar()
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read("keyentries.dat.bak"), wrong_version)
        self.assertEqual(app.read("keyentries.dat"), key_file())

        # The count says two entries, the file ends inside the second.
        cut_short = key_file(("ed", "notepad", "", 1, []), ("ed", "notepad", "", 1, []))[:-3]
        app.write("keyentries.dat", cut_short)
        app.start()
        app.wait_for_bar()
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read("keyentries.dat.bak"), cut_short)
        self.assertEqual(app.read("keyentries.dat"), key_file(("ed", "notepad", "", 1, [])))


class PlantedLibrary(BarTestCase):
    def test_a_system_library_planted_beside_the_program_is_not_loaded(self):
        app = self.pellomar()
        shutil.copy(os.path.join(BUILD, "planted", "shell32.dll"), app.folder)
        # Wine prefers its own copy of a system library unless told to look for another.
        environment = dict(os.environ, WINEDLLOVERRIDES=os.environ["WINEDLLOVERRIDES"] + ";shell32=n,b")
        app.start(environment)
        app.wait_for_bar()
        driver("command", IDM_HELP)  # the shell library's first use
        self.assertEqual(settle(lambda: app.read("planted.txt"), b"", 3), None)
        self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
