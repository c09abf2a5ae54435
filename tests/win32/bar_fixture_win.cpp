#include "bar_fixture_win.h"

#include "app/startup_win.h"
#include "app/user_files_win.h"
#include "base/app_state_win.h"
#include "base/data_folder_win.h"
#include "base/exe_folder_win.h"
#include "base/file_io_win.h"
#include "base/irreversible_calls_win.h"
#include "command/builtin_keywords.h"
#include "command/command_edit_win.h"
#include "command/history_file_win.h"
#include "command/key_word_completion.h"
#include "command/typed_line_history.h"
#include "countdown/countdown.h"
#include "keys/key_entry_store.h"
#include "keys/key_file_win.h"
#include "settings/settings_win.h"

std::vector<std::string> irreversibleLog;
BOOL exitWindowsAnswer;

namespace {

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                    INT show) {
  EXPECT_EQ(directory, nullptr);
  std::string line = std::string(verb) + " " + file + " | " + parameters;
  if (owner) line += " owner";
  if (show != SW_SHOWMAXIMIZED) line += " show " + std::to_string(show);
  irreversibleLog.push_back(line);
  // A file named "missing" is not found; anything else opens, as the shell reports it.
  return reinterpret_cast<HINSTANCE>(INT_PTR{std::string(file) == "missing" ? SE_ERR_FNF : 42});
}

BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason) {
  EXPECT_EQ(reason, 0u);
  const bool saved = FileExists(SETTINGS_FILE) && FileExists(KEY_ENTRIES_FILE);
  irreversibleLog.push_back("exit " + std::to_string(flags) + (saved ? " saved" : ""));
  return exitWindowsAnswer;
}

void RecordShutdownPrivilege(bool enable) {
  irreversibleLog.push_back(enable ? "privilege on" : "privilege off");
}

// The windows awaited, innermost first: a dialog's answer may open another.
struct PendingDialog {
  const char* windowClass;
  const char* caption;
  const std::function<void(HWND)>* answer;
  DWORD deadline;
  bool answered;
  PendingDialog* outer;
};
PendingDialog* pendingDialogs;

const char* const USER_FILES[] = {SETTINGS_FILE, KEY_ENTRIES_FILE, "keyentries.dat.bak", HISTORY_FILE};

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770" && IsWindowVisible(window)) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

void CALLBACK LookForDialogs(HWND, UINT, UINT_PTR, DWORD) {
  for (PendingDialog* pending = pendingDialogs; pending; pending = pending->outer) {
    if (pending->answered) continue;
    const HWND dialog = FindWindowA(pending->windowClass, pending->caption);
    if (dialog && IsWindowVisible(dialog)) {
      pending->answered = true;
      (*pending->answer)(dialog);
      return;
    }
    if (GetTickCount() > pending->deadline) {
      pending->answered = true;
      ADD_FAILURE() << "no window \"" << (pending->caption ? pending->caption : "") << "\" came up";
      EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  irreversibleCalls = {RecordShellExecute, RecordExitWindows, RecordShutdownPrivilege};
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

void AnswerDialog(const char* caption, const std::function<void(HWND)>& answer, const std::function<void()>& open,
                  const char* windowClass) {
  PendingDialog pending = {windowClass, caption, &answer, GetTickCount() + 5000, false, pendingDialogs};
  pendingDialogs = &pending;
  const UINT_PTR timer = SetTimer(NULL, 0, 20, LookForDialogs);
  open();
  KillTimer(NULL, timer);
  pendingDialogs = pending.outer;
  EXPECT_TRUE(pending.answered) << caption;
}

void ClickAnswering(HWND dialog, int id, const char* caption, const std::string& text, int answer) {
  AnswerDialog(
      caption,
      [&](HWND box) {
        EXPECT_EQ(ItemText(box, 0xFFFF), text);  // a message box's text control
        PostMessageA(box, WM_COMMAND, answer, 0);
      },
      [&] { Click(dialog, id); });
}

std::string ItemText(HWND dialog, int id) {
  char text[512] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool FileExists(const char* name) {
  return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

std::vector<uint8_t> FileBytes(const char* name) {
  std::vector<uint8_t> bytes;
  ReadFileContents(name, bytes);
  return bytes;
}

void WriteBytes(const char* name, const std::vector<uint8_t>& bytes) {
  ASSERT_EQ(ReplaceFileContents(name, bytes.data(), static_cast<DWORD>(bytes.size())), 0u) << name;
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

void BarTest::SetUp() {
  appState = AppState{};
  appSettings = DEFAULT_SETTINGS;
  keyEntryStore = KeyEntryStore{};
  AddBuiltinKeywords();
  selectAllOnNextClick = true;
  characterToDrop = 0;
  typedLineHistory = TypedLineHistory{};
  keyWordCompletion = KeyWordCompletion{};
  countdownState = CountdownState{};
  irreversibleLog.clear();
  exitWindowsAnswer = TRUE;
  SetWorkingDirectoryToExe();
  for (const char* file : USER_FILES) DeleteFileA(file);
  ChooseDataFolder();
  userFiles = UserFiles{};
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
  SetWorkingDirectoryToExe();
  for (const char* file : USER_FILES) DeleteFileA(file);
}

void BarTest::EnterLine(const std::string& line) {
  SetWindowTextA(appState.commandEdit, line.c_str());
  SendMessageA(appState.commandEdit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  SendMessageA(appState.commandEdit, WM_CHAR, '\r', 0x001C0001);
}

BYTE BarTest::CurrentAlpha() {
  PumpMessages();
  BYTE alpha = 0;
  GetLayeredWindowAttributes(appState.mainWindow, NULL, &alpha, NULL);
  return alpha;
}
