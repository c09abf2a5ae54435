#include "settings/app_settings.h"

AppSettings appSettings = DEFAULT_SETTINGS;
