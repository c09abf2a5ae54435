#pragma once
#include <windows.h>

// From the notification-area icon to the main window; lParam holds the mouse message.
const UINT WM_TRAY_CALLBACK = WM_USER + 101;

// Hides the bar to an icon in the notification area, or brings it back from there with
// its command box active. Without a notification area nothing changes.
void ToggleTray();

// Takes the icon away, as the bar ends while hidden.
void RemoveTrayIcon();

// Puts the icon back after the shell has restarted, while the bar is hidden.
void RestoreTrayIcon();

// The icon's mouse actions: a double click restores, a right press opens the menu.
void HandleTrayCallback(LPARAM mouseMessage);

// The popup menu at a screen point; its commands go to the main window.
void ShowPopupMenu(int x, int y);

// The popup menu opened from the keyboard: at the command box's lower left corner.
void ShowPopupMenuAtCommandBox();
