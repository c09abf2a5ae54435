#include "settings/hot_key_win.h"

#include "base/app_state_win.h"

static_assert(HOT_KEY_ALT == MOD_ALT && HOT_KEY_CONTROL == MOD_CONTROL && HOT_KEY_SHIFT == MOD_SHIFT &&
                  HOT_KEY_WIN == MOD_WIN,
              "hot keys keep the system's modifier bits");

namespace {

bool Register(HWND window, int id, HotKey key) {
  return RegisterHotKey(window, id, key.modifiers, key.virtualKey) != FALSE;
}

}  // namespace

void RegisterBarHotKey(HWND mainWindow) {
  if (!HotKeyAcceptable(HotKeyOf(appSettings))) SetHotKey(appSettings, DEFAULT_HOT_KEY);
  appState.hotKeyId = 0;
  appState.hotKeyHeld = Register(mainWindow, appState.hotKeyId, HotKeyOf(appSettings));
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
  return true;
}

void UnregisterBarHotKey() {
  if (appState.hotKeyHeld) UnregisterHotKey(appState.mainWindow, appState.hotKeyId);
  appState.hotKeyHeld = false;
}
