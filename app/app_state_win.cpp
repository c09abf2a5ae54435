#include "app/app_state_win.h"

AppState appState;
