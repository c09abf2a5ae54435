#include "bar_fixture_win.h"

#include <cstdio>

#include "base/app_state_win.h"
#include "base/irreversible_calls_win.h"
#include "command/builtin_keywords.h"
#include "command/command_edit_win.h"
#include "keys/key_entry_store.h"
#include "keys/key_file_win.h"
#include "app/startup_win.h"
#include "settings/settings_win.h"

std::vector<std::string> irreversibleLog;

namespace {

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                    INT show) {
  EXPECT_EQ(owner, nullptr);
  EXPECT_EQ(directory, nullptr);
  EXPECT_EQ(show, SW_SHOWMAXIMIZED);
  if (!verb || !file || !parameters) {
    ADD_FAILURE() << "a null text reached the shell";
    return NULL;
  }
  irreversibleLog.push_back(std::string(verb) + " " + file + " | " + parameters);
  return reinterpret_cast<HINSTANCE>(INT_PTR{42});  // success, as the shell reports it
}

}  // namespace

int main(int argc, char** argv) {
  irreversibleCalls.shellExecute = RecordShellExecute;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

void PumpMessages() {
  for (int round = 0; round < 5; ++round) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

std::vector<uint8_t> ReadWholeFile(const char* name) {
  std::vector<uint8_t> bytes;
  if (FILE* file = std::fopen(name, "rb")) {
    for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
  }
  return bytes;
}

void WriteWholeFile(const char* name, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(name, "wb");
  ASSERT_NE(file, nullptr) << name;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void BarTest::SetUp() {
  appState = AppState{};
  appSettings = DEFAULT_SETTINGS;
  keyEntryStore = KeyEntryStore{};
  AddBuiltinKeywords();
  selectAllOnNextClick = true;
  irreversibleLog.clear();
  SetWorkingDirectoryToExe();
  DeleteFileA(SETTINGS_FILE);
  RegisterMainWindowClass(GetModuleHandleA(NULL));
}

void BarTest::StartBar() {
  CreateAppGdiObjects();
  ASSERT_NE(CreateMainWindow(GetModuleHandleA(NULL)), nullptr);
  const HBITMAP skin = LoadSkinBitmap();
  ASSERT_NE(skin, nullptr);
  SelectSkin(skin);
  MakeMainWindowLayered();
  ShowMainWindow(SW_SHOWNORMAL);
  PumpMessages();
}

void BarTest::TearDown() {
  if (IsWindow(appState.mainWindow)) DestroyWindow(appState.mainWindow);
  PumpMessages();  // also takes the WM_QUIT that the destruction posts
  ReleaseAppGdiObjects();
  DeleteFileA(SETTINGS_FILE);
  DeleteFileA(KEY_ENTRIES_FILE);
}

BYTE BarTest::CurrentAlpha() {
  PumpMessages();
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(appState.mainWindow, NULL, &alpha, &flags));
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  return alpha;
}
