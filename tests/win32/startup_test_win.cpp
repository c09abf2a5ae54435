#include <windows.h>

#include <cstring>

#include "app/startup_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "settings/settings_win.h"

namespace {

struct PlacementCase {
  const char* name;
  int32_t storedLeft;
  int32_t storedTop;
  bool movedIntoWorkArea;
};

}  // namespace

TEST_F(BarTest, StartsWhereItWasUnlessNoMonitorShowsThatPlace) {
  RECT workArea;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  const PlacementCase cases[] = {
      {"inside", 400, 300, false},
      {"half over the right edge", workArea.right - 100, 300, false},
      {"partly above the screen", 50, -20, false},
      {"far right and below", 5000, 5000, true},
      {"far left", -4000, 300, true},
      {"beyond the coordinate range", 0x7FFFFFF0, 0x7FFFFFF0, true},
  };
  for (const PlacementCase& c : cases) {
    appSettings.windowLeft = c.storedLeft;
    appSettings.windowTop = c.storedTop;
    ASSERT_NE(CreateMainWindow(GetModuleHandleA(NULL)), nullptr);
    RECT bar;
    GetWindowRect(appState.mainWindow, &bar);
    if (c.movedIntoWorkArea) {
      EXPECT_GE(bar.left, workArea.left) << c.name;
      EXPECT_GE(bar.top, workArea.top) << c.name;
      EXPECT_LE(bar.right, workArea.right) << c.name;
      EXPECT_LE(bar.bottom, workArea.bottom) << c.name;
    } else {
      EXPECT_EQ(bar.left, c.storedLeft) << c.name;
      EXPECT_EQ(bar.top, c.storedTop) << c.name;
    }
    DestroyWindow(appState.mainWindow);
    PumpMessages();
  }
}

TEST_F(BarTest, FallsBackToTheDefaultSkinAndKeepsTheChosenPath) {
  std::strcpy(appSettings.skinPath, "C:\\no such folder\\gone.bmp");
  const HBITMAP skin = LoadSkinBitmap();
  ASSERT_NE(skin, nullptr);
  BITMAP info;
  GetObjectA(skin, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 260);
  EXPECT_EQ(info.bmHeight, 32);
  EXPECT_STREQ(appSettings.skinPath, "C:\\no such folder\\gone.bmp");
  DeleteObject(skin);
}

TEST_F(BarTest, StartsWithoutTheLibrariesThatOnlySomeCommandsNeed) {
  StartBar();
  for (const char* library : {"shell32.dll", "comdlg32.dll", "comctl32.dll"})
    EXPECT_EQ(GetModuleHandleA(library), nullptr) << library;
}
