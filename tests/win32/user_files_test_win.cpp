#include <windows.h>

#include <string>
#include <tuple>

#include "app/running_copy_win.h"
#include "app/user_files_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/data_folder_win.h"
#include "base/exe_folder_win.h"
#include "command/history_file_win.h"
#include "command/typed_line_history.h"
#include "keys/key_file.h"
#include "keys/key_file_win.h"
#include "settings/settings_codec.h"
#include "settings/settings_win.h"

TEST_F(BarTest, AFailedSaveAtExitIsToldWithRetryAndCancelLosesNothingElse) {
  const std::vector<uint8_t> old(SETTINGS_FILE_SIZE, 0x5A);
  for (const int answer : {IDRETRY, IDCANCEL}) {
    WriteBytes(SETTINGS_FILE, old);
    CreateDirectoryA("config.dat.new", NULL);  // where the new file would go
    AnswerDialog(
        "Pellomar",
        [&](HWND box) {
          EXPECT_EQ(ControlText(box, 0xFFFF).rfind("Pellomar could not save \"config.dat\"", 0), 0u);
          RemoveDirectoryA("config.dat.new");
          PostMessageA(box, WM_COMMAND, answer, 0);
        },
        [] { SaveSettingsAtExit(POINT{}); });
    SaveKeyEntriesAtExit();
    EXPECT_EQ(FileBytes(SETTINGS_FILE) == old, answer == IDCANCEL) << "the old file stays on Cancel";
    EXPECT_TRUE(FileExists(KEY_ENTRIES_FILE));
  }
}

TEST_F(BarTest, AKeyFileNotReadWholeIsCopiedAsideFirstAndAFileThisRunCouldNotKeepIsToldAndNeverReplaced) {
  keyEntryStore.Append({"ed", "notepad", "", 1, false, {}});
  const std::vector<uint8_t> whole = EncodeKeyEntries(keyEntryStore);
  std::vector<uint8_t> wrongVersion = whole, cutShort = whole;
  wrongVersion[0] = 2;
  cutShort[4] = 2;  // claims a second entry
  // Held by another program without sharing; a folder where the copy would go.
  enum Hindrance { NONE, HELD_OPEN, NO_ROOM_FOR_COPY };
  // The file, its bytes, what hinders reading or copying it (any leaves it alone), and how
  // the message at start-up begins.
  const std::tuple<const char*, std::vector<uint8_t>, Hindrance, const char*> cases[] = {
      {KEY_ENTRIES_FILE, wrongVersion, NONE, "Key Entry file is an incorrect version"},
      {SETTINGS_FILE, std::vector<uint8_t>(SETTINGS_FILE_SIZE, 0x5A), HELD_OPEN,
       "Pellomar could not read \"config.dat\""},
      {KEY_ENTRIES_FILE, cutShort, NO_ROOM_FOR_COPY, "Pellomar could not read all of \"keyentries.dat\""},
      {KEY_ENTRIES_FILE, whole, HELD_OPEN, "Pellomar could not read \"keyentries.dat\""},
      {HISTORY_FILE, {'g', ' ', 'a'}, HELD_OPEN, "Pellomar could not read \"history.txt\""},
  };
  for (const auto& [file, bytes, hindrance, told] : cases) {
    keyEntryStore = KeyEntryStore{};
    WriteBytes(file, bytes);
    SetRunAtStartup(false);
    const HANDLE held =
        hindrance == HELD_OPEN ? CreateFileA(file, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL) : NULL;
    if (hindrance == NO_ROOM_FOR_COPY) CreateDirectoryA("keyentries.dat.bak", NULL);
    AnswerBox(nullptr, told, IDOK, LoadUserFiles);
    if (held) CloseHandle(held);
    EXPECT_EQ(FileBytes("keyentries.dat.bak") == bytes, hindrance == NONE) << told;
    EXPECT_EQ(RunValueExists(), file != SETTINGS_FILE) << told << ": the log-on value follows only settings read";
    SaveFilesBeforeSessionEnds();
    SaveSettingsAtExit({0, 0});
    SaveKeyEntriesAtExit();
    SaveTypedLinesAtExit();
    EXPECT_EQ(FileBytes(file) == bytes, hindrance != NONE) << told;
    RemoveDirectoryA("keyentries.dat.bak");
    for (const char* name : {file, "keyentries.dat.bak"}) DeleteFileA(name);
  }
}

TEST_F(BarTest, KeyWordsKeepAnyLanguageAndOlderFilesAreReadInTheLegacyCodePage) {
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the code page of the program's manifest";
  KeyEntryStore stored;
  stored.Append({"t", "\xE6\x9D\xB1\xE4\xBA\xAC.exe", "\xC3\xA9", 0, false, {}});  // 東京.exe é
  stored.Append({"z", "Z\xFCrich", "", 0, false, {}});  // as an earlier version wrote it in code page 1252
  WriteBytes(KEY_ENTRIES_FILE, EncodeKeyEntries(stored));
  WriteBytes(HISTORY_FILE, "g Z\xFCrich\r\ng \xC3\xA9\r\n");  // each line judged alone
  keyEntryStore = KeyEntryStore{};
  LoadUserFiles();
  stored.entries[1].command = "Z\xC3\xBCrich";
  SaveKeyEntriesAtExit();
  EXPECT_EQ(FileBytes(KEY_ENTRIES_FILE), EncodeKeyEntries(stored)) << "read unchanged, written back as UTF-8";
  EXPECT_EQ(typedLineHistory.Lines(), (std::vector<std::string>{"g \xC3\xA9", "g Z\xC3\xBCrich"}));
}

TEST_F(BarTest, BesideAProgramWhoseFolderRefusesFilesTheUsersOwnFolderIsSeededKeptAndToldOfOnce) {
  CreateDirectoryA(TrialFileName().c_str(), NULL);  // where the trial file would go
  keyEntryStore.Append({"ed", "notepad", "", 1, false, {}});
  std::vector<uint8_t> cutShort = EncodeKeyEntries(keyEntryStore);
  cutShort[4] = 2;  // claims a second entry
  WriteBytes(KEY_ENTRIES_FILE, cutShort);
  keyEntryStore = KeyEntryStore{};
  ChooseUserFilesFolder();
  const std::string perUser = dataFolder.path;
  ASSERT_TRUE(dataFolder.perUser);
  LoadUserFiles();  // nothing to tell: the damaged file is kept aside in the user's folder
  EXPECT_EQ(FileBytes(perUser + "keyentries.dat.bak"), cutShort);
  ASSERT_EQ(keyEntryStore.entries.size(), keyEntryStore.builtinCount + 1) << "seeded from beside the program";
  SaveFilesBeforeSessionEnds();  // no message can be shown as the session ends
  EXPECT_EQ(FileBytes(perUser + KEY_ENTRIES_FILE), EncodeKeyEntries(keyEntryStore));
  EXPECT_EQ(FileBytes(KEY_ENTRIES_FILE), cutShort) << "left beside the program";
  AnswerBox("Pellomar", "Pellomar cannot write in its own folder", IDOK, [] {
    ChooseUserFilesFolder();
    LoadUserFiles();
  });
  for (const char* file : {SETTINGS_FILE, KEY_ENTRIES_FILE, HISTORY_FILE, "keyentries.dat.bak"})
    DeleteFileA((perUser + file).c_str());
  RemoveDirectoryA(perUser.c_str());
  AnswerBox("Pellomar", "Pellomar cannot write in its own folder", IDOK, SaveKeyEntriesAtExit);  // at a normal exit
  RemoveDirectoryA(TrialFileName().c_str());
  ChooseUserFilesFolder();
  EXPECT_TRUE(dataFolder.perUser) << "its copies, saved last, stay in use where the program's folder takes files again";

  // Forgetting the typed lines takes every copy, and tells of one that stays.
  WriteBytes(HISTORY_FILE, "g a");
  WriteBytes(perUser + HISTORY_FILE, "g b");
  const HANDLE held = CreateFileA(HISTORY_FILE, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  AnswerBox("Pellomar", "Pellomar could not delete \"history.txt\" in " + ExeFolder(), IDOK,
            [] { ForgetTypedLines(NULL); });
  CloseHandle(held);
  EXPECT_FALSE(FileExists(perUser + HISTORY_FILE));
}

// An administrator leaves a newer settings file beside a program whose folder refuses
// files, where the key words and typed lines are kept in the user's own folder.
TEST_F(BarTest, EachFileIsReadFromItsNewerCopyAndNeverFromAFolderWhereItIsAbsent) {
  CreateDirectoryA(TrialFileName().c_str(), NULL);
  const std::string perUser = PerUserFolder();
  CreateDirectoryA(perUser.c_str(), NULL);
  keyEntryStore.Append({"ed", "notepad", "", 1, false, {}});
  const std::vector<uint8_t> keys = EncodeKeyEntries(keyEntryStore);
  AppSettings older = DEFAULT_SETTINGS, newer = DEFAULT_SETTINGS;
  older.snapStrength = 7;
  newer.snapStrength = 9;
  uint8_t settings[SETTINGS_FILE_SIZE];
  EncodeSettings(older, settings);
  WriteBytes(perUser + SETTINGS_FILE, std::string_view(reinterpret_cast<const char*>(settings), sizeof settings));
  WriteBytes(perUser + KEY_ENTRIES_FILE, keys);
  WriteBytes(perUser + HISTORY_FILE, "g a\r\n");
  for (const char* file : {SETTINGS_FILE, KEY_ENTRIES_FILE, HISTORY_FILE}) {
    const HANDLE handle = CreateFileA((perUser + file).c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    const FILETIME longAgo = {0, 0x01D00000};  // in 2014
    SetFileTime(handle, NULL, NULL, &longAgo);
    CloseHandle(handle);
  }
  EncodeSettings(newer, settings);
  WriteBytes(SETTINGS_FILE, std::string_view(reinterpret_cast<const char*>(settings), sizeof settings));
  keyEntryStore = KeyEntryStore{};
  ChooseUserFilesFolder();
  LoadUserFiles();
  EXPECT_EQ(appSettings.snapStrength, 9) << "the newer copy, beside the program";
  EXPECT_EQ(keyEntryStore.entries.size(), keyEntryStore.builtinCount + 1) << "the one copy there is";
  EXPECT_EQ(typedLineHistory.Lines(), std::vector<std::string>{"g a"});
  SaveFilesBeforeSessionEnds();
  EXPECT_EQ(FileBytes(perUser + KEY_ENTRIES_FILE), keys) << "never replaced by what was not read from it";
}

TEST_F(BarTest, TheSessionsEndSavesEveryFileWhereverTheWorkingDirectoryIsAndACancelledEndNone) {
  CreateDirectoryA("pellomar.trial", NULL);  // an older copy's trial file, being deleted: no refusal
  ChooseUserFilesFolder();
  ASSERT_FALSE(dataFolder.perUser);
  StartBar();
  EnterLine("g a");
  SetCurrentDirectoryA("C:\\");  // where a file chooser may have left it
  for (const BOOL ends : {FALSE, TRUE}) {
    SendMessageA(appState.mainWindow, WM_ENDSESSION, ends, 0);
    for (const char* file : {SETTINGS_FILE, KEY_ENTRIES_FILE, HISTORY_FILE})
      EXPECT_EQ(FileExists(ExeFolder() + file), ends == TRUE) << file;
  }
  // What a file holds already is not written again; a line run since is saved.
  const auto writeTimes = [] {
    std::vector<ULONGLONG> times;
    for (const char* file : {SETTINGS_FILE, KEY_ENTRIES_FILE, HISTORY_FILE}) {
      WIN32_FILE_ATTRIBUTE_DATA data = {};
      GetFileAttributesExA((ExeFolder() + file).c_str(), GetFileExInfoStandard, &data);
      times.push_back(static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                      data.ftLastWriteTime.dwLowDateTime);
    }
    return times;
  };
  const std::vector<ULONGLONG> saved = writeTimes();
  Sleep(20);
  SendMessageA(appState.mainWindow, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(writeTimes(), saved);
  EnterLine("g b");
  SendMessageA(appState.mainWindow, WM_ENDSESSION, TRUE, 0);
  EXPECT_NE(writeTimes()[2], saved[2]) << "history.txt";
}

TEST_F(BarTest, TheMoveIsToldOnlyOnceASaveThereSucceededAndAMarkNotToldAtTheNextStartGoes) {
  CreateDirectoryA(TrialFileName().c_str(), NULL);
  ChooseUserFilesFolder();
  const std::string perUser = dataFolder.path;
  CreateDirectoryA((perUser + "config.dat.new").c_str(), NULL);  // where the new file would go
  AnswerBox("Pellomar", "Pellomar could not save \"config.dat\"", IDCANCEL, [] { SaveSettingsAtExit({0, 0}); });
  SaveFilesBeforeSessionEnds();  // the key words are saved: the move is owed
  RemoveDirectoryA((perUser + "config.dat.new").c_str());
  RemoveDirectoryA(TrialFileName().c_str());
  for (const char* file : {KEY_ENTRIES_FILE, HISTORY_FILE}) DeleteFileA((perUser + file).c_str());
  ChooseUserFilesFolder();
  ASSERT_FALSE(dataFolder.perUser) << "the files went back beside the program";
  LoadUserFiles();  // tells nothing
  EXPECT_FALSE(FileExists(perUser + "pellomar.moved"));
}

namespace {

// Another copy of Pellomar on the same files, as far as its mark goes: it holds the mark
// until told to go or its time is up, then ends without letting go, as a crashed one does.
struct OtherCopy {
  std::string mark;
  DWORD milliseconds;
  HANDLE taken = CreateEventA(NULL, TRUE, FALSE, NULL);
  HANDLE go = CreateEventA(NULL, TRUE, FALSE, NULL);
  HANDLE thread = CreateThread(NULL, 0, HoldMark, this, 0, NULL);

  static DWORD WINAPI HoldMark(void* parameter) {
    OtherCopy& copy = *static_cast<OtherCopy*>(parameter);
    const HANDLE held = CreateMutexA(NULL, FALSE, copy.mark.c_str());
    WaitForSingleObject(held, INFINITE);
    SetEvent(copy.taken);
    WaitForSingleObject(copy.go, copy.milliseconds);
    CloseHandle(held);
    return 0;
  }
  ~OtherCopy() {
    SetEvent(go);
    WaitForSingleObject(thread, INFINITE);
    for (const HANDLE handle : {taken, go, thread}) CloseHandle(handle);
    // The start took the mark over: let it go for the next copy.
    if (const HANDLE held = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, mark.c_str())) {
      ReleaseMutex(held);
      CloseHandle(held);
    }
  }
};

}  // namespace

TEST_F(BarTest, AStartOnFilesInUseWaitsForTheirCopyToEndOrSaysWhyItCannotReachIt) {
  const std::string mark = RunningCopyMutexName(FolderIdentity(ExeFolder()));
  EXPECT_EQ(FolderIdentity(ExeFolder()), FolderIdentity(CharLowerA(ExeFolder().data()))) << "spelled otherwise";
  {  // a copy of another user or with other rights: its mark is there but cannot be opened
    SECURITY_DESCRIPTOR nobody;
    InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE);
    SECURITY_ATTRIBUTES closed = {sizeof closed, &nobody, FALSE};
    const HANDLE other = CreateMutexA(&closed, TRUE, mark.c_str());
    AnswerBox("Pellomar", "Pellomar is already running on these files, in another session", IDOK,
              [] { EXPECT_TRUE(HandOverToRunningCopy(100)); });
    CloseHandle(other);
  }
  {  // a copy still starting, which ends while it is waited for
    OtherCopy other{mark, 300};
    WaitForSingleObject(other.taken, 5000);
    EXPECT_FALSE(HandOverToRunningCopy(5000)) << "this copy starts";
  }
  {  // a copy that does not answer: the user is told, and Retry starts once it has ended
    OtherCopy other{mark, 60000};
    WaitForSingleObject(other.taken, 5000);
    AnswerDialog(
        "Pellomar",
        [&](HWND box) {
          EXPECT_EQ(ControlText(box, 0xFFFF).rfind("Pellomar is already running on these files, but it does not", 0), 0u);
          SetEvent(other.go);
          PostMessageA(box, WM_COMMAND, IDRETRY, 0);
        },
        [] { EXPECT_FALSE(HandOverToRunningCopy(200)) << "this copy starts"; });
  }
}
