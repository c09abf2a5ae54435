#include <windows.h>

#include <string>

#include "app/main_window_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "command/command_edit_win.h"
#include "keys/key_entry_store.h"
#include "resources/resource.h"
#include "settings/app_settings.h"

namespace {

WNDPROC editControlProc;

// The edit control's own procedure, with the Enter, Down and Tab presses that reach it
// written to the log.
LRESULT CALLBACK LoggingEditControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_RETURN) irreversibleLog.push_back("key to the box");
  if (message == WM_CHAR && wParam == '\r') irreversibleLog.push_back("beep");
  if (message == WM_KEYDOWN && wParam == VK_DOWN) irreversibleLog.push_back("Down to the box");
  if (message == WM_CHAR && wParam == '\t') irreversibleLog.push_back("Tab to the box");
  return CallWindowProcA(editControlProc, hwnd, message, wParam, lParam);
}

// The bar's own procedure, with the hide requests it receives written to the log.
LRESULT CALLBACK LoggingMainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDM_MINIMIZE_RESTORE) irreversibleLog.push_back("minimize");
  return MainWindowProc(hwnd, message, wParam, lParam);
}

std::string Repeated(const char* text, int times) {
  std::string repeated;
  while (times-- > 0) repeated += text;
  return repeated;
}

class CommandBoxTest : public BarTest {
 protected:
  void SetUp() override {
    BarTest::SetUp();
    StartBar();
    SetWindowLongPtrA(appState.mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LoggingMainWindowProc));
    editControlProc = appState.commandEditBaseProc;
    appState.commandEditBaseProc = LoggingEditControlProc;
  }

  std::string BoxText() {
    char text[512] = {};
    GetWindowTextA(appState.commandEdit, text, sizeof text);
    return text;
  }

  // As the keyboard sends it: the key, then the character that Tab and Esc type.
  void Press(UINT key) {
    const LPARAM flags = MAKELPARAM(1, MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    SendMessageA(appState.commandEdit, WM_KEYDOWN, key, flags);
    if (key == VK_TAB || key == VK_ESCAPE) SendMessageA(appState.commandEdit, WM_CHAR, key, flags);
  }

  DWORD ClickSelection(UINT message = WM_LBUTTONDOWN) {
    SendMessageA(appState.commandEdit, message, MK_LBUTTON, MAKELPARAM(30, 5));
    SendMessageA(appState.commandEdit, WM_LBUTTONUP, 0, MAKELPARAM(30, 5));
    return static_cast<DWORD>(SendMessageA(appState.commandEdit, EM_GETSEL, 0, 0));
  }
};

}  // namespace

TEST_F(CommandBoxTest, EnterRunsTheLineLeavesItInTheBoxAndNeverBeeps) {
  keyEntryStore.Append({"ed", "C:\\ed.exe %s", "-n", 1, false, {}});
  struct Case {
    std::string line;
    bool defaultSearch;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"wiki free software", true, {"open http://en.wikipedia.org/w/wiki.phtml?search=free software | "}},
      {"ed notes.txt", true, {"minimize", "open C:\\\\ed.exe notes.txt | -n"}},
      {"x " + std::string(200, 'a'), true, {"open " + std::string(125, 'a') + " | "}},
      {"x " + Repeated("\xC3\xA9", 63),
       true,
       {"open " + Repeated("\xC3\xA9", 62) + " | "}},  // é: cut before half of one
      {"unknown", false, {"key to the box"}},
      {"", true, {"key to the box"}},
  };
  for (const Case& c : cases) {
    appSettings.defaultSearchEnabled = c.defaultSearch;
    irreversibleLog.clear();
    EnterLine(c.line);
    EXPECT_EQ(irreversibleLog, c.log) << c.line;
    EXPECT_EQ(BoxText(), c.line);
  }
}

TEST_F(CommandBoxTest, TheFirstClickAfterTheFocusCameBackSelectsTheLine) {
  SetWindowTextA(appState.commandEdit, "hello world");
  const HWND other = CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 400, 400, 50, 20, NULL, NULL, NULL, NULL);
  SetFocus(other);
  EXPECT_EQ(ClickSelection(), MAKELONG(0, 11));
  EXPECT_EQ(GetFocus(), appState.commandEdit);
  EXPECT_NE(ClickSelection(), MAKELONG(0, 11)) << "the second click places the caret";
  EXPECT_EQ(ClickSelection(WM_LBUTTONDBLCLK), MAKELONG(0, 11)) << "a double click always selects all";

  SetFocus(other);
  SendMessageA(appState.mainWindow, WM_HOTKEY, 0, 0);
  EXPECT_EQ(GetFocus(), appState.commandEdit);
  EXPECT_NE(ClickSelection(), MAKELONG(0, 11)) << "after the hot key the line is selected already";
  DestroyWindow(other);
}

TEST_F(CommandBoxTest, ALaunchThatFailsIsToldOverTheBarAndTheLineStays) {
  AnswerDialog(
      "Pellomar",
      [](HWND box) {
        EXPECT_EQ(ItemText(box, 0xFFFF).rfind("Pellomar could not open \"missing\":\n", 0), 0u);
        EXPECT_EQ(GetWindow(box, GW_OWNER), appState.mainWindow);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      },
      [this] { EnterLine("x missing"); });
  EXPECT_EQ(BoxText(), "x missing");
}

TEST_F(CommandBoxTest, UpDownAndEscWalkTheLinesRunBeforeAndTabCompletesTheKeyWord) {
  appSettings.defaultSearchEnabled = false;
  for (const char* line : {"sysoff cancel", "unknown", "sys x", "g two"}) EnterLine(line);  // "unknown" runs nothing
  keyEntryStore.Append({"gmx", "gmx.exe", "", 0, false, {}});
  const std::string DOWN = "Down to the box", TAB = "Tab to the box";
  struct Case {
    const char *name, *text;  // in the box, with the caret at its end
    std::vector<UINT> keys;
    const char* box;
    DWORD selection;
    std::vector<std::string> log;  // the keys the box left to the edit control
  };
  const Case cases[] = {
      {"Up past the line just run to older ones", "g two", {VK_UP, VK_UP}, "sysoff cancel", MAKELONG(0, 13), {}},
      {"Down to the line typed, then the box's", "wi", {VK_UP, VK_DOWN, VK_DOWN}, "wi", MAKELONG(2, 2), {DOWN}},
      {"Esc puts back the line being typed", "wi", {VK_UP, VK_ESCAPE}, "wi", MAKELONG(2, 2), {}},
      {"Tab completes the first word, again to the next key word", "gm", {VK_TAB, VK_TAB}, "gmx ", MAKELONG(4, 4), {}},
      {"Tab in the parameters is the box's", "wiki fo", {VK_TAB}, "wiki fo", MAKELONG(7, 7), {TAB}},
  };
  for (const Case& c : cases) {
    SetWindowTextA(appState.commandEdit, c.text);
    SendMessageA(appState.commandEdit, EM_SETSEL, strlen(c.text), static_cast<LPARAM>(strlen(c.text)));
    irreversibleLog.clear();
    for (const UINT key : c.keys) Press(key);
    EXPECT_EQ(BoxText(), c.box) << c.name;
    EXPECT_EQ(SendMessageA(appState.commandEdit, EM_GETSEL, 0, 0), static_cast<LRESULT>(c.selection)) << c.name;
    EXPECT_EQ(irreversibleLog, c.log) << c.name;
  }
}
