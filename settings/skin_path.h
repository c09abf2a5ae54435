#pragma once
#include <optional>
#include <string>
#include <string_view>

// The path of a file below folder (which ends with its separator) relative to it, with
// letter case ignored as Windows ignores it; none for a file elsewhere.
std::optional<std::string> PathBelowFolder(std::string_view path, std::string_view folder);
