#include "keys/key_text_format.h"

namespace {

const char LINE_END[] = "\r\n";
const char FIELD_SEPARATOR = '\t';
const char PAIR_SEPARATOR = '=';
const char ESCAPE = '\\';
constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
// The flag field, and the fields before the pairs.
constexpr size_t FLAG_FIELD = 3;
constexpr size_t FIXED_FIELDS = 4;

// A bare = parts a pair; elsewhere it stands for itself, so that addresses stay legible.
void PutText(std::string& out, std::string_view text, TextToUtf8 toUtf8, bool inPair) {
  const std::string converted = toUtf8 ? toUtf8(text) : std::string(text);
  for (const char c : converted) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case ESCAPE:
        out += "\\\\";
        break;
      case PAIR_SEPARATOR:
        if (inPair) out += ESCAPE;
        out += c;
        break;
      default:
        out += c;
    }
  }
}

// Cuts the next line, without its line end, off the front of rest.
std::string_view NextLine(std::string_view& rest) {
  const size_t end = rest.find('\n');
  std::string_view line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t end = line.find(FIELD_SEPARATOR, start);
    fields.push_back(line.substr(start, end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

bool ReadText(std::string_view field, TextFromUtf8 fromUtf8, std::string& text) {
  std::string utf8;
  utf8.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != ESCAPE) {
      utf8 += field[i];
      continue;
    }
    if (++i == field.size()) return false;
    switch (field[i]) {
      case 't':
        utf8 += '\t';
        break;
      case 'n':
        utf8 += '\n';
        break;
      case 'r':
        utf8 += '\r';
        break;
      case ESCAPE:
      case PAIR_SEPARATOR:
        utf8 += field[i];
        break;
      default:
        return false;
    }
  }
  if (!fromUtf8)
    text = std::move(utf8);
  else if (!fromUtf8(utf8, text))
    return false;
  return text.size() <= MAX_KEY_TEXT_LENGTH && text.find('\0') == std::string::npos;
}

// The position of the pair's one bare separator, or npos when it has none or several.
size_t PairSeparator(std::string_view field) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == ESCAPE) {
      ++i;
    } else if (field[i] == PAIR_SEPARATOR) {
      if (found != std::string_view::npos) return std::string_view::npos;
      found = i;
    }
  }
  return found;
}

bool ReadEntry(std::string_view line, TextFromUtf8 fromUtf8, KeyEntry& entry) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.size() < FIXED_FIELDS || fields.size() - FIXED_FIELDS > MAX_KEY_REPLACEMENTS) return false;
  const std::string_view flag = fields[FLAG_FIELD];
  if (flag != "0" && flag != "1") return false;
  entry.minimizeAfterRunning = flag == "1" ? 1 : 0;
  if (!ReadText(fields[0], fromUtf8, entry.key) || !ReadText(fields[1], fromUtf8, entry.command) ||
      !ReadText(fields[2], fromUtf8, entry.parameters))
    return false;
  for (size_t i = FIXED_FIELDS; i < fields.size(); ++i) {
    const size_t separator = PairSeparator(fields[i]);
    KeyReplacement pair;
    if (separator == std::string_view::npos || !ReadText(fields[i].substr(0, separator), fromUtf8, pair.from) ||
        !ReadText(fields[i].substr(separator + 1), fromUtf8, pair.to))
      return false;
    entry.replacements.push_back(std::move(pair));
  }
  return true;
}

}  // namespace

std::string EncodeKeyText(const KeyEntryStore& store, TextToUtf8 toUtf8) {
  std::string out = std::string(KEY_TEXT_HEADER) + LINE_END;
  for (size_t i = store.builtinCount; i < store.entries.size(); ++i) {
    const KeyEntry& entry = store.entries[i];
    if (entry.removalPending) continue;
    PutText(out, entry.key, toUtf8, false);
    out += FIELD_SEPARATOR;
    PutText(out, entry.command, toUtf8, false);
    out += FIELD_SEPARATOR;
    PutText(out, entry.parameters, toUtf8, false);
    out += FIELD_SEPARATOR;
    out += entry.minimizeAfterRunning ? '1' : '0';
    for (const KeyReplacement& pair : entry.replacements) {
      out += FIELD_SEPARATOR;
      PutText(out, pair.from, toUtf8, true);
      out += PAIR_SEPARATOR;
      PutText(out, pair.to, toUtf8, true);
    }
    out += LINE_END;
  }
  return out;
}

KeyTextRead DecodeKeyText(std::string_view file, TextFromUtf8 fromUtf8) {
  KeyTextRead read;
  if (file.substr(0, BYTE_ORDER_MARK.size()) == BYTE_ORDER_MARK) file.remove_prefix(BYTE_ORDER_MARK.size());
  if (NextLine(file) != KEY_TEXT_HEADER) return read;
  read.isKeyText = true;
  while (!file.empty()) {
    const std::string_view line = NextLine(file);
    if (line.empty()) continue;
    KeyEntry entry;
    if (ReadEntry(line, fromUtf8, entry))
      read.entries.push_back(std::move(entry));
    else
      ++read.unreadableLines;
  }
  return read;
}
