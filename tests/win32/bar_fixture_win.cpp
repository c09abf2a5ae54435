#include "bar_fixture_win.h"

#include "app/startup_win.h"
#include "app/user_files_win.h"
#include "base/app_state_win.h"
#include "base/data_folder_win.h"
#include "base/exe_folder_win.h"
#include "base/file_io_win.h"
#include "base/irreversible_calls_win.h"
#include "base/skin_win.h"
#include "catalog/program_catalog_win.h"
#include "command/builtin_keywords.h"
#include "command/command_edit_win.h"
#include "command/history_file_win.h"
#include "command/key_word_completion.h"
#include "command/result_list.h"
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
  EXPECT_TRUE(!owner && !directory && (show == SW_SHOWMAXIMIZED || show == SW_SHOWNORMAL)) << file;
  const bool barShown = IsWindowVisible(appState.mainWindow);
  irreversibleLog.push_back(std::string(verb) + " " + file + " | " + parameters + (barShown ? "" : " bar hidden") +
                            (show == SW_SHOWNORMAL ? " normal" : ""));
  // A file whose name ends in "missing" is not found; one that names "declined" is said no
  // to at the elevation prompt, which the shell reports as access denied, cancelled;
  // anything else opens, as the shell reports it.
  const bool missing = strlen(file) >= 7 && strcmp(file + strlen(file) - 7, "missing") == 0;
  const bool declined = strstr(file, "declined") != NULL;
  SetLastError(declined ? ERROR_CANCELLED : 0);
  return reinterpret_cast<HINSTANCE>(INT_PTR{missing ? SE_ERR_FNF : declined ? SE_ERR_ACCESSDENIED : 42});
}

BOOL WINAPI RecordExitWindows(UINT flags, DWORD) {
  const bool saved = FileExists(SETTINGS_FILE) && FileExists(KEY_ENTRIES_FILE);
  irreversibleLog.push_back("exit " + std::to_string(flags) + (saved ? " saved" : ""));
  return exitWindowsAnswer;
}

// A window awaited by AnswerDialog; its answer is cleared once it has run.
struct AwaitedWindow {
  const char *windowClass, *caption;
  const std::function<void(HWND)>* answer;
  DWORD deadline;
};
// Outermost first, looked for innermost first: a dialog's answer, or the code that opens
// it, may await another.
std::vector<AwaitedWindow*> awaitedWindows;

const char* const USER_FILES[] = {SETTINGS_FILE,  KEY_ENTRIES_FILE, "keyentries.dat.bak",
                                  HISTORY_FILE,   PICKS_FILE_NAME,  "pellomar.moved"};

// No file of the program's beside the test program or in the per-user folder, which is
// gone too, and nothing in the way of a trial file.
void RemoveUserFiles() {
  for (const std::string& folder : {ExeFolder(), PerUserFolder()})
    for (const char* file : USER_FILES) DeleteFileA((folder + file).c_str());
  RemoveDirectoryA(PerUserFolder().c_str());
  for (const std::string& trial : {TrialFileName(), std::string("pellomar.trial")})
    RemoveDirectoryA((ExeFolder() + trial).c_str());
}

void CALLBACK LookForAwaitedWindows(HWND, UINT, UINT_PTR, DWORD now) {
  for (auto awaited = awaitedWindows.rbegin(); awaited != awaitedWindows.rend(); ++awaited) {
    AwaitedWindow& window = **awaited;
    const HWND found = window.answer ? FindWindowA(window.windowClass, window.caption) : NULL;
    if (found && IsWindowVisible(found))
      return (*std::exchange(window.answer, nullptr))(found);  // the answer may change the list
    // A window that never shows: what opened in its place is cancelled.
    if (window.answer && now > window.deadline)
      EnumThreadWindows(
          GetCurrentThreadId(), [](HWND open, LPARAM) { return PostMessageA(open, WM_COMMAND, IDCANCEL, 0); }, 0);
  }
}

}  // namespace

void PumpMessages(DWORD milliseconds) {
  MSG message;
  for (const DWORD end = GetTickCount() + milliseconds; GetTickCount() < end; Sleep(10))
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  for (const DWORD start = GetTickCount(); !done(); PumpMessages(20))
    if (GetTickCount() - start > milliseconds) return false;
  return true;
}

int main(int argc, char** argv) {
  irreversibleCalls = {RecordShellExecute, RecordExitWindows,
                       [](bool enable) { irreversibleLog.push_back(enable ? "privilege on" : "privilege off"); }};
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

void AnswerDialog(const char* caption, const std::function<void(HWND)>& answer, const std::function<void()>& open,
                  const char* windowClass) {
  AwaitedWindow awaited = {windowClass, caption, &answer, GetTickCount() + 5000};
  awaitedWindows.push_back(&awaited);
  const UINT_PTR timer = SetTimer(NULL, 0, 20, LookForAwaitedWindows);
  open();
  KillTimer(NULL, timer);
  awaitedWindows.pop_back();
  EXPECT_EQ(awaited.answer, nullptr) << "no window \"" << (caption ? caption : "") << "\" came up";
}

void ExpectNoDialog(const std::function<void()>& open) {
  static bool cameUp;
  cameUp = false;
  const UINT_PTR timer = SetTimer(NULL, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    const HWND dialog = FindWindowA("#32770", NULL);
    if (!dialog || !IsWindowVisible(dialog)) return;
    cameUp = true;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  open();
  KillTimer(NULL, timer);
  EXPECT_FALSE(cameUp) << "a dialog or message box came up";
}

void AnswerBox(const char* caption, const std::string& textStart, int button, const std::function<void()>& open) {
  AnswerDialog(
      caption,
      [&](HWND box) {
        const std::string text = ControlText(box, 0xFFFF);  // a message box's text control
        EXPECT_EQ(text.rfind(textStart, 0), 0u) << text;
        PostMessageA(box, WM_COMMAND, button, 0);
      },
      open);
}

void ClickAnswering(HWND dialog, int id, const char* caption, const std::string& textStart, int button) {
  AnswerBox(caption, textStart, button, [&] { Click(dialog, id); });
}

std::string ControlText(HWND dialog, int id) {
  char text[512] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string TrialFileName() {
  return "pellomar." + std::to_string(GetCurrentProcessId()) + ".trial";
}

bool FileExists(const std::string& name) {
  return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<uint8_t> FileBytes(const std::string& name) {
  std::vector<uint8_t> bytes;
  ReadFileContents(name.c_str(), bytes);
  return bytes;
}

void WriteBytes(const std::string& name, std::string_view bytes) {
  ASSERT_EQ(ReplaceFileContents(name.c_str(), bytes.data(), static_cast<DWORD>(bytes.size())), 0u) << name;
}

void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  WriteBytes(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool RunValueExists() {
  return RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "pellomar.exe",
                      RRF_RT_ANY, NULL, NULL, NULL) == ERROR_SUCCESS;
}

void BarTest::SetUp() {
  appState = AppState{};
  appSettings = DEFAULT_SETTINGS;
  keyEntryStore = KeyEntryStore{};
  AddBuiltinKeywords();
  selectAllOnNextClick = true;
  typedLineHistory = TypedLineHistory{};
  programCatalog = Catalog{};
  programPicks = Picks{};
  resultList = ResultList{};
  keyWordCompletion = KeyWordCompletion{};
  countdownState = CountdownState{};
  irreversibleLog.clear();
  exitWindowsAnswer = TRUE;
  SetWorkingDirectoryToExe();
  RemoveUserFiles();
  ChooseUserFilesFolder();
  userFiles = UserFiles{};
  RegisterMainWindowClass(GetModuleHandleA(NULL));
}

void BarTest::StartBar() {
  CreateAppGdiObjects();
  ASSERT_NE(CreateMainWindow(GetModuleHandleA(NULL)), nullptr);
  UseSkinPicture(LoadSkinBitmap());
  MakeMainWindowLayered();
  ShowMainWindow(SW_SHOWNORMAL);
  PumpMessages();
}

void BarTest::TearDown() {
  if (IsWindow(appState.mainWindow)) DestroyWindow(appState.mainWindow);
  PumpMessages();  // also takes the WM_QUIT that the destruction posts
  ReleaseAppGdiObjects();
  SetWorkingDirectoryToExe();
  RemoveUserFiles();
}

void BarTest::EnterLine(const std::string& line) {
  SetWindowTextA(appState.commandEdit, line.c_str());
  SendMessageA(appState.commandEdit, WM_KEYDOWN, VK_RETURN, 1);
  SendMessageA(appState.commandEdit, WM_CHAR, '\r', 1);
}

BYTE BarTest::CurrentAlpha() {
  PumpMessages();
  BYTE alpha = 0;
  GetLayeredWindowAttributes(appState.mainWindow, NULL, &alpha, NULL);
  return alpha;
}
