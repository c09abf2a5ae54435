#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "catalog/shell_text.h"

// What a shortcut (.lnk) runs, read from its bytes without the shell. Texts are UTF-8;
// those the file keeps in the system's ANSI code page go through the caller's conversion.
struct ShellLink {
  // The program or document: the target with %VARIABLES% where the shortcut keeps one,
  // else the path its link information gives. Empty where only the item ID list names it
  // (the shell then resolves it) or where an installer does (advertised).
  std::string target;
  std::string arguments;
  std::string workingDir;
  std::string relativePath;  // of the target, from the shortcut's folder
  std::string iconLocation;  // with %VARIABLES% where the shortcut keeps one
  int32_t iconIndex = 0;
  bool runAsAdministrator = false;
  bool advertised = false;  // an installer's (MSI) shortcut: the installer finds the target
};

// Bigger files are no shortcut the catalog takes.
constexpr size_t MAX_SHELL_LINK_SIZE = 1024 * 1024;

// The shortcut, or none where the bytes are no shortcut or are damaged (a size or offset
// out of bounds, a text cut short).
std::optional<ShellLink> ParseShellLink(const uint8_t* data, size_t size, LegacyTextConverter convertLegacy = nullptr);
