#include "command/builtin_keywords.h"

#include "keys/key_entry_store.h"

namespace {

// The services behind the web key words. Only the host is ours to choose: the path and
// query after it are fixed, and each host still answers them (some by forwarding to
// the service's current address).
struct WebKeyword {
  const char* key;
  const char* host;
  const char* pathAndQuery;
  const char* blanksBecome = nullptr;  // in the finished address
};

const WebKeyword WEB_KEYWORDS[] = {
    {"g", "www.google.com", "/search?q=%s"},
    {"av", "www.altavista.com", "/web/results?q=%s"},
    {"d", "www.dictionary.com", "/search?q=%s"},
    {"a", "www.amazon.com",
     "/exec/obidos/search-handle-url/index%3Dblended%26field-keywords%3D%s%26store-name%3Dall-product-search/"
     "305-8812046-1937520"},
    {"y", "search.yahoo.com", "/search?p=%s"},
    {"ebay", "search.ebay.com", "/%s", "-"},  // its search takes words joined by hyphens
    {"imdb", "www.imdb.com", "/find?q=%s"},
    {"t", "www.thesaurus.com", "/search?q=%s"},
    {"gnews", "news.google.com", "/news?&q=%s"},
    {"gmail", "mail.google.com", "/"},
    {"gi", "images.google.com", "/images?q=%s"},
    {"wiki", "en.wikipedia.org", "/w/wiki.phtml?search=%s"},
    {"/.", "slashdot.org", "/"},
    {"hotmail", "www.hotmail.com", "/"},
    {"cc", "search.creativecommons.org", "/index.jsp?q=%s"},
};

// Programs the shell finds by name.
const char* const PROGRAM_KEYWORDS[][2] = {
    {"wmp", "wmplayer"},
    {"calc", "calc"},
    {"note", "notepad"},
};

}  // namespace

void AddBuiltinKeywords() {
  for (const WebKeyword& web : WEB_KEYWORDS) {
    KeyEntry entry;
    entry.key = web.key;
    // Over https, so that the words searched for never cross the network in clear.
    entry.command = std::string("https://") + web.host + web.pathAndQuery;
    if (web.blanksBecome) entry.replacements.push_back({" ", web.blanksBecome});
    keyEntryStore.Append(std::move(entry));
  }
  for (const auto& program : PROGRAM_KEYWORDS) {
    KeyEntry entry;
    entry.key = program[0];
    entry.command = program[1];
    keyEntryStore.Append(std::move(entry));
  }
  keyEntryStore.SealBuiltins();
}

bool IsBuiltinKey(std::string_view text) {
  return keyEntryStore.IsBuiltinKey(text);
}
