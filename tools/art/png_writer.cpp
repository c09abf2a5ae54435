#include "tools/art/png_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

// The fixed literal/length code of RFC 1951, 3.2.6.
void literalOrLength(BitWriter& out, unsigned symbol) {
  if (symbol < 144)
    out.code(0x30 + symbol, 8);
  else if (symbol < 256)
    out.code(0x190 + symbol - 144, 9);
  else if (symbol < 280)
    out.code(symbol - 256, 7);
  else
    out.code(0xC0 + symbol - 280, 8);
}

const unsigned LENGTH_BASE[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int LENGTH_EXTRA[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const unsigned DISTANCE_BASE[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                  33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int DISTANCE_EXTRA[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                              6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void match(BitWriter& out, unsigned length, unsigned distance) {
  int l = 28;
  while (LENGTH_BASE[l] > length) --l;
  literalOrLength(out, 257 + static_cast<unsigned>(l));
  out.bits(length - LENGTH_BASE[l], LENGTH_EXTRA[l]);
  int d = 29;
  while (DISTANCE_BASE[d] > distance) --d;
  out.code(static_cast<std::uint32_t>(d), 5);
  out.bits(distance - DISTANCE_BASE[d], DISTANCE_EXTRA[d]);
}

// One final block of fixed codes; matches are the longest that a bounded walk along the
// chain of earlier places with the same three bytes finds.
Bytes deflate(const Bytes& data) {
  const std::size_t WINDOW = 32768, HASHES = 1 << 15, NONE = SIZE_MAX;
  const unsigned MAX_MATCH = 258, CHAIN = 256;
  std::vector<std::size_t> head(HASHES, NONE), previous(data.size(), NONE);
  const auto hash = [&](std::size_t i) { return (data[i] << 10 ^ data[i + 1] << 5 ^ data[i + 2]) & (HASHES - 1); };
  const auto insert = [&](std::size_t i) {
    if (i + 2 >= data.size()) return;
    previous[i] = head[hash(i)];
    head[hash(i)] = i;
  };
  Bytes out;
  BitWriter bits(out);
  bits.bits(1, 1);  // the final block
  bits.bits(1, 2);  // fixed Huffman codes
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
      match(bits, best, static_cast<unsigned>(i - bestFrom));
      for (unsigned k = 0; k < best; ++k) insert(i + k);
      i += best;
    } else {
      literalOrLength(bits, data[i]);
      insert(i);
      ++i;
    }
  }
  literalOrLength(bits, 256);  // end of block
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
