#include <windows.h>

#include <string>

#include "app/main_window_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "keys/key_entry_store.h"
#include "resources/resource.h"
#include "settings/app_settings.h"

namespace {

// The bar's own procedure, with the hide requests it receives written to the log.
LRESULT CALLBACK LoggingMainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDM_MINIMIZE_RESTORE) irreversibleLog.push_back("minimize");
  return MainWindowProc(hwnd, message, wParam, lParam);
}

class CommandBoxTest : public BarTest {
 protected:
  void SetUp() override {
    BarTest::SetUp();
    StartBar();
    SetWindowLongPtrA(appState.mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LoggingMainWindowProc));
  }

  std::string BoxText() {
    char text[512] = {};
    GetWindowTextA(appState.commandEdit, text, sizeof text);
    return text;
  }

  DWORD Selection() { return static_cast<DWORD>(SendMessageA(appState.commandEdit, EM_GETSEL, 0, 0)); }

  void FocusElsewhere() {
    other = CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 400, 400, 50, 20, NULL, NULL, NULL, NULL);
    SetFocus(other);
  }

  void TearDown() override {
    if (other) DestroyWindow(other);
    BarTest::TearDown();
  }

  HWND other = NULL;
};

}  // namespace

TEST_F(CommandBoxTest, EnterRunsTheLineAndLeavesItInTheBox) {
  keyEntryStore.Append({"ed", "C:\\ed.exe %s", "-n", 1, false, {}});
  struct Case {
    std::string line;
    bool defaultSearch;
    std::vector<std::string> log;  // of one Enter
  };
  const std::string longLine = "x " + std::string(200, 'a');
  const Case cases[] = {
      {"wiki free software", true, {"open http://en.wikipedia.org/w/wiki.phtml?search=free software | "}},
      {"ed notes.txt", true, {"minimize", "open C:\\\\ed.exe notes.txt | -n"}},
      {"AT&T", true, {"open http://www.google.com/search?q=AT%26T | "}},
      {longLine, true, {"open " + std::string(125, 'a') + " | "}},
      {"sys x", true, {}},
      {"unknown", false, {}},
      {"", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    appSettings.defaultSearchEnabled = c.defaultSearch;
    irreversibleLog.clear();
    EnterLine(c.line);
    EnterLine(c.line);
    std::vector<std::string> twice = c.log;
    twice.insert(twice.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(irreversibleLog, twice) << "each Enter runs the line again";
    EXPECT_EQ(BoxText(), c.line);
  }
}

TEST_F(CommandBoxTest, FirstClickAfterTheFocusCameBackSelectsTheWholeLine) {
  SetWindowTextA(appState.commandEdit, "hello world");
  FocusElsewhere();
  SendMessageA(appState.commandEdit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
  SendMessageA(appState.commandEdit, WM_LBUTTONUP, 0, MAKELPARAM(30, 5));
  EXPECT_EQ(GetFocus(), appState.commandEdit);
  EXPECT_EQ(Selection(), MAKELONG(0, 11));

  SendMessageA(appState.commandEdit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
  SendMessageA(appState.commandEdit, WM_LBUTTONUP, 0, MAKELPARAM(30, 5));
  EXPECT_EQ(LOWORD(Selection()), HIWORD(Selection())) << "the second click places the caret";

  SendMessageA(appState.commandEdit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 5));
  EXPECT_EQ(Selection(), MAKELONG(0, 11)) << "a double click always selects all";
}
