#include "settings/options_dialog_win.h"
// After windows.h, which it needs; only its constants are used, so the common controls'
// library is not linked to the bar.
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/app_state_win.h"
#include "base/common_dialogs_win.h"
#include "base/dpi_win.h"
#include "base/exe_folder_win.h"
#include "base/skin_win.h"
#include "base/themed_dialog_win.h"
#include "keys/edit_user_keys_dialog_win.h"
#include "resources/resource.h"
#include "settings/hot_key_win.h"
#include "settings/settings_win.h"
#include "settings/skin_path.h"

namespace {

const char SKIN_FAILED_TEXT[] = "Failed to load skin!";
const char SKIN_PATH_TOO_LONG_TEXT[] =
    "The skin's path is too long to keep. Move the skin into Pellomar's folder or a folder with a shorter path.";
const char SKIN_FAILED_CAPTION[] = "Application Error";
const char SKIN_FILTER[] = "Pellomar Skins\0*.bmp\0";
// Why OK leaves the dialog open, beside the hot key control; the key's text comes first.
// A combination that another program holds never reaches the control, which shows "None".
const char NO_HOT_KEY_TEXT[] = "None: another program may hold that key";
const char HOT_KEY_ALONE_TEXT[] = ": add Ctrl, Alt, Shift or Win";
const char HOT_KEY_TAKEN_TEXT[] = ": another program uses it";
const char HOT_KEY_COPY_TEXT[] = ": another copy of Pellomar uses it";
// What the same place says at opening of a key with Win, which the control cannot show.
const char HOT_KEY_WITH_WIN_TEXT[] = "Now: ";

// What one opening of the dialog remembers, reached through DWLP_USER.
struct OptionsDialogState {
  // The log-on value is touched only when OK changes "Run at startup".
  bool runAtStartupWhenOpened;
  // The hot key control's value at opening, which stands for the stored key (with its
  // Win) for as long as the user leaves it.
  WORD hotKeyShown;
};

OptionsDialogState& StateOf(HWND dialog) {
  return *reinterpret_cast<OptionsDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The controls that take effect on OK, with the settings they edit and what "&Defaults"
// puts in them. Defaults gives snapping 30 and 78 % active opacity while a first run
// starts with 25 and 85 %: both pairs are long-standing values that users know, so
// neither is to be made to match the other.
struct CheckBox {
  int id;
  bool* setting;
  bool byDefault;
};
const CheckBox CHECK_BOXES[] = {
    {IDC_RUN_AT_STARTUP, &appSettings.runAtStartup, true},
    {IDC_SAVE_LAST_POSITION, &appSettings.saveLastPosition, true},
    {IDC_MINIMIZE_ALWAYS, &appSettings.minimizeAlways, false},
    {IDC_DEFAULT_SEARCH, &appSettings.defaultSearchEnabled, true},
    {IDC_REMEMBER_TYPED_LINES, &appSettings.rememberTypedLines, true},
    {IDC_FIND_PROGRAMS, &appSettings.findPrograms, true},
    {IDC_ASK_BEFORE_SESSION_END, &appSettings.askBeforeSessionEnd, false},
};

struct NumberBox {
  int id;
  int32_t* setting;
  int32_t low;
  int32_t high;
  int32_t byDefault;
};
const NumberBox NUMBER_BOXES[] = {
    {IDC_SNAP_STRENGTH, &appSettings.snapStrength, 0, 128, 30},
    {IDC_TRANSLUCENCY_INACTIVE, &appSettings.translucencyInactive, 0, 100, 28},
    {IDC_TRANSLUCENCY_ACTIVE, &appSettings.translucencyActive, 10, 100, 78},
};

// The hot key control's modifier flags differ from RegisterHotKey's, and it has none for Win.
struct ModifierFlag {
  BYTE control;
  uint8_t hotKey;
};
const ModifierFlag MODIFIER_FLAGS[] = {
    {HOTKEYF_SHIFT, HOT_KEY_SHIFT}, {HOTKEYF_CONTROL, HOT_KEY_CONTROL}, {HOTKEYF_ALT, HOT_KEY_ALT}};

// Keys that share their scan code with another key and differ from it by the extended
// flag, which the control needs to name them.
bool IsExtendedKey(BYTE key) {
  return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE || key == VK_DIVIDE;
}

void ShowHotKey(HWND dialog, HotKey key) {
  BYTE flags = IsExtendedKey(key.virtualKey) ? HOTKEYF_EXT : 0;
  for (const ModifierFlag& flag : MODIFIER_FLAGS)
    if (key.modifiers & flag.hotKey) flags |= flag.control;
  SendDlgItemMessageA(dialog, IDC_HOT_KEY, HKM_SETHOTKEY, MAKEWORD(key.virtualKey, flags), 0);
}

WORD HotKeyControlValue(HWND dialog) {
  return LOWORD(SendDlgItemMessageA(dialog, IDC_HOT_KEY, HKM_GETHOTKEY, 0, 0));
}

HotKey ChosenHotKey(HWND dialog) {
  const WORD value = HotKeyControlValue(dialog);
  if (value == StateOf(dialog).hotKeyShown) return HotKeyOf(appSettings);
  HotKey key = {0, LOBYTE(value)};
  for (const ModifierFlag& flag : MODIFIER_FLAGS)
    if (HIBYTE(value) & flag.control) key.modifiers |= flag.hotKey;
  return key;
}

// Makes the chosen key the bar's; otherwise says why not. The stored key, even where it
// cannot be had now, never holds OK up.
bool TakeHotKey(HWND dialog) {
  const HotKey key = ChosenHotKey(dialog);
  std::string refusal;
  if (key.virtualKey == 0)
    refusal = NO_HOT_KEY_TEXT;
  else if (!HotKeyAcceptable(key))
    refusal = HotKeyText(key) + HOT_KEY_ALONE_TEXT;
  else if (!ChangeBarHotKey(key) && key != HotKeyOf(appSettings))
    refusal = HotKeyText(key) + (CopyHoldingHotKey(key) ? HOT_KEY_COPY_TEXT : HOT_KEY_TAKEN_TEXT);
  if (refusal.empty()) {
    SetHotKey(appSettings, key);
    return true;
  }
  SetDlgItemTextA(dialog, IDC_HOT_KEY_REFUSED, refusal.c_str());
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_HOT_KEY)), TRUE);
  return false;
}

void OptionsOnInit(HWND dialog, OptionsDialogState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  state->runAtStartupWhenOpened = appSettings.runAtStartup;
  for (const CheckBox& box : CHECK_BOXES) CheckDlgButton(dialog, box.id, *box.setting ? BST_CHECKED : BST_UNCHECKED);
  for (const NumberBox& box : NUMBER_BOXES) SetDlgItemInt(dialog, box.id, static_cast<UINT>(*box.setting), FALSE);
  const HotKey key = HotKeyOf(appSettings);
  ShowHotKey(dialog, key);
  state->hotKeyShown = HotKeyControlValue(dialog);
  if (key.modifiers & HOT_KEY_WIN)
    SetDlgItemTextA(dialog, IDC_HOT_KEY_REFUSED, (HOT_KEY_WITH_WIN_TEXT + HotKeyText(key)).c_str());
}

void OptionsOnDefaults(HWND dialog) {
  for (const CheckBox& box : CHECK_BOXES) CheckDlgButton(dialog, box.id, box.byDefault ? BST_CHECKED : BST_UNCHECKED);
  for (const NumberBox& box : NUMBER_BOXES) SetDlgItemInt(dialog, box.id, static_cast<UINT>(box.byDefault), FALSE);
  ShowHotKey(dialog, DEFAULT_HOT_KEY);
}

// The hot key first: when it is refused, nothing else is taken either and the dialog
// stays open. Text that is no number reads as 0, and each number is brought silently into
// its range as the signed value it is stored as: a hand-edited negative, which the box
// shows as a large number, comes back as the range's low end.
bool OptionsOnOk(HWND dialog) {
  if (!TakeHotKey(dialog)) return false;
  for (const CheckBox& box : CHECK_BOXES) *box.setting = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED;
  for (const NumberBox& box : NUMBER_BOXES) {
    const auto typed = static_cast<int32_t>(GetDlgItemInt(dialog, box.id, NULL, FALSE));
    *box.setting = std::clamp(typed, box.low, box.high);
  }
  if (appSettings.runAtStartup != StateOf(dialog).runAtStartupWhenOpened) SetRunAtStartup(appSettings.runAtStartup);
  return true;
}

// The chosen path in the form that fits skinPath; false when none does.
bool KeepSkinPath(const char* chosen, const std::string& programFolder) {
  char shortForm[PATH_BYTES];
  const DWORD shortLength = GetShortPathNameA(chosen, shortForm, sizeof shortForm);
  if (shortLength == 0 || shortLength >= sizeof shortForm) shortForm[0] = '\0';
  const auto kept = SkinPathToKeep(chosen, programFolder, shortForm, sizeof appSettings.skinPath);
  if (!kept) return false;
  std::memcpy(appSettings.skinPath, kept->c_str(), kept->size() + 1);
  return true;
}

void ChangeSkin(HWND dialog) {
  const std::string folder = SetWorkingDirectoryToExe();
  char chosen[PATH_BYTES] = {};
  OPENFILENAMEA request = FileChooserRequest(dialog, SKIN_FILTER, chosen, sizeof chosen);
  request.lpstrInitialDir = folder.c_str();
  if (!ChooseFileToOpen(&request)) return;

  const HBITMAP skin = static_cast<HBITMAP>(LoadImageA(NULL, chosen, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  // These boxes have no owner, as they always had: the user answers them before the
  // Options dialog takes input again all the same.
  if (!skin) {
    MessageBoxA(NULL, SKIN_FAILED_TEXT, SKIN_FAILED_CAPTION, MB_ICONERROR);
    return;
  }
  if (!KeepSkinPath(chosen, folder)) {
    DeleteObject(skin);
    MessageBoxA(NULL, SKIN_PATH_TOO_LONG_TEXT, SKIN_FAILED_CAPTION, MB_ICONERROR);
    return;
  }
  UseSkinPicture(skin);
  InvalidateRect(appState.mainWindow, NULL, TRUE);
}

void ChangeFont(HWND dialog) {
  // The chooser turns points into pixels at the system's scale.
  LOGFONTA font = LogFontFromEditFont(appSettings.editFont, SystemDpi());
  CHOOSEFONTA request = {};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  request.lpLogFont = &font;
  request.rgbColors = appSettings.fontColor;
  request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
  if (!ChooseFontFor(&request)) return;
  appSettings.editFont = EditFontFromLogFont(font, SystemDpi());
  appSettings.fontColor = request.rgbColors;
  SendMessageA(appState.mainWindow, WM_EDIT_FONT_CHOSEN, 0, 0);
}

void ChangeBackColor(HWND dialog) {
  COLORREF customColors[16] = {};
  CHOOSECOLORA request = {};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  request.rgbResult = appSettings.backColor;
  request.lpCustColors = customColors;
  request.Flags = CC_RGBINIT | CC_ANYCOLOR;
  if (!ChooseColorFor(&request)) return;
  appSettings.backColor = request.rgbResult;
  DeleteObject(appState.editBackBrush);
  appState.editBackBrush = CreateSolidBrush(appSettings.backColor);
  InvalidateRect(appState.commandEdit, NULL, TRUE);
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OptionsOnInit(dialog, reinterpret_cast<OptionsDialogState*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (OptionsOnOk(dialog)) EndDialog(dialog, 0);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_HOT_KEY:
          // A refusal is about the key pressed before.
          if (HIWORD(wParam) == EN_CHANGE) SetDlgItemTextA(dialog, IDC_HOT_KEY_REFUSED, "");
          return TRUE;
        case IDC_DEFAULTS:
          OptionsOnDefaults(dialog);
          return TRUE;
        case IDC_EDIT_KEYS:
          ShowEditUserKeysDialog(dialog);
          return TRUE;
        case IDC_CHANGE_SKIN:
          ChangeSkin(dialog);
          return TRUE;
        case IDC_CHANGE_FONT:
          ChangeFont(dialog);
          return TRUE;
        case IDC_CHANGE_BK_COLOR:
          ChangeBackColor(dialog);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

void ShowOptionsDialog(HWND owner) {
  OptionsDialogState state = {};
  ShowThemedDialog(IDD_OPTIONS, owner, OptionsDialogProc, reinterpret_cast<LPARAM>(&state));
}
