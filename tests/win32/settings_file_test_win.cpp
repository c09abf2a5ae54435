#include <windows.h>

#include <string>

#include "app/startup_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "keys/key_file.h"
#include "keys/key_file_win.h"
#include "settings/settings_codec.h"
#include "settings/settings_win.h"

namespace {

std::vector<uint8_t> Encoded(AppSettings settings, int32_t left, int32_t top) {
  settings.windowLeft = left;
  settings.windowTop = top;
  uint8_t bytes[SETTINGS_FILE_SIZE];
  EncodeSettings(settings, bytes);
  return std::vector<uint8_t>(bytes, bytes + sizeof bytes);
}

}  // namespace

TEST_F(BarTest, DestructionSavesTheSettingsWithTheBarsPosition) {
  appSettings.snapStrength = 7;
  StartBar();
  SetWindowPos(appState.mainWindow, NULL, 300, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetCurrentDirectoryA("C:\\");  // as a file chooser may leave it
  DestroyWindow(appState.mainWindow);
  SetWorkingDirectoryToExe();

  EXPECT_EQ(ReadWholeFile(SETTINGS_FILE), Encoded(appSettings, 300, 400));
  EXPECT_FALSE(FileExists("config.dat.new"));
}

TEST_F(BarTest, EndOfTheWindowsSessionSavesBothFiles) {
  keyEntryStore.Append({"ed", "notepad", "", 1, false, {}});
  StartBar();
  SendMessageA(appState.mainWindow, WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(FileExists(SETTINGS_FILE)) << "the session goes on";

  EXPECT_EQ(SendMessageA(appState.mainWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(appState.mainWindow, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ReadWholeFile(SETTINGS_FILE), Encoded(appSettings, 0, 0));
  EXPECT_EQ(ReadWholeFile(KEY_ENTRIES_FILE), EncodeKeyEntries(keyEntryStore));
  EXPECT_TRUE(IsWindow(appState.mainWindow));
}

TEST_F(BarTest, ASaveThatCannotCompleteKeepsTheOldFile) {
  const std::vector<uint8_t> old(SETTINGS_FILE_SIZE, 0x5A);
  WriteWholeFile(SETTINGS_FILE, old);
  // A folder where the temporary file would go makes the save fail.
  ASSERT_TRUE(CreateDirectoryA("config.dat.new", NULL));
  StartBar();
  EXPECT_FALSE(SaveSettings({0, 0}));
  EXPECT_EQ(ReadWholeFile(SETTINGS_FILE), old);
  RemoveDirectoryA("config.dat.new");
}

TEST(RunAtStartup, WritesTheQuotedPathOrRemovesTheValue) {
  const char* runKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  char path[MAX_PATH];
  GetModuleFileNameA(NULL, path, sizeof path);

  SetRunAtStartup(true);
  char value[MAX_PATH + 8] = {};
  DWORD size = sizeof value;
  DWORD type = 0;
  HKEY key;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, runKey, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegQueryValueExA(key, "pellomar.exe", NULL, &type, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(value), "\"" + std::string(path) + "\"");
  EXPECT_EQ(size, strlen(value) + 1);

  SetRunAtStartup(false);
  EXPECT_EQ(RegQueryValueExA(key, "pellomar.exe", NULL, NULL, NULL, NULL), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}
