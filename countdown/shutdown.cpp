#include "countdown/shutdown.h"

std::optional<uint32_t> SystemCommandExitFlags(std::string_view parameters) {
  if (parameters == "l") return EXIT_LOGOFF;
  if (parameters == "s") return EXIT_POWEROFF;
  if (parameters == "r") return EXIT_REBOOT;
  if (parameters == "sf") return EXIT_POWEROFF | EXIT_FORCE;
  return std::nullopt;
}
