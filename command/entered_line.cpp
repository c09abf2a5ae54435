#include "command/entered_line.h"

#include "command/command_text.h"
#include "keys/key_entry_store.h"
#include "settings/app_settings.h"

namespace {

// Every command is escaped for the shell.
LinePlan Launch(ExpandedKey expanded, bool minimizeFirst) {
  std::string command = expanded.command;
  EscapeCommandText(command);
  return {LineAction::Launch, minimizeFirst || appSettings.minimizeAlways, std::move(command),
          std::move(expanded.parameters), std::move(expanded.command)};
}

// "sys" and "sysoff" take the rest of the line as their order.
LinePlan Order(LineAction action, std::string_view order) {
  return {action, false, std::string(order), std::string(), std::string()};
}

// "w" and "x" take the rest of the line as typed.
LinePlan LaunchTyped(std::string command) {
  return Launch({std::move(command), std::string()}, false);
}

}  // namespace

bool IsReservedWord(std::string_view key) {
  return key == "w" || key == "x" || key == "sys" || key == "sysoff";
}

LinePlan PlanEnteredLine(std::string_view line, const CommandSources& sources) {
  const SplitLine split = SplitCommandLine(line);
  if (split.key == "w") {
    std::string address(split.parameters);
    // "http" anywhere counts as a whole address ("w example.org/http" too): users type
    // "https://..." and "http://...", and an address is never guessed at beyond that.
    if (address.find("http") == std::string::npos) address.insert(0, "http://");
    return LaunchTyped(std::move(address));
  }
  if (split.key == "x") return LaunchTyped(std::string(split.parameters));
  if (split.key == "sys") return Order(LineAction::SystemCommand, split.parameters);
  if (split.key == "sysoff") return Order(LineAction::Countdown, split.parameters);

  if (const auto found = keyEntryStore.FindByKey(split.key)) {
    const KeyEntry& entry = keyEntryStore.entries[*found];
    return Launch(ExpandKeyCommand(entry, split.parameters, sources), entry.minimizeAfterRunning != 0);
  }
  if (appSettings.defaultSearchEnabled && !keyEntryStore.entries.empty())
    return Launch(ExpandKeyCommand(keyEntryStore.entries[0], line, sources), false);
  return {};
}
