#include "bar_fixture_win.h"

#include <cstdio>

#include "app/app_state_win.h"
#include "app/startup_win.h"
#include "settings/settings_win.h"

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
}

BYTE BarTest::CurrentAlpha() {
  PumpMessages();
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(appState.mainWindow, NULL, &alpha, &flags));
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  return alpha;
}
