#include <windows.h>

#include "app/startup_win.h"
#include "app/user_files_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "base/skin_win.h"
#include "base/system_library_win.h"
#include "settings/settings_win.h"

namespace {

const char CREATE_FAILED_TEXT[] = "Failed to create main window!";
const char CREATE_FAILED_CAPTION[] = "FATAL ERROR";
const char SKIN_FAILED_TEXT[] =
    "Failed to load skin! Make sure a default skin (sk_default.bmp) is in the main directory.";
const char SKIN_FAILED_CAPTION[] = "Application Error";

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  LoadLibrariesOnlyFromSystemFolder();
  RegisterMainWindowClass(instance);
  SetWorkingDirectoryToExe();
  LoadUserFiles();
  SetRunAtStartup(appSettings.runAtStartup);
  CreateAppGdiObjects();

  if (!CreateMainWindow(instance)) {
    MessageBoxA(NULL, CREATE_FAILED_TEXT, CREATE_FAILED_CAPTION, MB_ICONERROR);
    return -1;
  }
  const HBITMAP skin = LoadSkinBitmap();
  if (!skin) {
    MessageBoxA(NULL, SKIN_FAILED_TEXT, SKIN_FAILED_CAPTION, MB_ICONERROR);
    DestroyWindow(appState.mainWindow);  // saves the settings
    UnregisterClassA(MAIN_WINDOW_CLASS, instance);
    return -1;
  }
  UseSkinPicture(skin);
  MakeMainWindowLayered();
  ShowMainWindow(showCommand);

  const int exitCode = RunMessageLoop();
  SaveKeyEntriesAtExit();
  SaveTypedLinesAtExit();
  ReleaseAppGdiObjects();
  return exitCode;
}
