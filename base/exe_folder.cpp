#include "base/exe_folder.h"

#include <cstring>

size_t FolderPartLength(const char* path) {
  for (size_t length = std::strlen(path); length > 0; --length) {
    const char c = path[length - 1];
    if (c == '\\' || c == '/' || c == ':') return length;
  }
  return 0;
}
