#pragma once
#include <string>
#include <string_view>

// The program keeps its texts as bytes in the system's ANSI code page, which is UTF-8
// where Windows honours the program's manifest; files written for people to read and
// edit are UTF-8. Every conversion between code pages is here.

// Whether the program's code page is UTF-8.
bool ProgramSpeaksUtf8();

// Brings a text read from one of the program's own files into the program's code page, in
// place. Earlier versions wrote texts in the user's legacy code page: where the program
// speaks UTF-8, a stored text that is not valid UTF-8 is taken as written in that one and
// converted. Plain ASCII and valid UTF-8 never change, and are not copied; nor does a text
// that would no longer fit the limit of its field once converted: it is kept as it was,
// so that nothing is lost.
void ConvertTextFromFile(std::string& text, size_t limit);

std::string AnsiToUtf8(std::string_view ansi);

// Text that Windows gives as UTF-16, in the program's code page; a character the code page
// lacks becomes its default character.
std::string WideToAnsi(std::wstring_view wide);

// The command box, a Unicode edit control, counts its caret in UTF-16 units where the
// program's texts count bytes: the places in text that stand for each other.
size_t BytesBeforeCharacter(std::string_view text, size_t characters);
size_t CharactersBeforeByte(std::string_view text, size_t bytes);

// The length of the longest start of text of at most limit bytes that does not end
// inside a character of the program's code page.
size_t TextCutLength(std::string_view text, size_t limit);

// False for bytes that are not UTF-8, or for a character the ANSI code page lacks.
bool Utf8ToAnsi(std::string_view utf8, std::string& ansi);

// UTF-16 and UTF-8, whatever the program's code page: the catalog of programs keeps the
// names the shell gives in UTF-16 as UTF-8.
std::string WideToUtf8(std::wstring_view wide);
std::wstring Utf8ToWide(std::string_view utf8);

// Text of the program's code page in UTF-16, for the system's wide functions.
std::wstring AnsiToWide(std::string_view ansi);
