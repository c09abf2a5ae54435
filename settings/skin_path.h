#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The path of a file below folder (which ends with its separator) relative to it, with
// letter case ignored as Windows ignores it; none for a file elsewhere.
std::optional<std::string> PathBelowFolder(std::string_view path, std::string_view folder);

// How a chosen skin is kept in a field of capacity bytes (its terminator included): a
// skin below the program's folder relative to it, so that the path moves with the folder
// (a program on a USB stick gets another drive letter); any other as chosen, or else in
// its short form. None when no form fits.
std::optional<std::string> SkinPathToKeep(std::string_view chosen, std::string_view programFolder,
                                          std::string_view shortForm, size_t capacity);
