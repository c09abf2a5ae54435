// The bar and its command box: where the bar starts, its opacity, dragging, menu, hot key
// and notification icon; what the box's clicks and keys do, the system commands and the
// countdown's warning.
#include <windows.h>

#include <array>
#include <cstring>
#include <tuple>

#include "app/main_window_win.h"
#include "app/tray_win.h"
#include "app/user_files_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/high_contrast_win.h"
#include "countdown/countdown.h"
#include "countdown/countdown_win.h"
#include "keys/key_entry_store.h"
#include "resources/resource.h"
#include "settings/hot_key.h"
#include "settings/settings_codec.h"
#include "settings/settings_win.h"

namespace {

using Log = std::vector<std::string>;

WNDPROC editControlProc;

// The edit control's own procedure, with what reaches it written to the log: "key 40" for
// a press of Down (virtual key 40), "char 9" for a Tab character, "select all".
LRESULT CALLBACK LoggingEditControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_CHAR)
    irreversibleLog.push_back((message == WM_KEYDOWN ? "key " : "char ") + std::to_string(wParam));
  if (message == EM_SETSEL && wParam == 0 && lParam == -1) irreversibleLog.push_back("select all");
  return CallWindowProcW(editControlProc, hwnd, message, wParam, lParam);
}

DWORD ClickSelection() {
  SendMessageA(appState.commandEdit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
  SendMessageA(appState.commandEdit, WM_LBUTTONUP, 0, MAKELPARAM(30, 5));
  return static_cast<DWORD>(SendMessageA(appState.commandEdit, EM_GETSEL, 0, 0));
}

}  // namespace

TEST_F(BarTest, StartsShownOnScreenThoughItsHotKeyIsTakenAndItsOpacityAndFirstClickFollowTheFocus) {
  appSettings.windowLeft = appSettings.windowTop = 5000;  // where no monitor shows it any more
  appSettings.minimizedToTray = true;                     // but without its hot key it could not come back
  ASSERT_TRUE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'K'));
  AnswerBox("Pellomar", "Another program uses Ctrl+Alt+K", IDOK, [this] { StartBar(); });
  UnregisterHotKey(NULL, 1);
  // Moved into the corner of the work area.
  EXPECT_EQ(WindowFromPoint({appState.workArea.right - 1, appState.workArea.bottom - 1}), appState.mainWindow);
  EXPECT_EQ(GetFocus(), appState.commandEdit);
  // The box's name for screen readers: the hidden label just before it.
  const HWND label = GetWindow(appState.commandEdit, GW_HWNDPREV);
  EXPECT_EQ(std::pair(ControlText(appState.mainWindow, GetDlgCtrlID(label)), IsWindowVisible(label)),
            std::pair(std::string("Pellomar command"), FALSE));
  const HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
  SetFocus(other);
  EXPECT_EQ(CurrentAlpha(), 71) << "focus elsewhere";
  SetWindowTextA(appState.commandEdit, "hello world");
  EXPECT_EQ(ClickSelection(), MAKELONG(0, 11)) << "the first click selects the line";
  EXPECT_EQ(CurrentAlpha(), 216) << "focus in the box";
  EXPECT_NE(ClickSelection(), MAKELONG(0, 11)) << "the second places the caret";
  SetFocus(appState.mainWindow);
  EXPECT_EQ(CurrentAlpha(), 216) << "focus on the skin";
  DestroyWindow(other);
}

TEST_F(BarTest, StartsPartlyOffTheScreenTakesNegativeGrabAndMenuPointsAndSnapsToTheWorkAreaReadAgain) {
  appSettings.windowTop = -20;  // a part of it still shows
  StartBar();
  // Left of and above the primary monitor the cursor's coordinates are negative.
  PostMessageA(appState.mainWindow, WM_LBUTTONUP, 0, 0);  // ends the system's move loop at once
  SendMessageA(appState.mainWindow, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(-30, -10));
  appState.workArea = {};  // read again at the change of the work area
  SendMessageA(appState.mainWindow, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  SetCursorPos(appState.workArea.right - 295, 300);  // grabbed at (-30, 10), 5 pixels short of the right edge
  RECT proposed = {};
  SendMessageA(appState.mainWindow, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(std::pair(proposed.left, proposed.top), std::pair(appState.workArea.right - 260, 290L));
  // The menu is moved onto the screen: read as unsigned, -50 would put it at the far right.
  // A release the move loop may have left waiting would close it at once.
  MSG release;
  while (PeekMessageA(&release, appState.mainWindow, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE)) continue;
  AnswerDialog(
      NULL,
      [](HWND menu) {
        EXPECT_EQ(WindowFromPoint({5, 305}), menu);
        EndMenu();
      },
      [] { SendMessageA(appState.mainWindow, WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(-50, 300)); }, "#32768");
}

// Also run at 150 %, by win32.At150Percent.
TEST_F(BarTest, TakesTheScaleOfAnotherMonitorWhenMovedThereWithTheStoredFontUnchanged) {
  StartBar();
  const HFONT oldFont = appState.editFontHandle;
  appState.dragOffset = {appState.barLayout.width / 2, appState.barLayout.height / 2};  // grabbed in the middle
  // Windows moves the bar onto a monitor at 200 % so; Wine never does.
  RECT suggested = {100, 120, 620, 184};
  SendMessageA(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  RECT bar, box;
  GetWindowRect(appState.mainWindow, &bar);
  GetWindowRect(appState.commandEdit, &box);
  MapWindowPoints(NULL, appState.mainWindow, reinterpret_cast<POINT*>(&box), 2);
  LOGFONTA font;
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(appState.commandEdit, WM_GETFONT, 0, 0)), sizeof font, &font);
  BITMAP skin;
  GetObjectA(GetCurrentObject(appState.skinDC, OBJ_BITMAP), sizeof skin, &skin);
  // The place suggested; the bar, its skin, the box and its font at 200 %.
  EXPECT_EQ(std::vector<LONG>({bar.left, bar.top, bar.right, bar.bottom, skin.bmWidth, skin.bmHeight, box.left, box.top,
                               box.right, box.bottom, font.lfHeight}),
            std::vector<LONG>({100, 120, 620, 184, 520, 64, 12, 24, 508, 56, -24}));
  EXPECT_EQ(std::pair(GetObjectType(oldFont), appSettings.editFont.height), std::pair(0UL, -12))
      << "the old font deleted, the stored one kept at 96 dpi";
  // The drag goes on over the middle of the skin, and the right edge snaps at the new width.
  SetCursorPos(appState.workArea.right - 265, 300);
  RECT proposed = {};
  SendMessageA(appState.mainWindow, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(std::pair(proposed.left, proposed.right),
            std::pair(appState.workArea.right - 520, appState.workArea.right));
}

TEST_F(BarTest, InHighContrastTheBarShowsTheSystemsColoursFullyOpaqueAndItsSkinAgainAfter) {
  appSettings.backColor = RGB(1, 2, 3);
  StartBar();
  const auto realHighContrast = highContrastOn;
  const HDC bar = GetDC(appState.mainWindow), box = GetDC(appState.commandEdit);
  for (const bool on : {true, false}) {
    highContrastOn = on ? +[] { return true; } : realHighContrast;
    SendMessageA(appState.mainWindow, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    UpdateWindow(appState.mainWindow);
    EnterLine("sysoff 1h");
    // The frame, the face, the box, the countdown's ground; the opacity with the focus in the box.
    const COLORREF countdown = GetPixel(bar, appState.barLayout.countdownLeft, appState.barLayout.countdownTop);
    EXPECT_EQ(std::tuple(GetPixel(bar, 0, 0), GetPixel(bar, 1, 1), GetPixel(box, 5, 5), countdown, CurrentAlpha()),
              on ? std::tuple(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW),
                              GetSysColor(COLOR_HIGHLIGHT), BYTE{255})
                 : std::tuple(GetPixel(appState.skinDC, 0, 0), GetPixel(appState.skinDC, 1, 1), RGB(1, 2, 3),
                              RGB(255, 255, 0), BYTE{216}))
        << on;
  }
  EnterLine("sysoff cancel");
  ReleaseDC(appState.mainWindow, bar);
  ReleaseDC(appState.commandEdit, box);
}

TEST_F(BarTest, StepsAsideToTheNotificationAreaAndComesBackActiveByTheStoredHotKey) {
  AppSettings stored = DEFAULT_SETTINGS;
  SetHotKey(stored, {HOT_KEY_CONTROL | HOT_KEY_SHIFT, 'J'});  // as Options keeps another key
  stored.minimizedToTray = true;                              // ended hidden
  uint8_t file[SETTINGS_FILE_SIZE];
  EncodeSettings(stored, file);
  WriteBytes(SETTINGS_FILE, std::string_view(reinterpret_cast<const char*>(file), sizeof file));
  LoadUserFiles();
  StartBar();
  EXPECT_FALSE(IsWindowVisible(appState.mainWindow)) << "starts hidden";
  SetWindowTextA(appState.commandEdit, "wiki");
  editControlProc = std::exchange(appState.commandEditBaseProc, LoggingEditControlProc);
  // What is done, the message the bar gets for it, and whether the bar is hidden afterwards.
  const std::tuple<const char*, UINT, WPARAM, LPARAM, bool> steps[] = {
      {"hot key, started hidden", WM_HOTKEY, 0, 0, false},
      {"double click on the skin", WM_NCLBUTTONDBLCLK, HTCAPTION, 0, true},
      {"hot key while hidden", WM_HOTKEY, 0, 0, false},
      {"hot key while shown", WM_HOTKEY, 0, 0, false},
      {"menu item", WM_COMMAND, IDM_MINIMIZE_RESTORE, 0, true},
      {"single click on the icon", WM_TRAY_CALLBACK, 0, WM_LBUTTONUP, true},
      {"double click on the icon", WM_TRAY_CALLBACK, 0, WM_LBUTTONDBLCLK, false},
  };
  for (const auto& [name, message, wParam, lParam, hidden] : steps) {
    irreversibleLog.clear();
    SendMessageA(appState.mainWindow, message, wParam, lParam);
    EXPECT_EQ(appSettings.minimizedToTray, hidden) << name;
    EXPECT_EQ(!IsWindowVisible(appState.mainWindow), hidden) << name;
    if (hidden) continue;
    EXPECT_EQ(GetFocus(), appState.commandEdit) << name;
    ClickSelection();
    EXPECT_EQ(irreversibleLog, Log{"select all"}) << name << ": once, and a click then places the caret";
  }
  EXPECT_FALSE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_SHIFT, 'J')) << "the bar holds it";
  // The bar's own clean-up as it goes, without the system's: Wine frees a destroyed
  // window's hot keys by itself.
  SendMessageA(appState.mainWindow, WM_DESTROY, 0, 0);
  EXPECT_TRUE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_SHIFT, 'J')) << "and gives it back";
  UnregisterHotKey(NULL, 1);
}

TEST_F(BarTest, KeysRunTheLineWalkTheHistoryAndCompleteTheKeyWordLeavingTheRestToTheEditControl) {
  StartBar();
  editControlProc = std::exchange(appState.commandEditBaseProc, LoggingEditControlProc);
  keyEntryStore.Append({"ed", "C:\\ed.exe %s", "-n", 1, false, {}});   // hides the bar first
  keyEntryStore.Append({"\xC3\xA9t\xC3\xA9", "e", "", 0, false, {}});  // "été": more bytes than characters
  // 127 characters, the last of them across the 127th byte.
  const std::string longLine = "x " + std::string(124, 'a') + "\xC3\xA9";
  // The box's text, with the caret at its end; the keys pressed; the box's text and
  // selection afterwards, and the log.
  const std::tuple<std::string, std::vector<UINT>, std::string, DWORD, Log> cases[] = {
      {longLine, {VK_RETURN}, longLine, MAKELONG(127, 127), {"open " + std::string(124, 'a') + " | "}},
      {"", {VK_RETURN}, "", 0, {"key 13"}},
      {"ed a", {VK_RETURN}, "ed a", MAKELONG(4, 4), {"open C:\\\\ed.exe a | -n bar hidden"}},
      {"wi", {VK_UP, VK_DOWN, VK_DOWN}, "wi", MAKELONG(2, 2), {"select all", "select all", "key 40"}},
      {"wi", {VK_UP, VK_ESCAPE}, "wi", MAKELONG(2, 2), {"select all"}},
      {"ca", {VK_TAB}, "calc ", MAKELONG(5, 5), {}},
      {"\xC3\xA9", {VK_TAB, VK_TAB}, "\xC3\xA9", MAKELONG(1, 1), {}},  // "été ", then back to "é"
      {"\xE6\x9D\xB1\xE4\xBA\xAC x", {VK_TAB}, "\xE6\x9D\xB1\xE4\xBA\xAC x", MAKELONG(4, 4), {"key 9", "char 9"}},
  };
  for (const auto& [text, keys, box, selection, log] : cases) {
    SetWindowTextA(appState.commandEdit, text.c_str());
    SendMessageA(appState.commandEdit, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    irreversibleLog.clear();
    for (const UINT key : keys) {
      // As the keyboard sends it: the press, then the character of Enter, Tab and Esc.
      SendMessageA(appState.commandEdit, WM_KEYDOWN, key, 1);
      if (key == VK_RETURN || key == VK_TAB || key == VK_ESCAPE) SendMessageA(appState.commandEdit, WM_CHAR, key, 1);
    }
    EXPECT_EQ(ControlText(appState.mainWindow, COMMAND_EDIT_ID), box) << text;
    EXPECT_EQ(SendMessageA(appState.commandEdit, EM_GETSEL, 0, 0), static_cast<LRESULT>(selection)) << text;
    EXPECT_EQ(irreversibleLog, log) << text;
  }
  // A launch that fails is told as the entry names it, over the bar, which is back (though
  // it hid for the launch) for the line to be corrected.
  keyEntryStore.Append({"lost", "C:\\lost\\missing", "", 1, false, {}});
  AnswerDialog(
      "Pellomar",
      [](HWND box) {
        EXPECT_EQ(ControlText(box, 0xFFFF).rfind("Pellomar could not open \"C:\\lost\\missing\"", 0), 0u);
        EXPECT_EQ(GetWindow(box, GW_OWNER), appState.mainWindow);
        EXPECT_TRUE(IsWindowVisible(appState.mainWindow));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      },
      [this] { EnterLine("lost"); });
  // Ctrl+Shift+Enter starts a program as administrator, here with a word and the
  // clipboard's first line, in quotes for its blanks; a bare name as the system's program,
  // not the file of that name in the working folder; an address opens as ever. A no at
  // the elevation prompt is told nothing.
  keyEntryStore.Append({"adm", "C:\\{1}.exe", "{clipboard}", 0, false, {}});
  keyEntryStore.Append({"no", "C:\\declined.exe", "", 0, false, {}});
  WriteBytes("cmd.exe", "");
  const wchar_t copied[] = L"\u00e9t\u00e9 & co\r\nnext line";
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof copied);
  std::memcpy(GlobalLock(memory), copied, sizeof copied);
  GlobalUnlock(memory);
  ASSERT_TRUE(OpenClipboard(appState.mainWindow) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory));
  CloseClipboard();
  BYTE keyboard[256] = {};
  keyboard[VK_CONTROL] = keyboard[VK_SHIFT] = 0x80;
  SetKeyboardState(keyboard);
  irreversibleLog.clear();
  ExpectNoDialog([this] {
    for (const char* line : {"adm tool", "x cmd", "g tool", "no"}) EnterLine(line);
  });
  // A value that cmd.exe would read as its own, as it is set up, is not handed to a batch
  // file: the key word does not run, and says why.
  const char* const COMMAND_PROCESSOR = "Software\\Microsoft\\Command Processor";
  const DWORD on = 1;
  RegSetKeyValueA(HKEY_CURRENT_USER, COMMAND_PROCESSOR, "DelayedExpansion", REG_DWORD, &on, sizeof on);
  keyEntryStore.Append({"bt", "C:\\tools\\run.cmd", "{1}", 0, false, {}});
  AnswerBox("Pellomar", "Pellomar did not run the key word \"bt\": what you typed or copied cannot be passed safely",
            IDOK, [this] { EnterLine("bt hi!"); });
  RegDeleteKeyValueA(HKEY_CURRENT_USER, COMMAND_PROCESSOR, "DelayedExpansion");
  SetKeyboardState(std::array<BYTE, 256>{}.data());  // all keys up again
  DeleteFileA("cmd.exe");
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(irreversibleLog,
            (Log{"runas C:\\\\tool.exe | \"\xC3\xA9t\xC3\xA9 & co\"", "runas " + std::string(system) + "\\cmd.exe | ",
                 "open https://www.google.com/search?q=tool | ", "runas C:\\\\declined.exe | "}));
}

TEST_F(BarTest, SysCommandsSaveBothFilesThenAskWindowsAndStoppingTheCountdownClosesItsWarning) {
  StartBar();
  SetWindowPos(appState.mainWindow, NULL, 300, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  exitWindowsAnswer = FALSE;  // a refused power-off is asked for again as a shutdown
  EnterLine("sys s");
  AppSettings saved = DEFAULT_SETTINGS;
  const std::vector<uint8_t> file = FileBytes(SETTINGS_FILE);
  DecodeSettings(file.data(), file.size(), saved);
  EXPECT_EQ(std::pair(saved.windowLeft, saved.windowTop), std::pair(300, 400)) << "saved where the bar is now";
  exitWindowsAnswer = TRUE;
  SetEnvironmentVariableA("OS", "Windows_95");  // only the NT family knows privileges
  EnterLine("sys sf");
  SetEnvironmentVariableA("OS", "Windows_NT");
  EXPECT_EQ(irreversibleLog, (Log{"privilege on", "exit 8 saved", "exit 1 saved", "privilege off", "exit 12 saved"}));
  // The countdown's warning closes with "cancel", a new amount or no amount.
  for (const char* stop : {"sysoff cancel", "sysoff 10m", "sysoff nothing"}) {
    EnterLine("sysoff 3s");
    SendMessageA(appState.mainWindow, WM_TIMER, COUNTDOWN_TIMER_ID, 0);
    const HWND warning = appState.warningDialog;
    ASSERT_NE(warning, nullptr) << stop;
    EXPECT_EQ(GetFocus(), GetDlgItem(warning, IDCANCEL)) << "the keyboard and the screen reader are in the warning";
    EnterLine(stop);
    EXPECT_FALSE(IsWindow(warning)) << stop;
    EXPECT_EQ(countdownState.minutes, std::string(stop) == "sysoff 10m" ? 10 : 0) << stop;
  }
}
