#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// The system's exit request flags, combined by OR.
constexpr uint32_t EXIT_LOGOFF = 0;
constexpr uint32_t EXIT_SHUTDOWN = 1;
constexpr uint32_t EXIT_REBOOT = 2;
constexpr uint32_t EXIT_FORCE = 4;
constexpr uint32_t EXIT_POWEROFF = 8;

// The exit request that "sys" followed by exactly these parameters makes: "l" logs off,
// "s" powers off, "r" restarts, "sf" forces a power-off; none for anything else.
std::optional<uint32_t> SystemCommandExitFlags(std::string_view parameters);
