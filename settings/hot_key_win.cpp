#include "settings/hot_key_win.h"

#include "base/app_state_win.h"
#include "base/other_bars_win.h"

static_assert(HOT_KEY_ALT == MOD_ALT && HOT_KEY_CONTROL == MOD_CONTROL && HOT_KEY_SHIFT == MOD_SHIFT &&
                  HOT_KEY_WIN == MOD_WIN,
              "hot keys keep the system's modifier bits");

namespace {

// On the bar while it holds its hot key: the key, so that another copy can tell who has it.
const char HOT_KEY_PROPERTY[] = "Pellomar.HotKey";

HANDLE HotKeyMark(HotKey key) {
  return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(MAKEWORD(key.virtualKey, key.modifiers)));
}

bool Register(HWND window, int id, HotKey key) {
  return RegisterHotKey(window, id, key.modifiers, key.virtualKey) != FALSE;
}

void MarkHeld(HWND window, HotKey key) {
  SetPropA(window, HOT_KEY_PROPERTY, HotKeyMark(key));
}

}  // namespace

void RegisterBarHotKey(HWND mainWindow) {
  if (!HotKeyAcceptable(HotKeyOf(appSettings))) SetHotKey(appSettings, DEFAULT_HOT_KEY);
  appState.hotKeyId = 0;
  appState.hotKeyHeld = Register(mainWindow, appState.hotKeyId, HotKeyOf(appSettings));
  if (appState.hotKeyHeld) MarkHeld(mainWindow, HotKeyOf(appSettings));
}

bool ChangeBarHotKey(HotKey key) {
  if (appState.hotKeyHeld && key == HotKeyOf(appSettings)) return true;
  // The ids 0 and 1 take turns, so that the new key is held beside the old one while it
  // changes: the same id registered again would replace the old key on some systems and
  // add to it on others.
  const int id = appState.hotKeyHeld ? 1 - appState.hotKeyId : appState.hotKeyId;
  if (!Register(appState.mainWindow, id, key)) return false;
  UnregisterBarHotKey();
  appState.hotKeyId = id;
  appState.hotKeyHeld = true;
  MarkHeld(appState.mainWindow, key);
  return true;
}

void UnregisterBarHotKey() {
  if (appState.hotKeyHeld) UnregisterHotKey(appState.mainWindow, appState.hotKeyId);
  appState.hotKeyHeld = false;
  RemovePropA(appState.mainWindow, HOT_KEY_PROPERTY);
}

std::optional<std::string> CopyHoldingHotKey(HotKey key) {
  DWORD process = 0;
  if (!FindOtherBar(HOT_KEY_PROPERTY, HotKeyMark(key), process)) return std::nullopt;
  return ProgramOf(process);
}
