#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/shell_text.h"

// The shell's small settings files beside shortcuts: Internet shortcuts (.url) and a
// folder's desktop.ini. Their text is UTF-16LE after its byte order mark (as the shell
// writes desktop.ini), UTF-8 after its mark, or else ANSI; it comes back as UTF-8.

// Bigger files are no file of the shell's.
constexpr size_t MAX_SHELL_INI_SIZE = 64 * 1024;

// The address an Internet shortcut opens: URL= in its [InternetShortcut] section.
std::optional<std::string> ParseUrlShortcut(const uint8_t* data, size_t size, LegacyTextConverter convertLegacy = nullptr);

struct LocalizedName {
  std::string fileName;  // a file of the folder: "Firefox.lnk"
  // The name the shell shows for it: plain text, or a string resource for the Win32 caller
  // to load, such as "@%SystemRoot%\system32\shell32.dll,-22563".
  std::string name;
};

// desktop.ini's [LocalizedFileNames] section, in the file's order.
std::vector<LocalizedName> ParseLocalizedFileNames(const uint8_t* data, size_t size, LegacyTextConverter convertLegacy = nullptr);
