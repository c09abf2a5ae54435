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

// Options
#define IDD_OPTIONS 103
#define IDC_RUN_AT_STARTUP 1000
#define IDC_TRANSLUCENCY_INACTIVE 1005
#define IDC_TRANSLUCENCY_ACTIVE 1006
#define IDC_SAVE_LAST_POSITION 1007
#define IDC_SNAP_STRENGTH 1008
#define IDC_DEFAULTS 1009
#define IDC_EDIT_KEYS 1010
#define IDC_CHANGE_SKIN 1011
#define IDC_CHANGE_FONT 1012
#define IDC_CHANGE_BK_COLOR 1013
#define IDC_MINIMIZE_ALWAYS 1023
#define IDC_DEFAULT_SEARCH 1040
#define IDC_HOT_KEY 1041
#define IDC_HOT_KEY_REFUSED 1042
#define IDC_REMEMBER_TYPED_LINES 1043
#define IDC_FIND_PROGRAMS 1044
#define IDC_ASK_BEFORE_SESSION_END 1045

// Edit User Keys
#define IDD_EDIT_USER_KEYS 104
#define IDC_MODIFY_KEY 1010
#define IDC_KEY_FIELD 1012
#define IDC_CMD_FIELD 1013
#define IDC_KEY_LIST 1014
#define IDC_PAR_FIELD 1015
#define IDC_REMOVE_KEY 1016
#define IDC_ADD_KEY 1018
#define IDC_PROMPT_ME 1019
#define IDC_BROWSE_CMD 1020
#define IDC_MINIMIZE_AFTER_RUNNING 1022
#define IDC_EXPORT_KEYS 1024
#define IDC_IMPORT_KEYS 1025
