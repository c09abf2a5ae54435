#include <windows.h>

#include "app/running_copy_win.h"
#include "app/startup_win.h"
#include "app/user_files_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "base/skin_win.h"
#include "base/system_library_win.h"
#include "catalog/catalog_worker_win.h"
#include "settings/app_settings.h"

namespace {

const char CREATE_FAILED_TEXT[] = "Failed to create main window!";
const char CREATE_FAILED_CAPTION[] = "FATAL ERROR";
const char SKIN_FAILED_TEXT[] =
    "Failed to load skin! Make sure a default skin (sk_default.bmp) is in the main directory.";
const char SKIN_FAILED_CAPTION[] = "Application Error";
const char PATH_TOO_LONG_TEXT[] =
    "Pellomar cannot run from a folder with a path this long: its files could not be kept there.\n\nMove its "
    "folder to one with a shorter path.";
const char PATH_TOO_LONG_CAPTION[] = "Pellomar";

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  LoadLibrariesOnlyFromSystemFolder();
  RegisterMainWindowClass(instance);
  if (SetWorkingDirectoryToExe().empty()) {
    MessageBoxA(NULL, PATH_TOO_LONG_TEXT, PATH_TOO_LONG_CAPTION, MB_ICONERROR);
    return -1;
  }
  ChooseUserFilesFolder();
  if (HandOverToRunningCopy(RUNNING_COPY_WAIT_MILLISECONDS)) return 0;
  LoadUserFiles();
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
  // After the bar has shown: its start never waits for the catalog.
  if (appSettings.findPrograms) StartFindingPrograms(appState.mainWindow);

  const int exitCode = RunMessageLoop();
  SaveKeyEntriesAtExit();
  SaveTypedLinesAtExit();
  SavePicksAtExit();
  ReleaseAppGdiObjects();
  return exitCode;
}
