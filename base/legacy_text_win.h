#pragma once
#include <string>

// Where Windows honours the program's manifest, its code page is UTF-8, and every text it
// keeps in its files is written as UTF-8. Earlier versions wrote them in the user's
// legacy code page: a stored text that is not valid UTF-8 is taken as written in that
// one and converted. Elsewhere (older Windows) texts stay as they are.
bool ProgramSpeaksUtf8();

// A text read from one of the program's files, in the program's code page. Plain ASCII
// and valid UTF-8 never change; nor does a text that would no longer fit the limit of its
// field once converted: it is kept as it was, so that nothing of it is lost.
std::string TextFromFile(const std::string& stored, size_t limit);
