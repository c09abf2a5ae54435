#include "app/bar_scale_win.h"

#include <utility>

#include "base/app_state_win.h"
#include "base/bar_layout.h"
#include "base/skin_win.h"
#include "countdown/countdown_win.h"
#include "settings/settings_win.h"

void RemakeEditFont(UINT dpi) {
  const LOGFONTA font = LogFontFromEditFont(appSettings.editFont, dpi);
  const HFONT old = std::exchange(appState.editFontHandle, CreateFontIndirectA(&font));
  SendMessageA(appState.commandEdit, WM_SETFONT, reinterpret_cast<WPARAM>(appState.editFontHandle), FALSE);
  DeleteObject(old);
}

void ScaleBar(UINT dpi) {
  appState.barLayout = BarLayoutAt(dpi);
  const BarLayout& layout = appState.barLayout;
  RemakeEditFont(dpi);
  SetWindowPos(appState.commandEdit, NULL, layout.boxLeft, layout.boxTop, layout.boxWidth, layout.boxHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  DeleteObject(std::exchange(appState.countdownFont, CreateCountdownFont(layout.countdownFontHeight)));
  // The skin is loaded once the bar exists, and scaled then.
  if (appState.skinPicture) ScaleSkin();
}
