#include "command/key_command.h"

#include <algorithm>
#include <cctype>

#include "command/command_text.h"
#include "command/filled_text.h"

namespace {

// Every occurrence of from, left to right, never looking into text it has just put in.
void ReplaceAll(std::string& text, const KeyReplacement& pair) {
  // An empty from would match everywhere and never end; only a hand-made file holds one.
  if (pair.from.empty()) return;
  for (size_t position = 0; position < text.size();) {
    const size_t found = text.find(pair.from, position);
    if (found == std::string::npos) return;
    text.replace(found, pair.from.size(), pair.to);
    position = found + pair.to.size();
  }
}

size_t SkipBlanks(std::string_view typed, size_t position) {
  return std::min(typed.find_first_not_of(' ', position), typed.size());
}

// Reads the typed word that begins at position, without its quotes, into word (where
// given) and returns where it ends.
size_t ReadWord(std::string_view typed, size_t position, std::string* word) {
  for (bool quoted = false; position < typed.size(); ++position) {
    const char c = typed[position];
    if (c == '"')
      quoted = !quoted;
    else if (c == ' ' && !quoted)
      break;
    else if (word)
      *word += c;
  }
  return position;
}

// Where the typed word of this index (from 0) begins; the end of the line when fewer
// words were typed.
size_t WordStart(std::string_view typed, int index) {
  size_t position = SkipBlanks(typed, 0);
  for (; index > 0 && position < typed.size(); --index)
    position = SkipBlanks(typed, ReadWord(typed, position, nullptr));
  return position;
}

enum class Slot { None, Word, Rest, Clipboard };

struct SlotAt {
  Slot slot;
  int word;  // of a Word, from 1
  size_t length;
};

SlotAt SlotAtPosition(std::string_view text, size_t position) {
  const std::string_view rest = text.substr(position);
  if (rest.size() >= 3 && rest[0] == '{' && rest[2] == '}') {
    if (rest[1] >= '1' && rest[1] <= '9') return {Slot::Word, rest[1] - '0', 3};
    if (rest[1] == '*') return {Slot::Rest, 0, 3};
  }
  const std::string_view CLIPBOARD = "{clipboard}";
  if (rest.substr(0, CLIPBOARD.size()) == CLIPBOARD) return {Slot::Clipboard, 0, CLIPBOARD.size()};
  return {Slot::None, 0, 0};
}

// The highest word number that the text names, 0 for {*} alone; -1 when it names none.
int HighestWordNamed(std::string_view text) {
  int highest = -1;
  for (size_t brace = text.find('{'); brace != std::string_view::npos; brace = text.find('{', brace + 1)) {
    const SlotAt at = SlotAtPosition(text, brace);
    if (at.slot == Slot::Word || at.slot == Slot::Rest) highest = std::max(highest, at.word);
  }
  return highest;
}

bool IsNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '(' || c == ')';
}

// The length of the environment variable's name after the '%' at position, with a '%'
// after it; 0 where no name begins. A name begins with a letter or '_', so that the
// percent-encodings of web addresses ("%20", "%3D") never read as one, nor two hex
// digits alone ("%E2%82%AC").
size_t VariableNameLength(std::string_view text, size_t position) {
  const size_t start = position + 1, end = text.find('%', start);
  if (end == std::string_view::npos || end == start) return 0;
  const std::string_view name = text.substr(start, end - start);
  if (!std::isalpha(static_cast<unsigned char>(name[0])) && name[0] != '_') return 0;
  if (name.size() == 2 && std::isxdigit(static_cast<unsigned char>(name[0])) &&
      std::isxdigit(static_cast<unsigned char>(name[1])))
    return 0;
  return std::all_of(name.begin(), name.end(), IsNameCharacter) ? name.size() : 0;
}

// One filling of an entry's texts from one typed line.
struct Filling {
  std::string_view typed;
  const CommandSources& sources;
  int highestWord;                         // named by the entry; -1 for none
  bool typedLineIn = false;                // the command's first %s has taken it
  std::optional<std::string> clipboard{};  // read at its first slot
  std::string word{};
};

void PutSlot(Filling& filling, const SlotAt& at, FilledText& filled) {
  std::string_view text;
  switch (at.slot) {
    case Slot::Word:
      filling.word.clear();
      ReadWord(filling.typed, WordStart(filling.typed, at.word - 1), &filling.word);
      text = filling.word;
      break;
    case Slot::Rest:
      text = filling.typed.substr(WordStart(filling.typed, std::max(filling.highestWord, 0)));
      break;
    case Slot::Clipboard:
      // Read once, however many times the entry names it.
      if (!filling.clipboard) filling.clipboard = filling.sources.clipboardText();
      text = *filling.clipboard;
      break;
    case Slot::None:
      break;
  }
  PutValue(filled, text);
}

// Puts in what the stored text at position stands for and returns its length; 0 where
// the character stands for itself.
size_t PutFilledAt(Filling& filling, std::string_view stored, size_t position, FilledText& filled) {
  if (stored[position] == '{') {
    const SlotAt at = SlotAtPosition(stored, position);
    if (at.slot != Slot::None) PutSlot(filling, at, filled);
    return at.length;
  }
  if (stored[position] != '%') return 0;
  const bool command = filled.reader == TextReader::Shell;
  // "%s" is the typed line's, never a variable's name; where it takes no line it stays.
  if (stored.compare(position, 2, "%s") == 0) {
    if (!command || filling.highestWord >= 0 || filling.typedLineIn) return 0;
    filling.typedLineIn = true;
    PutValue(filled, filling.typed);
    return 2;
  }
  const size_t name = VariableNameLength(stored, position);
  if (name == 0) return 0;
  const auto value = filling.sources.environmentVariable(stored.substr(position + 1, name));
  if (!value) return 0;
  // A command takes the value as it is, even in a web address, as ever.
  if (command)
    filled.text += *value;
  else
    PutValue(filled, *value);
  return name + 2;
}

void Fill(Filling& filling, std::string_view stored, FilledText& filled) {
  if (stored.empty()) return;  // as most parameters are: nothing to reserve
  filled.text.reserve(stored.size() + filling.typed.size());
  for (size_t i = 0; i < stored.size();) {
    const size_t taken = PutFilledAt(filling, stored, i, filled);
    i += taken == 0 ? PutStoredAt(filled, stored, i) : taken;
  }
}

// Who reads the parameters, asked only of those where a value may go. The shell hands a
// batch file's line to cmd.exe; a bare name is looked up as for Ctrl+Shift+Enter.
FilledText ParametersFor(std::string_view command, std::string_view parameters, const CommandSources& sources) {
  FilledText filled;
  if (parameters.find_first_of("{%") == std::string_view::npos) return filled;
  const std::string_view bare = BareName(command);
  const bool batchFile = NamesBatchFile(command) || (!bare.empty() && FileExtension(bare).empty() &&
                                                     NamesBatchFile(sources.programOnSearchPath(bare)));
  if (!batchFile) {
    filled.reader = TextReader::Program;
    return filled;
  }
  const CommandProcessor processor = sources.commandProcessor();
  filled.reader = TextReader::BatchFile;
  filled.batchExpandsExclamation = processor.delayedExpansion;
  filled.batchHasExtensions = processor.extensions;
  return filled;
}

}  // namespace

ExpandedKey ExpandKeyCommand(const KeyEntry& entry, std::string_view typed, const CommandSources& sources) {
  Filling filling{typed, sources, std::max(HighestWordNamed(entry.command), HighestWordNamed(entry.parameters))};
  FilledText command;
  Fill(filling, entry.command, command);
  for (const KeyReplacement& pair : entry.replacements) ReplaceAll(command.text, pair);
  FilledText parameters = ParametersFor(command.text, entry.parameters, sources);
  Fill(filling, entry.parameters, parameters);
  return {std::move(command.text), std::move(parameters.text), parameters.refused};
}
