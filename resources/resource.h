// Resource ids, shared by the resource script and the code. Plain #defines, since the
// resource compiler cannot read C++.
#pragma once

// Popup menu, its commands sorted by value
#define IDR_POPUP_MENU 101
#define IDM_EXIT 40003
#define IDM_MINIMIZE_RESTORE 40005
#define IDM_OPTIONS 40008
#define IDM_HELP 40009
#define IDM_ABOUT 40010

// Icon
#define IDI_APP 102

// About box
#define IDD_ABOUT 106
#define IDC_VERSION 1028

// Warning before the countdown's power-off
#define IDD_AUTO_SHUTDOWN 108
