#include "tools/art/png_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void putBig32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (const std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

// Deflate's bit stream: values go in from their lowest bit, Huffman codes from their highest.
class BitWriter {
 public:
  explicit BitWriter(Bytes& out) : out_(out) {}
  void bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bit((value >> i) & 1u);
  }
  void code(std::uint32_t value, int length) {
    for (int i = length - 1; i >= 0; --i) bit((value >> i) & 1u);
  }
  void flush() {
    if (used_) out_.push_back(current_);
    current_ = 0;
    used_ = 0;
  }

 private:
  void bit(std::uint32_t b) {
    current_ = static_cast<std::uint8_t>(current_ | b << used_);
    if (++used_ == 8) flush();
  }
  Bytes& out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

const unsigned LENGTH_BASE[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int LENGTH_EXTRA[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const unsigned DISTANCE_BASE[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                  33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int DISTANCE_EXTRA[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                              6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the lengths of its code-length code (3.2.7).
const int CODE_LENGTH_ORDER[] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// A literal (distance 0) or a match of the LZ77 pass.
struct Token {
  unsigned value;  // the byte, or the match's length
  unsigned distance;
};

int lengthSymbol(unsigned length) {
  int l = 28;
  while (LENGTH_BASE[l] > length) --l;
  return l;
}

int distanceSymbol(unsigned distance) {
  int d = 29;
  while (DISTANCE_BASE[d] > distance) --d;
  return d;
}

// Code lengths of a Huffman code for these counts, none longer than limit: where the
// code would be longer, the counts are halved (keeping every used symbol) until it fits.
std::vector<int> codeLengths(std::vector<std::size_t> counts, int limit) {
  for (;;) {
    // Nodes: the symbols, then the merged pairs; parent links give each leaf its depth.
    std::vector<std::size_t> weight;
    std::vector<int> parent;
    std::vector<int> open;
    for (std::size_t s = 0; s < counts.size(); ++s) {
      if (counts[s] == 0) continue;
      open.push_back(static_cast<int>(weight.size()));
      weight.push_back(counts[s]);
      parent.push_back(-1);
    }
    const std::size_t leaves = weight.size();
    std::vector<int> lengths(counts.size(), 0);
    if (leaves == 1) {
      for (std::size_t s = 0; s < counts.size(); ++s) lengths[s] = counts[s] ? 1 : 0;
      return lengths;
    }
    while (open.size() > 1) {
      // The two lightest, the earlier first among equals, so that the code depends on the counts alone.
      std::sort(open.begin(), open.end(), [&](int a, int b) { return weight[a] != weight[b] ? weight[a] < weight[b] : a < b; });
      const int node = static_cast<int>(weight.size());
      weight.push_back(weight[open[0]] + weight[open[1]]);
      parent.push_back(-1);
      parent[open[0]] = parent[open[1]] = node;
      open.erase(open.begin(), open.begin() + 2);
      open.push_back(node);
    }
    int longest = 0;
    for (std::size_t s = 0, leaf = 0; s < counts.size(); ++s) {
      if (counts[s] == 0) continue;
      int depth = 0;
      for (int node = static_cast<int>(leaf++); parent[node] >= 0; node = parent[node]) ++depth;
      lengths[s] = depth;
      longest = std::max(longest, depth);
    }
    if (longest <= limit) return lengths;
    for (std::size_t& count : counts) count = count ? (count + 1) / 2 : 0;
  }
}

// The canonical codes of these lengths (3.2.2).
std::vector<std::uint32_t> canonicalCodes(const std::vector<int>& lengths) {
  std::vector<std::uint32_t> counts(16, 0), next(16, 0), codes(lengths.size(), 0);
  for (const int length : lengths) ++counts[length];
  counts[0] = 0;
  for (int bits = 1, code = 0; bits < 16; ++bits) next[bits] = code = (code + counts[bits - 1]) << 1;
  for (std::size_t s = 0; s < lengths.size(); ++s)
    if (lengths[s]) codes[s] = next[lengths[s]]++;
  return codes;
}

// The greedy LZ77 pass: matches are the longest that a bounded walk along the chain of
// earlier places with the same three bytes finds.
std::vector<Token> matches(const Bytes& data) {
  const std::size_t WINDOW = 32768, HASHES = 1 << 15, NONE = SIZE_MAX;
  const unsigned MAX_MATCH = 258, CHAIN = 256;
  std::vector<std::size_t> head(HASHES, NONE), previous(data.size(), NONE);
  const auto hash = [&](std::size_t i) { return (data[i] << 10 ^ data[i + 1] << 5 ^ data[i + 2]) & (HASHES - 1); };
  const auto insert = [&](std::size_t i) {
    if (i + 2 >= data.size()) return;
    previous[i] = head[hash(i)];
    head[hash(i)] = i;
  };
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < data.size();) {
    unsigned best = 0;
    std::size_t bestFrom = 0;
    if (i + 2 < data.size()) {
      std::size_t candidate = head[hash(i)];
      for (unsigned steps = 0; candidate != NONE && i - candidate <= WINDOW && steps < CHAIN; ++steps) {
        const unsigned limit = static_cast<unsigned>(std::min<std::size_t>(MAX_MATCH, data.size() - i));
        unsigned length = 0;
        while (length < limit && data[candidate + length] == data[i + length]) ++length;
        if (length > best) {
          best = length;
          bestFrom = candidate;
        }
        candidate = previous[candidate];
      }
    }
    if (best >= 3) {
      tokens.push_back({best, static_cast<unsigned>(i - bestFrom)});
      for (unsigned k = 0; k < best; ++k) insert(i + k);
      i += best;
    } else {
      tokens.push_back({data[i], 0});
      insert(i);
      ++i;
    }
  }
  return tokens;
}

// The lengths of both codes, run-length coded with the symbols 16 to 18 of the code-length
// code: each entry a symbol and the value of its extra bits.
std::vector<std::pair<int, int>> runLengths(const std::vector<int>& lengths) {
  std::vector<std::pair<int, int>> runs;
  for (std::size_t i = 0; i < lengths.size();) {
    std::size_t run = 1;
    while (i + run < lengths.size() && lengths[i + run] == lengths[i]) ++run;
    if (lengths[i] == 0 && run >= 11) {
      run = std::min<std::size_t>(run, 138);
      runs.push_back({18, static_cast<int>(run - 11)});
    } else if (lengths[i] == 0 && run >= 3) {
      run = std::min<std::size_t>(run, 10);
      runs.push_back({17, static_cast<int>(run - 3)});
    } else if (lengths[i] != 0 && run >= 4) {
      run = std::min<std::size_t>(run, 7);
      runs.push_back({lengths[i], 0});
      runs.push_back({16, static_cast<int>(run - 4)});
    } else {
      run = 1;
      runs.push_back({lengths[i], 0});
    }
    i += run;
  }
  return runs;
}

// One final block of dynamic Huffman codes, made for the data's own symbols (3.2.7).
Bytes deflate(const Bytes& data) {
  const std::vector<Token> tokens = matches(data);
  std::vector<std::size_t> literalCounts(286, 0), distanceCounts(30, 0);
  for (const Token& token : tokens) {
    if (token.distance == 0) {
      ++literalCounts[token.value];
    } else {
      ++literalCounts[257 + lengthSymbol(token.value)];
      ++distanceCounts[distanceSymbol(token.distance)];
    }
  }
  ++literalCounts[256];  // end of block
  if (std::count(distanceCounts.begin(), distanceCounts.end(), 0u) == 30) distanceCounts[0] = 1;
  const std::vector<int> literalLengths = codeLengths(literalCounts, 15), distanceLengths = codeLengths(distanceCounts, 15);
  const std::vector<std::uint32_t> literalCodes = canonicalCodes(literalLengths), distanceCodes = canonicalCodes(distanceLengths);
  std::vector<int> bothLengths(literalLengths);
  bothLengths.insert(bothLengths.end(), distanceLengths.begin(), distanceLengths.end());
  const std::vector<std::pair<int, int>> runs = runLengths(bothLengths);
  std::vector<std::size_t> runCounts(19, 0);
  for (const auto& run : runs) ++runCounts[run.first];
  const std::vector<int> runLengthsOfCode = codeLengths(runCounts, 7);
  const std::vector<std::uint32_t> runCodes = canonicalCodes(runLengthsOfCode);
  int codeLengthCount = 19;
  while (codeLengthCount > 4 && runLengthsOfCode[CODE_LENGTH_ORDER[codeLengthCount - 1]] == 0) --codeLengthCount;

  Bytes out;
  BitWriter bits(out);
  bits.bits(1, 1);  // the final block
  bits.bits(2, 2);  // dynamic Huffman codes
  bits.bits(286 - 257, 5);
  bits.bits(30 - 1, 5);
  bits.bits(static_cast<std::uint32_t>(codeLengthCount - 4), 4);
  for (int i = 0; i < codeLengthCount; ++i)
    bits.bits(static_cast<std::uint32_t>(runLengthsOfCode[CODE_LENGTH_ORDER[i]]), 3);
  const int RUN_EXTRA[] = {2, 3, 7};  // the extra bits of 16, 17 and 18
  for (const auto& [symbol, extra] : runs) {
    bits.code(runCodes[symbol], runLengthsOfCode[symbol]);
    if (symbol >= 16) bits.bits(static_cast<std::uint32_t>(extra), RUN_EXTRA[symbol - 16]);
  }
  for (const Token& token : tokens) {
    if (token.distance == 0) {
      bits.code(literalCodes[token.value], literalLengths[token.value]);
      continue;
    }
    const int l = lengthSymbol(token.value), d = distanceSymbol(token.distance);
    bits.code(literalCodes[257 + l], literalLengths[257 + l]);
    bits.bits(token.value - LENGTH_BASE[l], LENGTH_EXTRA[l]);
    bits.code(distanceCodes[d], distanceLengths[d]);
    bits.bits(token.distance - DISTANCE_BASE[d], DISTANCE_EXTRA[d]);
  }
  bits.code(literalCodes[256], literalLengths[256]);
  bits.flush();
  return out;
}

int paeth(int left, int up, int upLeft) {
  const int p = left + up - upLeft;
  const int toLeft = std::abs(p - left), toUp = std::abs(p - up), toUpLeft = std::abs(p - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return left;
  return toUp <= toUpLeft ? up : upLeft;
}

// Each row behind the filter that leaves the smallest bytes (as signed), the usual guess
// at what compresses best.
Bytes filteredRows(const Bytes& rgba, int width, int height) {
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  Bytes out;
  Bytes zero(stride, 0);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = &rgba[static_cast<std::size_t>(y) * stride];
    const std::uint8_t* above = y ? row - stride : zero.data();
    Bytes best;
    long bestCost = -1;
    for (int filter = 0; filter < 5; ++filter) {
      Bytes candidate{static_cast<std::uint8_t>(filter)};
      long cost = 0;
      for (std::size_t i = 0; i < stride; ++i) {
        const int left = i >= 4 ? row[i - 4] : 0, up = above[i], upLeft = i >= 4 ? above[i - 4] : 0;
        const int predictions[] = {0, left, up, (left + up) / 2, paeth(left, up, upLeft)};
        const auto byte = static_cast<std::uint8_t>(row[i] - predictions[filter]);
        candidate.push_back(byte);
        cost += byte < 128 ? byte : 256 - byte;
      }
      if (bestCost < 0 || cost < bestCost) {
        bestCost = cost;
        best = candidate;
      }
    }
    out.insert(out.end(), best.begin(), best.end());
  }
  return out;
}

void chunk(Bytes& out, const char* type, const Bytes& data) {
  putBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBig32(out, crc32(&out[start], out.size() - start));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const std::vector<std::uint8_t>& rgba, int width, int height) {
  Bytes header;
  putBig32(header, static_cast<std::uint32_t>(width));
  putBig32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, standard filters, no interlace

  const Bytes rows = filteredRows(rgba, width, height);
  Bytes compressed = {0x78, 0xDA};  // zlib: deflate in a 32 KB window
  const Bytes blocks = deflate(rows);
  compressed.insert(compressed.end(), blocks.begin(), blocks.end());
  putBig32(compressed, adler32(rows));

  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  chunk(out, "IHDR", header);
  chunk(out, "IDAT", compressed);
  chunk(out, "IEND", {});
  return out;
}
