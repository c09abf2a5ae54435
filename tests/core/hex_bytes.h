#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// "0a ff 01" and "0aff01" alike; blanks only separate.
inline Bytes FromHex(const std::string& hex) {
  Bytes bytes;
  for (size_t i = hex.find_first_not_of(' '); i != std::string::npos; i = hex.find_first_not_of(' ', i + 2))
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}
