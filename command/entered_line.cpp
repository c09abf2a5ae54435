#include "command/entered_line.h"

#include "command/command_text.h"
#include "keys/key_entry_store.h"
#include "settings/app_settings.h"

namespace {

LinePlan Launch(std::string command, std::string parameters, bool minimizeFirst) {
  return {LineAction::Launch, minimizeFirst || appSettings.minimizeAlways, std::move(command), std::move(parameters)};
}

// "w" and "x" take the rest of the line as typed, escaped like every command.
LinePlan LaunchTyped(std::string command) {
  EscapeCommandText(command);
  return Launch(std::move(command), std::string(), false);
}

}  // namespace

LinePlan PlanEnteredLine(std::string_view line) {
  const SplitLine split = SplitCommandLine(line);
  if (split.key == "w") {
    std::string address(split.parameters);
    // "http" anywhere counts as a whole address ("w example.org/http" too): users type
    // "https://..." and "http://...", and an address is never guessed at beyond that.
    if (address.find("http") == std::string::npos) address.insert(0, "http://");
    return LaunchTyped(std::move(address));
  }
  if (split.key == "x") return LaunchTyped(std::string(split.parameters));
  if (split.key == "sys") return {LineAction::SystemCommand, false, std::string(split.parameters), std::string()};
  if (split.key == "sysoff") return {LineAction::Countdown, false, std::string(split.parameters), std::string()};

  if (const auto found = keyEntryStore.FindByKey(split.key)) {
    const KeyEntry& entry = keyEntryStore.entries[*found];
    // The typed parameters go into the command only; the stored ones are passed as they are.
    return Launch(ExpandKeyCommand(entry, split.parameters), entry.parameters, entry.minimizeAfterRunning != 0);
  }
  if (appSettings.defaultSearchEnabled && !keyEntryStore.entries.empty())
    return Launch(ExpandKeyCommand(keyEntryStore.entries[0], line), std::string(), false);
  return {};
}
