"""The real program, started and driven from outside, its files checked byte by byte."""
import subprocess
import time
import unittest

from harness import (BAR_HEIGHT, BAR_WIDTH, BOX_BOTTOM, BOX_LEFT, BOX_RIGHT, BOX_TOP, BUILD,
                     Pellomar, bitmap_pixels, driver, screenshot, settings_file,
                     settle, windows_path)

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
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=10)

    def test_drag_by_the_skin_snaps_to_the_right_edge_and_is_remembered(self):
        app = self.pellomar()
        app.start()
        app.wait_for_bar()
        area = driver("work-area")[1][0].split()
        work_right = int(area[2])
        # Grab the skin 100 pixels from the bar's left, above the command box.
        self.xdotool("mousemove", 100, 4)
        self.xdotool("mousedown", 1)
        for x, y in ((300, 100), (700, 200), (work_right - 170, 300)):
            time.sleep(0.2)
            self.xdotool("mousemove", x, y)
        time.sleep(0.3)
        self.xdotool("mouseup", 1)
        # The bar's right edge would be 10 pixels short of the work area's: it snaps.
        expected = [work_right - BAR_WIDTH, 296, work_right, 296 + BAR_HEIGHT]
        def bar_rect():
            return [int(v) for v in driver("bar-info")[1][0].split()[:4]]

        self.assertEqual(settle(bar_rect, expected), expected)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read("config.dat")[:8],
                         settings_file(left=work_right - BAR_WIDTH, top=296)[:8])


if __name__ == "__main__":
    unittest.main()
