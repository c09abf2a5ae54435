#include "app/user_files_win.h"

#include <cstring>
#include <string>

#include "base/app_state_win.h"
#include "base/data_folder_win.h"
#include "base/exe_folder_win.h"
#include "base/file_io_win.h"
#include "command/builtin_keywords.h"
#include "catalog/program_catalog_win.h"
#include "command/history_file_win.h"
#include "keys/key_file_win.h"
#include "settings/settings_win.h"

UserFiles userFiles;

namespace {

const char CAPTION[] = "Pellomar";
const char UNREADABLE_TEXT[] =
    "Pellomar could not read \"%s\" in %s:\n%s\n\nThe file is left as it is, and changes made while Pellomar "
    "runs now will not be kept in it.";
const char NOT_KEPT_ASIDE_TEXT[] =
    "Pellomar could not read all of \"%s\" in %s, nor keep a copy of it:\n%s\n\nThe file is left as it is, and "
    "changes made while Pellomar runs now will not be kept in it.";
const char SAVE_FAILED_TEXT[] =
    "Pellomar could not save \"%s\" in %s:\n%s\n\nRetry, or Cancel to end without saving this file.";
const char MOVED_TEXT[] =
    "Pellomar cannot write in its own folder, %s.\n\nIt keeps your settings and key words in %s from now on.";

// A folder as the user reads it: without the separator at its end.
std::string Shown(const std::string& folder) {
  return folder.size() > 1 && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

// A message's text with the file, its folder and a reason (or the two folders) in place.
std::string Text(const char* pattern, const std::string& first, const std::string& second,
                 const std::string& third = std::string()) {
  std::string text(pattern);
  for (const std::string* value : {&first, &second, &third}) {
    const size_t slot = text.find("%s");
    if (slot != std::string::npos) text.replace(slot, 2, *value);
  }
  return text;
}

void TellLeftAlone(const char* pattern, const char* name, DWORD error) {
  const std::string path = DataFileToRead(name);
  MessageBoxA(NULL,
              Text(pattern, name, Shown(path.substr(0, path.size() - strlen(name))), SystemErrorText(error)).c_str(),
              CAPTION, MB_ICONWARNING);
}

void TellMoved() {
  MessageBoxA(NULL, Text(MOVED_TEXT, Shown(ExeFolder()), Shown(dataFolder.path)).c_str(), CAPTION, MB_ICONINFORMATION);
}

// Saves one file; at a normal exit a failure is reported until it succeeds or the user
// lets it go. The move to the per-user folder is told once the first file is saved there:
// as the session ends no message can be shown, so the next start tells it.
template <typename SaveFile>
void Save(bool leftAlone, const char* name, SaveFile save, bool tellUser) {
  if (leftAlone) return;
  for (;;) {
    const DWORD error = save();
    if (error == ERROR_SUCCESS && TakeMadePerUserFolder()) {
      if (tellUser)
        TellMoved();
      else
        OweMoveNotice();
    }
    if (error == ERROR_SUCCESS || !tellUser) return;
    const std::string text = Text(SAVE_FAILED_TEXT, name, Shown(dataFolder.path), SystemErrorText(error));
    if (MessageBoxA(NULL, text.c_str(), CAPTION, MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY) return;
  }
}

// Picks are learnt only while programs are found by name, and a file is made only once
// there is one.
bool HasPicksToSave() {
  return appSettings.findPrograms && !programPicks.records.empty();
}

}  // namespace

void ChooseUserFilesFolder() {
  ChooseDataFolder({SETTINGS_FILE, KEY_ENTRIES_FILE, HISTORY_FILE, PICKS_FILE_NAME});
}

void LoadUserFiles() {
  userFiles = UserFiles{};
  if (TakeOwedMoveNotice()) TellMoved();
  const DWORD settingsError = LoadSettings();
  if (settingsError == ERROR_SUCCESS) {
    SetRunAtStartup(appSettings.runAtStartup);
  } else {
    // The defaults stand in for the settings, not for the user's choice about log-on.
    userFiles.settingsLeftAlone = true;
    TellLeftAlone(UNREADABLE_TEXT, SETTINGS_FILE, settingsError);
  }
  AddBuiltinKeywords();
  const KeyFileLoad keys = LoadKeyEntries();
  if (keys.trouble != KeyFileTrouble::None) {
    userFiles.keyEntriesLeftAlone = true;
    TellLeftAlone(keys.trouble == KeyFileTrouble::Unreadable ? UNREADABLE_TEXT : NOT_KEPT_ASIDE_TEXT, KEY_ENTRIES_FILE,
                  keys.error);
  }
  const DWORD historyError = appSettings.rememberTypedLines ? LoadTypedLines() : ERROR_SUCCESS;
  if (historyError != ERROR_SUCCESS) {
    userFiles.historyLeftAlone = true;
    TellLeftAlone(UNREADABLE_TEXT, HISTORY_FILE, historyError);
  }
  const DWORD picksError = appSettings.findPrograms ? LoadPicks() : ERROR_SUCCESS;
  if (picksError != ERROR_SUCCESS) {
    userFiles.picksLeftAlone = true;
    TellLeftAlone(UNREADABLE_TEXT, PICKS_FILE_NAME, picksError);
  }
}

void SaveSettingsAtExit(POINT barTopLeft) {
  Save(
      userFiles.settingsLeftAlone, SETTINGS_FILE, [&] { return SaveSettings(barTopLeft); }, true);
}

void SaveKeyEntriesAtExit() {
  Save(userFiles.keyEntriesLeftAlone, KEY_ENTRIES_FILE, SaveKeyEntries, true);
}

void SaveTypedLinesAtExit() {
  Save(userFiles.historyLeftAlone, HISTORY_FILE, SaveTypedLines, true);
}

void SavePicksAtExit() {
  Save(userFiles.picksLeftAlone || !HasPicksToSave(), PICKS_FILE_NAME, SavePicks, true);
}

void SaveFilesBeforeSessionEnds() {
  RECT bar;
  GetWindowRect(appState.mainWindow, &bar);
  Save(
      userFiles.settingsLeftAlone, SETTINGS_FILE,
      [&] {
        return SaveSettings({bar.left, bar.top});
      },
      false);
  Save(userFiles.keyEntriesLeftAlone, KEY_ENTRIES_FILE, SaveKeyEntries, false);
  Save(userFiles.historyLeftAlone, HISTORY_FILE, SaveTypedLines, false);
  Save(userFiles.picksLeftAlone || !HasPicksToSave(), PICKS_FILE_NAME, SavePicks, false);
}
