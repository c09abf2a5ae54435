#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Who reads a filled text, and so how a value put into it must be written.
enum class TextReader {
  Shell,      // a command: the shell takes it whole as a file or an address
  Program,    // a program's parameters, split as CommandLineToArgvW does
  BatchFile,  // a batch file's parameters, which cmd.exe reads first
};

// A key word's command or parameters as they are filled: the stored text copied as the
// user wrote it, the values of placeholders put in so that each reaches its reader as it
// was. In parameters a value never opens or closes a quote of the stored text nor starts
// another argument: where the stored text is outside quotes, a value with blanks or
// quotes is put in quotes of its own, so each placeholder stays within one argument. A
// slot counts as a character that is neither a quote nor a backslash, so that the stored
// text means the same whatever goes in: in "C:\dir\{1}" the backslash is the folder's.
struct FilledText {
  TextReader reader = TextReader::Shell;
  bool batchExpandsExclamation = false;  // cmd.exe's delayed expansion is on
  bool batchHasExtensions = true;        // cmd.exe's command extensions are on
  std::string text{};
  bool refused = false;  // a value that cannot reach a batch file safely came

  // How the stored text stands where the next character goes.
  bool quoted = false;       // inside its double quotes
  bool caretBefore = false;  // after cmd.exe's escape character, outside quotes
  // The backslashes at the text's end: those the stored text has just before what comes
  // next, and those meant as themselves (a value's, or the stored text's before a slot).
  size_t storedBackslashes = 0, literalBackslashes = 0;
  size_t argumentStart = 0;  // where the argument being filled begins in text
  // Where the text ends with a closing quote, the text's size then, and the backslashes
  // before it: where they begin and how many they stand for.
  size_t closedAt = std::string::npos, closedRunStart = 0, closedRunMeaning = 0;
};

// Copies the stored character at position and returns how many were taken (two for a
// doubled quote inside quotes).
size_t PutStoredAt(FilledText& filled, std::string_view stored, size_t position);

// Puts a placeholder's value in. In what is read as a web address (a command, or an
// argument of the parameters, that begins with http:// or https://), '&' and '#' are
// encoded, and in parameters '+' and '"' too. A batch file's value is refused (refused
// set, the text unusable) where it holds a line break or a zero byte, a '!' while
// delayed expansion is on, a '%' while the extensions are off, or follows an escape
// character of the stored text: cmd.exe would read those as its own.
void PutValue(FilledText& filled, std::string_view value);
