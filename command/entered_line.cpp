#include "command/entered_line.h"

#include "command/command_text.h"
#include "keys/key_entry_store.h"
#include "settings/app_settings.h"

namespace {

// The shell would look for a bare name in the working folder first, which is Pellomar's
// own: a program of that name dropped beside a portable copy (in Downloads, say) would be
// the one started as administrator. So a bare name is looked up only where the system
// keeps programs; empty where there is nothing to elevate.
std::string FileToElevate(const std::string& named, const CommandSources& sources) {
  const std::string_view bare = BareName(named);
  const std::string file = bare.empty() ? named : sources.programOnSearchPath(bare);
  return CanElevate(file) ? file : std::string();
}

struct Planning {
  const CommandSources& sources;
  bool asAdministrator;
};

// Every command the user wrote is escaped for the shell; the full path a bare name stands
// for is the system's, handed on as it is.
LinePlan Launch(const Planning& planning, ExpandedKey expanded, bool minimizeFirst) {
  LinePlan plan{LineAction::Launch, minimizeFirst || appSettings.minimizeAlways, std::string(),
                std::move(expanded.parameters), std::move(expanded.command)};
  const std::string elevated = planning.asAdministrator ? FileToElevate(plan.named, planning.sources) : std::string();
  plan.asAdministrator = !elevated.empty();
  if (plan.asAdministrator && !BareName(plan.named).empty()) {
    plan.command = elevated;
  } else {
    plan.command = plan.named;
    EscapeCommandText(plan.command);
  }
  return plan;
}

LinePlan LaunchKey(const Planning& planning, const KeyEntry& entry, std::string_view typed, bool minimizeFirst) {
  ExpandedKey expanded = ExpandKeyCommand(entry, typed, planning.sources);
  if (expanded.refused) return {LineAction::Refused, false, std::string(), std::string(), entry.key};
  return Launch(planning, std::move(expanded), minimizeFirst);
}

// "sys" and "sysoff" take the rest of the line as their order.
LinePlan Order(LineAction action, std::string_view order) {
  return {action, false, std::string(order), std::string(), std::string()};
}

}  // namespace

bool IsReservedWord(std::string_view key) {
  return key == "w" || key == "x" || key == "sys" || key == "sysoff";
}

LinePlan PlanEnteredLine(std::string_view line, const CommandSources& sources, bool asAdministrator) {
  const Planning planning{sources, asAdministrator};
  const SplitLine split = SplitCommandLine(line);
  // "w" and "x" take the rest of the line as typed.
  if (split.key == "w") {
    std::string address(split.parameters);
    // "http" anywhere counts as a whole address ("w example.org/http" too): users type
    // "https://..." and "http://...", and an address is never guessed at beyond that.
    if (address.find("http") == std::string::npos) address.insert(0, "http://");
    return Launch(planning, {std::move(address), std::string()}, false);
  }
  if (split.key == "x") return Launch(planning, {std::string(split.parameters), std::string()}, false);
  if (split.key == "sys") return Order(LineAction::SystemCommand, split.parameters);
  if (split.key == "sysoff") return Order(LineAction::Countdown, split.parameters);

  if (const auto found = keyEntryStore.FindByKey(split.key)) {
    const KeyEntry& entry = keyEntryStore.entries[*found];
    return LaunchKey(planning, entry, split.parameters, entry.minimizeAfterRunning != 0);
  }
  if (appSettings.defaultSearchEnabled && !keyEntryStore.entries.empty())
    return LaunchKey(planning, keyEntryStore.entries[0], line, false);
  return {};
}
