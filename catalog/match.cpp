#include "catalog/match.h"

#include <algorithm>

#include "base/utf8.h"
#include "catalog/catalog.h"
#include "catalog/fold.h"

namespace {

// How many steps the search for initials may take per place in a name, so that a name
// built to make it branch endlessly costs no more than an ordinary one.
constexpr int INITIALS_BUDGET = 64;

// Word separators: blanks and ASCII punctuation. Other bytes (letters, digits, anything
// beyond ASCII) make up words.
bool IsSeparator(char c) {
  const uint8_t b = static_cast<uint8_t>(c);
  return b < 0x80 && !(b >= 'a' && b <= 'z') && !(b >= '0' && b <= '9') && !(b >= 'A' && b <= 'Z');
}

bool IsContinuation(char c) {
  return (static_cast<uint8_t>(c) & 0xC0) == 0x80;
}

// One name as the matching walks it.
struct Name {
  std::string_view text;
  uint32_t innerStarts;

  bool IsStart(size_t p) const {
    if (IsSeparator(text[p])) return false;
    return p == 0 || IsSeparator(text[p - 1]) || (p < 32 && (innerStarts >> p & 1));
  }
  bool IsWordStart(size_t p) const { return !IsSeparator(text[p]) && (p == 0 || IsSeparator(text[p - 1])); }
  size_t WordEnd(size_t p) const {
    while (p < text.size() && !IsSeparator(text[p])) ++p;
    return p;
  }
  size_t NextStart(size_t p) const {
    while (p < text.size() && !IsStart(p)) ++p;
    return p;
  }
  bool Has(std::string_view piece, size_t p) const { return text.compare(p, piece.size(), piece) == 0; }
};

size_t CharacterLength(std::string_view text, size_t at) {
  size_t length = 1;
  while (at + length < text.size() && IsContinuation(text[at + length])) ++length;
  return length;
}

// Where the characters of letters end when found one after another in text from `from`
// on, before `limit`; 0 where they are not all there.
size_t InOrderEnd(std::string_view letters, std::string_view text, size_t from, size_t limit) {
  for (size_t at = 0; at < letters.size();) {
    const std::string_view letter = letters.substr(at, CharacterLength(letters, at));
    const size_t found = text.substr(0, limit).find(letter, from);
    if (found == std::string_view::npos) return 0;
    from = found + letter.size();
    at += letter.size();
  }
  return from;
}

// Whether word[done..] can be cut into pieces that each begin a word of the name, the
// first at p, the next at the following word's start or at a start inside the word
// between; sets end after the last piece.
bool InitialsFrom(const Name& name, std::string_view word, size_t done, size_t p, int& budget, size_t& end) {
  if (--budget < 0) return false;
  size_t common = 0;
  while (done + common < word.size() && p + common < name.text.size() && word[done + common] == name.text[p + common])
    ++common;
  for (size_t piece = common; piece > 0; --piece) {
    if (done + piece < word.size() && IsContinuation(word[done + piece])) continue;
    if (done + piece == word.size()) {
      end = p + piece;
      return true;
    }
    for (size_t q = p + piece; q < name.text.size(); ++q) {
      if (!name.IsStart(q)) continue;
      if (name.text[q] == word[done + piece] && InitialsFrom(name, word, done + piece, q, budget, end)) return true;
      if (name.IsWordStart(q)) break;  // a whole word is never skipped
    }
  }
  return false;
}

// The best match of one typed word beginning at p, and where it ends.
int ScoreAt(const Name& name, std::string_view word, size_t p, bool lettersAllowed, size_t& end) {
  const bool start = name.IsStart(p);
  if (name.Has(word, p)) {
    end = p + word.size();
    return start ? SCORE_WORD_PREFIX : SCORE_WORD_INSIDE;
  }
  const size_t wordEnd = name.WordEnd(p);
  if (start) {
    int budget = INITIALS_BUDGET;
    if (InitialsFrom(name, word, 0, p, budget, end)) return SCORE_WORD_INITIALS;
    const size_t first = CharacterLength(word, 0);
    if (!name.Has(word.substr(0, first), p)) return 0;
    end = InOrderEnd(word.substr(first), name.text, p + first, wordEnd);
    return end ? SCORE_WORD_START_LETTERS : 0;
  }
  if (!lettersAllowed) return 0;
  end = InOrderEnd(word, name.text, p, wordEnd);
  return end ? SCORE_WORD_LETTERS : 0;
}

// Whether a run of separators typed stands for the name's run: a typed blank stands for
// any, other marks must be the name's ("c++" is not "c#"); the run that ends the line need
// only begin the name's.
bool SeparatorsMatch(std::string_view typed, std::string_view name, bool lineEnds) {
  if (typed.find_first_not_of(' ') == std::string_view::npos) return true;
  size_t i = 0, j = 0;
  for (;;) {
    while (i < typed.size() && typed[i] == ' ') ++i;
    while (j < name.size() && name[j] == ' ') ++j;
    if (i == typed.size()) return lineEnds || j == name.size();
    if (j == name.size() || typed[i] != name[j]) return false;
    ++i, ++j;
  }
}

size_t SeparatorsEnd(std::string_view text, size_t at) {
  while (at < text.size() && IsSeparator(text[at])) ++at;
  return at;
}

// Whether the letters occur in the text in this order, which every match needs.
bool HasInOrder(std::string_view text, std::string_view letters) {
  size_t at = 0;
  for (const char c : letters) {
    at = text.find(c, at);
    if (at == std::string_view::npos) return false;
    ++at;
  }
  return true;
}

// The best match of a single typed word, where letters in order count too.
int BestScore(const Name& name, std::string_view word) {
  int best = 0;
  for (size_t p = name.text.find(word[0]); p != std::string_view::npos && best < SCORE_WORD_PREFIX;
       p = name.text.find(word[0], p + 1)) {
    size_t end;
    best = std::max(best, ScoreAt(name, word, p, true, end));
  }
  return best;
}

// The line against the whole name, the name's separators passed over where none is typed:
// all of it, its start or neither.
int ScoreWholeName(std::string_view line, std::string_view name) {
  size_t i = 0, j = 0;
  while (i < line.size()) {
    if (IsSeparator(line[i])) {
      const size_t lineRun = SeparatorsEnd(line, i), nameRun = SeparatorsEnd(name, j);
      if (nameRun == j ||
          !SeparatorsMatch(line.substr(i, lineRun - i), name.substr(j, nameRun - j), lineRun == line.size()))
        return 0;
      i = lineRun, j = nameRun;
      continue;
    }
    j = SeparatorsEnd(name, j);
    if (j == name.size() || line[i] != name[j]) return 0;
    ++i, ++j;
  }
  return SeparatorsEnd(name, j) == name.size() ? SCORE_WHOLE_NAME : SCORE_NAME_START;
}

}  // namespace

bool PrepareTypedLine(std::string_view typed, TypedLine& out) {
  out.line = FoldTypedText(typed);
  out.wordCount = 0;
  const std::string_view line = out.line;
  for (size_t at = 0; at < line.size();) {
    if (out.wordCount == MAX_TYPED_WORDS) return false;
    const size_t blank = std::min(line.find(' ', at), line.size());
    out.words[out.wordCount++] = line.substr(at, blank - at);
    at = blank + 1;
  }
  out.letters.clear();
  for (const char c : line)
    if (c != ' ') out.letters += c;
  out.mask = LetterMask(line);
  return out.wordCount > 0;
}

int ScoreName(const TypedLine& typed, std::string_view folded, uint32_t innerStarts) {
  const Name name = {folded.substr(0, Utf8CutLength(folded, MAX_MATCHED_LENGTH)), innerStarts};
  const size_t n = name.text.size();
  if (!HasInOrder(name.text, typed.letters)) return 0;
  const int whole = ScoreWholeName(typed.line, name.text);
  if (whole) return whole;
  const size_t k = typed.wordCount;
  if (k == 1) return BestScore(name, typed.words[0]);
  // best[i][q]: the weakest word's score when typed words i.. match from q on, found
  // backwards: a word's match at p leaves the next word the name from its next start on.
  int best[MAX_TYPED_WORDS + 1][MAX_MATCHED_LENGTH + 1];
  std::fill_n(best[k], n + 1, SCORE_WORD_PREFIX);
  for (size_t i = k; i-- > 0;) {
    const std::string_view word = typed.words[i];
    best[i][n] = 0;
    for (size_t p = n; p-- > 0;) {
      int score = best[i][p + 1];
      size_t end = 0;
      if (name.text[p] == word[0] && score < SCORE_WORD_PREFIX) {
        const int here = ScoreAt(name, word, p, false, end);
        if (here) score = std::max(score, std::min(here, best[i + 1][name.NextStart(end)]));
      }
      best[i][p] = score;
    }
  }
  return best[0][0];
}

bool IsProgramNameTyped(std::string_view line, std::string_view programName) {
  if (programName.empty() || line.size() < programName.size() || line.compare(0, programName.size(), programName))
    return false;
  const std::string_view rest = line.substr(programName.size());
  return rest.empty() || rest == ".exe";
}
