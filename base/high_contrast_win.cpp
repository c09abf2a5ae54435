#include "base/high_contrast_win.h"

#include <windows.h>

namespace {

bool ReadHighContrast() {
  HIGHCONTRASTA setting = {};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool (*highContrastOn)() = ReadHighContrast;
