#pragma once
#include "command/key_command.h"

// The program's environment and the clipboard, read when a key word asks for them.
extern const CommandSources SYSTEM_COMMAND_SOURCES;
