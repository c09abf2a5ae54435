#include "command/filled_text.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

// The scheme comes before any slot, so the argument filled so far tells.
bool InWebAddress(const FilledText& filled) {
  const std::string_view argument =
      std::string_view(filled.text).substr(std::min(filled.argumentStart, filled.text.size()));
  return StartsWithIgnoringCase(argument, "http://") || StartsWithIgnoringCase(argument, "https://");
}

// In a web address '&' would end the query parameter and '#' would start the fragment,
// cutting a search for "AT&T" or "C#" short. Parameters reach the address as they are,
// where a '+' would read as a blank and a quote is no character of an address; a
// command's '+' and '"' are escaped with the rest of it.
std::string ForWebAddress(std::string_view value, bool parameters) {
  std::string encoded;
  for (const char c : value) {
    if (c == '&')
      encoded += "%26";
    else if (c == '#')
      encoded += "%23";
    else if (parameters && c == '+')
      encoded += "%2B";
    else if (parameters && c == '"')
      encoded += "%22";
    else
      encoded += c;
  }
  return encoded;
}

// A character that ends the run of backslashes at the text's end.
void Append(FilledText& filled, char c) {
  filled.text += c;
  filled.storedBackslashes = filled.literalBackslashes = 0;
}

// A reader halves the backslashes before a quote it takes as one, so those meant as
// themselves are doubled there.
void DoubleLiteralBackslashes(FilledText& filled) {
  filled.text.append(filled.literalBackslashes, '\\');
}

void CloseQuote(FilledText& filled) {
  filled.closedRunStart = filled.text.size() - filled.storedBackslashes - filled.literalBackslashes;
  filled.closedRunMeaning = filled.literalBackslashes + filled.storedBackslashes / 2;
  DoubleLiteralBackslashes(filled);
  Append(filled, '"');
  filled.closedAt = filled.text.size();
  filled.quoted = false;
}

// Right after a closing quote, which only a slot can bring there, an opening one would
// make a doubled quote: a quote character to programs since 2008, the end of the quotes
// to older ones. The closing quote is taken back instead, and the backslashes before it
// are cut to as many as they stood for, which are now themselves.
void OpenQuote(FilledText& filled) {
  if (filled.closedAt == filled.text.size()) {
    filled.text.resize(filled.closedRunStart + filled.closedRunMeaning);
    filled.literalBackslashes = filled.closedRunMeaning;
    filled.storedBackslashes = 0;
  } else {
    DoubleLiteralBackslashes(filled);
    Append(filled, '"');
  }
  filled.closedAt = std::string::npos;
  filled.quoted = true;
}

// CommandLineToArgvW's rules: blanks and tabs outside quotes separate arguments; 2n
// backslashes and a quote are n backslashes and a quote that opens or closes, 2n+1 and a
// quote are n and a quote character; other backslashes are themselves. A doubled quote
// the user wrote inside quotes is taken as programs built since 2008 read it: a quote
// character, the quotes going on.
size_t PutStoredForProgram(FilledText& filled, std::string_view stored, size_t position) {
  const char c = stored[position];
  if (c == '\\') {
    filled.text += c;
    ++filled.storedBackslashes;
    return 1;
  }
  if (c != '"') {
    Append(filled, c);
    if (!filled.quoted && (c == ' ' || c == '\t')) filled.argumentStart = filled.text.size();
    return 1;
  }
  if (filled.storedBackslashes % 2 == 1) {
    DoubleLiteralBackslashes(filled);
    Append(filled, c);
  } else if (filled.quoted && position + 1 < stored.size() && stored[position + 1] == '"') {
    DoubleLiteralBackslashes(filled);
    filled.text += c;
    Append(filled, c);
    return 2;
  } else if (filled.quoted) {
    CloseQuote(filled);
  } else {
    OpenQuote(filled);
    filled.argumentStart = filled.text.size();
  }
  return 1;
}

// Inside quotes a quote character is written \" after its backslashes doubled; outside,
// a value with blanks, tabs or quotes goes in quotes of its own.
void PutValueForProgram(FilledText& filled, std::string_view value) {
  const bool ownQuotes = !filled.quoted && value.find_first_of(" \t\"") != std::string_view::npos;
  if (ownQuotes) OpenQuote(filled);
  for (const char c : value) {
    if (c == '\\') {
      filled.text += c;
      ++filled.literalBackslashes;
    } else if (c == '"') {
      filled.text.append(filled.literalBackslashes + 1, '\\');
      Append(filled, c);
    } else {
      Append(filled, c);
    }
  }
  if (ownQuotes) CloseQuote(filled);
}

// cmd.exe's rules: every quote opens or closes; outside quotes '^' makes the next
// character itself; blanks, tabs, ',', ';' and '=' separate a batch file's arguments.
size_t PutStoredForBatch(FilledText& filled, char c) {
  const bool escaped = std::exchange(filled.caretBefore, false);
  if (c == '\\' && !escaped) {
    filled.text += c;
    ++filled.storedBackslashes;
    return 1;
  }
  if (c == '"' && !escaped) {
    // For what the batch file hands its arguments on to, as before a program's closing quote.
    if (filled.quoted) DoubleLiteralBackslashes(filled);
    filled.quoted = !filled.quoted;
  }
  filled.caretBefore = c == '^' && !escaped && !filled.quoted;
  Append(filled, c);
  if ((c == '"' && filled.quoted) || (!filled.quoted && (c == ' ' || c == '\t')))
    filled.argumentStart = filled.text.size();
  return 1;
}

// Outside quotes these are themselves to cmd.exe and part of one argument; anything else
// in a value (a blank, a separator, an operator, a quote, a letter beyond ASCII, which
// cmd.exe may take for a blank) puts it in quotes, where only '%', '!' and line breaks
// keep a meaning.
bool BatchTakesAsItIs(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) ||
         std::string_view("#$*+-./:?@\\_").find(c) != std::string_view::npos;
}

bool BatchRefuses(const FilledText& filled, std::string_view value) {
  // The stored text's '^' would take the value's first character as itself, a quote of
  // ours too.
  if (filled.caretBefore && !value.empty()) return true;
  for (const char c : value)
    if (c == '\r' || c == '\n' || (c == '!' && filled.batchExpandsExclamation) ||
        (c == '%' && !filled.batchHasExtensions))
      return true;
  return false;
}

// As Rust's standard library hands arguments to a batch file: a quote is doubled, which
// leaves cmd.exe inside the quotes, and the backslashes before it and before a closing
// quote are doubled for what the batch file hands them to. A value that ends in a
// backslash goes in quotes, so that a batch file's own "%~1" cannot end in \".
void PutValueForBatch(FilledText& filled, std::string_view value) {
  if (BatchRefuses(filled, value)) {
    filled.refused = true;
    return;
  }
  const bool ownQuotes = !filled.quoted && !value.empty() &&
                         (!std::all_of(value.begin(), value.end(), BatchTakesAsItIs) || value.back() == '\\');
  if (ownQuotes) Append(filled, '"');
  for (const char c : value) {
    if (c == '\\') {
      filled.text += c;
      ++filled.literalBackslashes;
    } else if (c == '"') {
      DoubleLiteralBackslashes(filled);
      filled.text += c;
      Append(filled, c);
    } else if (c == '%') {
      // cmd.exe expands %NAME% even inside quotes, and "%%" is no escape outside a batch
      // file. So the '%' is followed by "%cd:~,%", an empty part of the variable cd (which
      // always exists): cmd.exe puts nothing for it, and the '%' before it, which begins
      // no name, stays itself; "%COMSPEC%" arrives as written. This needs the command
      // extensions, without which such a value is refused.
      filled.text += "%%cd:~,";
      Append(filled, c);
    } else {
      Append(filled, c);
    }
  }
  if (ownQuotes) {
    DoubleLiteralBackslashes(filled);
    Append(filled, '"');
  }
}

}  // namespace

size_t PutStoredAt(FilledText& filled, std::string_view stored, size_t position) {
  switch (filled.reader) {
    case TextReader::Program:
      return PutStoredForProgram(filled, stored, position);
    case TextReader::BatchFile:
      return PutStoredForBatch(filled, stored[position]);
    case TextReader::Shell:
      break;
  }
  filled.text += stored[position];
  return 1;
}

void PutValue(FilledText& filled, std::string_view value) {
  if (filled.reader == TextReader::Shell) {
    if (InWebAddress(filled))
      filled.text += ForWebAddress(value, false);
    else
      filled.text += value;
    return;
  }
  // A zero byte would end the parameters the shell is handed, closing quotes and all.
  if (value.find('\0') != std::string_view::npos) filled.refused = true;
  // The slot ends the stored text's backslashes: they stand for themselves.
  filled.literalBackslashes += filled.storedBackslashes;
  filled.storedBackslashes = 0;
  const std::string encoded = InWebAddress(filled) ? ForWebAddress(value, true) : std::string(value);
  if (filled.reader == TextReader::Program)
    PutValueForProgram(filled, encoded);
  else
    PutValueForBatch(filled, encoded);
}
