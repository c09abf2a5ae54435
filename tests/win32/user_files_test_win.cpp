#include <windows.h>

#include <string>

#include "app/user_files_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "base/file_io_win.h"
#include "keys/key_file.h"
#include "keys/key_file_win.h"
#include "settings/settings_codec.h"
#include "settings/settings_win.h"

namespace {

std::vector<uint8_t> SettingsAt(int32_t left, int32_t top) {
  AppSettings settings = appSettings;
  settings.windowLeft = left;
  settings.windowTop = top;
  uint8_t bytes[SETTINGS_FILE_SIZE];
  EncodeSettings(settings, bytes);
  return std::vector<uint8_t>(bytes, bytes + sizeof bytes);
}

}  // namespace

TEST_F(BarTest, ANormalExitSavesBothFilesBesideTheProgram) {
  appSettings.snapStrength = 7;
  keyEntryStore.Append({"ed", "notepad", "", 1, false, {}});
  StartBar();
  SetWindowPos(appState.mainWindow, NULL, 300, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetCurrentDirectoryA("C:\\");  // as a file chooser may leave it
  DestroyWindow(appState.mainWindow);
  SetCurrentDirectoryA("C:\\");
  SaveKeyEntriesAtExit();
  SetWorkingDirectoryToExe();
  EXPECT_EQ(FileBytes(SETTINGS_FILE), SettingsAt(300, 400));
  EXPECT_EQ(FileBytes(KEY_ENTRIES_FILE), EncodeKeyEntries(keyEntryStore));
}

TEST_F(BarTest, TheEndOfTheWindowsSessionSavesBothFiles) {
  StartBar();
  SendMessageA(appState.mainWindow, WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(FileExists(SETTINGS_FILE)) << "the session goes on";
  SendMessageA(appState.mainWindow, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(FileBytes(SETTINGS_FILE), SettingsAt(0, 0));
  EXPECT_EQ(FileBytes(KEY_ENTRIES_FILE), EncodeKeyEntries(keyEntryStore));
}

TEST_F(BarTest, AKeyFileThatCannotBeReadWholeIsCopiedAsideFirst) {
  keyEntryStore.Append({"ed", "notepad", "", 1, false, {}});
  const std::vector<uint8_t> whole = EncodeKeyEntries(keyEntryStore);
  std::vector<uint8_t> cutShort = whole, wrongVersion = whole;
  cutShort[4] = 2;  // claims a second entry
  wrongVersion[0] = 2;
  const std::vector<uint8_t>* files[] = {&whole, &cutShort, &wrongVersion};
  for (const std::vector<uint8_t>* file : files) {
    keyEntryStore = KeyEntryStore{};
    DeleteFileA("keyentries.dat.bak");
    WriteBytes(KEY_ENTRIES_FILE, *file);
    if (file == &wrongVersion)
      AnswerDialog(
          "Error",
          [](HWND box) {
            EXPECT_EQ(ItemText(box, 0xFFFF), "Key Entry file is an incorrect version... skipping");
            PostMessageA(box, WM_COMMAND, IDOK, 0);
          },
          [] { LoadUserFiles(); });
    else
      LoadUserFiles();
    EXPECT_EQ(keyEntryStore.entries.size() - keyEntryStore.builtinCount, file == &wrongVersion ? 0u : 1u);
    EXPECT_EQ(FileBytes("keyentries.dat.bak"), file == &whole ? std::vector<uint8_t>() : *file);
    EXPECT_FALSE(userFiles.keyEntriesLeftAlone);
  }
}

TEST_F(BarTest, AFileThisRunCouldNotReadIsToldOnceAndNeverReplaced) {
  const std::vector<uint8_t> damagedKeys = {1, 0, 0, 0, 1, 0, 0, 0, 9};
  struct Case {
    const char* file;
    std::vector<uint8_t> bytes;
    bool heldOpen;  // by another program, without sharing
    const char* told;
  };
  const Case cases[] = {
      {KEY_ENTRIES_FILE, damagedKeys, true, "Pellomar could not read \"keyentries.dat\" in "},
      {SETTINGS_FILE, std::vector<uint8_t>(SETTINGS_FILE_SIZE, 0x5A), true,
       "Pellomar could not read \"config.dat\" in "},
      {KEY_ENTRIES_FILE, damagedKeys, false, "Pellomar could not read all of \"keyentries.dat\" in "},
  };
  for (const Case& c : cases) {
    WriteBytes(c.file, c.bytes);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(FileIsAbsent(ReadFileContents("absent.dat", bytes)));
    const HANDLE held = c.heldOpen ? CreateFileA(c.file, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL) : NULL;
    const DWORD readError = ReadFileContents(c.file, bytes);
    EXPECT_EQ(readError != ERROR_SUCCESS && !FileIsAbsent(readError), c.heldOpen) << c.file;
    if (!c.heldOpen) CreateDirectoryA("keyentries.dat.bak", NULL);  // the copy cannot be made
    AnswerDialog(
        "Pellomar",
        [&](HWND box) {
          EXPECT_EQ(ItemText(box, 0xFFFF).rfind(c.told, 0), 0u) << ItemText(box, 0xFFFF);
          PostMessageA(box, WM_COMMAND, IDOK, 0);
        },
        [] { LoadUserFiles(); });
    if (held) CloseHandle(held);
    keyEntryStore.Append({"new", "new.exe", "", 0, false, {}});
    appSettings.snapStrength = 3;
    SaveFilesBeforeSessionEnds();
    SaveSettingsAtExit({0, 0});
    SaveKeyEntriesAtExit();
    EXPECT_EQ(FileBytes(c.file), c.bytes) << c.file;
    RemoveDirectoryA("keyentries.dat.bak");
    DeleteFileA(c.file);
    keyEntryStore = KeyEntryStore{};
  }
}

TEST_F(BarTest, AFailedSaveAtExitIsToldWithRetryAndCancelLosesNothingElse) {
  const std::string told =
      "Pellomar could not save \"config.dat\" in " + ExeFolder().substr(0, ExeFolder().size() - 1) + ":\n";
  const std::vector<uint8_t> old(SETTINGS_FILE_SIZE, 0x5A);
  for (const int answer : {IDRETRY, IDCANCEL}) {
    WriteBytes(SETTINGS_FILE, old);
    CreateDirectoryA("config.dat.new", NULL);  // where the new file would go
    AnswerDialog(
        "Pellomar",
        [&](HWND box) {
          EXPECT_EQ(ItemText(box, 0xFFFF).rfind(told, 0), 0u) << ItemText(box, 0xFFFF);
          RemoveDirectoryA("config.dat.new");
          PostMessageA(box, WM_COMMAND, answer, 0);
        },
        [] {
          SaveSettingsAtExit({0, 0});
        });
    SaveKeyEntriesAtExit();
    EXPECT_EQ(FileBytes(SETTINGS_FILE) == old, answer == IDCANCEL) << "the old file stays on Cancel";
    EXPECT_TRUE(FileExists(KEY_ENTRIES_FILE));
  }
}

TEST_F(BarTest, KeyWordsKeepAnyLanguageAndOlderFilesAreReadInTheLegacyCodePage) {
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the code page of the program's manifest";
  const KeyEntry tokyo = {"t", "\xE6\x9D\xB1\xE4\xBA\xAC.exe", "\xC3\xA9", 0, false, {}};  // 東京.exe é
  KeyEntryStore stored;
  stored.Append(tokyo);
  stored.Append({"z", "Z\xFCrich", "", 0, false, {}});  // as an earlier version wrote it in code page 1252
  WriteBytes(KEY_ENTRIES_FILE, EncodeKeyEntries(stored));
  keyEntryStore = KeyEntryStore{};
  LoadUserFiles();
  stored.entries[1].command = "Z\xC3\xBCrich";
  SaveKeyEntriesAtExit();
  EXPECT_EQ(FileBytes(KEY_ENTRIES_FILE), EncodeKeyEntries(stored)) << "read unchanged, written back as UTF-8";
}
