#include "base/app_state_win.h"

AppState appState;
