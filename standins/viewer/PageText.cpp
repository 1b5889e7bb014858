#include "standins/viewer/PageText.h"

#include <windows.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

namespace viewer {
namespace {

// A small inflater: stored, fixed and dynamic Huffman blocks.
class Inflater {
 public:
  explicit Inflater(const std::string& in) : in_(in) {}

  bool run(std::string* out) {
    int last = 0;
    do {
      last = bits(1);
      const int type = bits(2);
      if (failed_) return false;
      bool ok = type == 0 ? stored(out) : type == 1 ? fixed(out) : type == 2 ? dynamic(out) : false;
      if (!ok || failed_) return false;
    } while (!last);
    return true;
  }

 private:
  struct Huffman {
    std::vector<int> counts = std::vector<int>(16, 0);
    std::vector<int> symbols;
  };

  int bits(int need) {
    int value = 0;
    for (int i = 0; i < need; ++i) {
      if (byte_ >= in_.size()) {
        failed_ = true;
        return 0;
      }
      value |= ((static_cast<unsigned char>(in_[byte_]) >> bit_) & 1) << i;
      if (++bit_ == 8) {
        bit_ = 0;
        ++byte_;
      }
    }
    return value;
  }

  bool stored(std::string* out) {
    if (bit_) {
      bit_ = 0;
      ++byte_;
    }
    if (byte_ + 4 > in_.size()) return false;
    const unsigned length = static_cast<unsigned char>(in_[byte_]) | static_cast<unsigned char>(in_[byte_ + 1]) << 8;
    byte_ += 4;
    if (byte_ + length > in_.size()) return false;
    out->append(in_, byte_, length);
    byte_ += length;
    return true;
  }

  static bool build(Huffman* h, const int* lengths, int n) {
    h->symbols.assign(n, 0);
    for (int s = 0; s < n; ++s) h->counts[lengths[s]]++;
    h->counts[0] = 0;
    std::vector<int> offsets(16, 0);
    for (int len = 1; len < 16; ++len) offsets[len] = offsets[len - 1] + h->counts[len - 1];
    for (int s = 0; s < n; ++s)
      if (lengths[s]) h->symbols[offsets[lengths[s]]++] = s;
    return true;
  }

  int decode(const Huffman& h) {
    int code = 0, first = 0, index = 0;
    for (int len = 1; len < 16; ++len) {
      code |= bits(1);
      if (failed_) return -1;
      const int count = h.counts[len];
      if (code - count < first) return h.symbols[index + (code - first)];
      index += count;
      first = (first + count) << 1;
      code <<= 1;
    }
    return -1;
  }

  bool codes(std::string* out, const Huffman& lengthCodes, const Huffman& distanceCodes) {
    static const int kLengthBase[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                                      35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2,
                                       3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int kDistanceBase[] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129,
                                        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097,
                                        6145, 8193, 12289, 16385, 24577};
    static const int kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    for (;;) {
      const int symbol = decode(lengthCodes);
      if (symbol < 0) return false;
      if (symbol < 256) {
        out->push_back(static_cast<char>(symbol));
      } else if (symbol == 256) {
        return true;
      } else {
        const int l = symbol - 257;
        if (l >= 29) return false;
        const int length = kLengthBase[l] + bits(kLengthExtra[l]);
        const int d = decode(distanceCodes);
        if (d < 0 || d >= 30) return false;
        const size_t distance = static_cast<size_t>(kDistanceBase[d] + bits(kDistanceExtra[d]));
        if (failed_ || distance > out->size()) return false;
        for (int i = 0; i < length; ++i) out->push_back((*out)[out->size() - distance]);
      }
    }
  }

  bool fixed(std::string* out) {
    int lengths[288];
    for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    Huffman lengthCodes, distanceCodes;
    build(&lengthCodes, lengths, 288);
    for (int s = 0; s < 30; ++s) lengths[s] = 5;
    build(&distanceCodes, lengths, 30);
    return codes(out, lengthCodes, distanceCodes);
  }

  bool dynamic(std::string* out) {
    static const int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    const int nLength = bits(5) + 257, nDistance = bits(5) + 1, nCode = bits(4) + 4;
    if (failed_ || nLength > 286 || nDistance > 30) return false;
    int lengths[320] = {};
    for (int i = 0; i < nCode; ++i) lengths[kOrder[i]] = bits(3);
    Huffman codeCodes;
    build(&codeCodes, lengths, 19);
    int index = 0;
    while (index < nLength + nDistance) {
      int symbol = decode(codeCodes);
      if (symbol < 0) return false;
      if (symbol < 16) {
        lengths[index++] = symbol;
        continue;
      }
      int repeat = 0, value = 0;
      if (symbol == 16) {
        if (index == 0) return false;
        value = lengths[index - 1];
        repeat = 3 + bits(2);
      } else if (symbol == 17) {
        repeat = 3 + bits(3);
      } else {
        repeat = 11 + bits(7);
      }
      if (failed_ || index + repeat > nLength + nDistance) return false;
      while (repeat--) lengths[index++] = value;
    }
    Huffman lengthCodes, distanceCodes;
    build(&lengthCodes, lengths, nLength);
    build(&distanceCodes, lengths + nLength, nDistance);
    return codes(out, lengthCodes, distanceCodes);
  }

  const std::string& in_;
  size_t byte_ = 0;
  int bit_ = 0;
  bool failed_ = false;
};

bool isDelimiter(char c) { return std::isspace(static_cast<unsigned char>(c)) || std::strchr("()<>[]{}/%", c); }

// The byte offset of the `page`-th "/Type /Page" entry, as PdfPages counts them.
size_t pageEntry(const std::string& bytes, int page) {
  int count = 0;
  for (size_t at = bytes.find("/Type"); at != std::string::npos; at = bytes.find("/Type", at + 5)) {
    size_t p = at + 5;
    while (p < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[p]))) ++p;
    if (bytes.compare(p, 5, "/Page") != 0) continue;
    if (p + 5 < bytes.size() && std::isalnum(static_cast<unsigned char>(bytes[p + 5]))) continue;
    if (count++ == page) return at;
  }
  return std::string::npos;
}

// The body of object `number` ("N 0 obj" up to "endobj").
std::string objectBody(const std::string& bytes, const std::string& number) {
  const std::string head = number + " 0 obj";
  for (size_t at = bytes.find(head); at != std::string::npos; at = bytes.find(head, at + 1)) {
    if (at > 0 && std::isdigit(static_cast<unsigned char>(bytes[at - 1]))) continue;
    const size_t end = bytes.find("endobj", at);
    return bytes.substr(at + head.size(), end == std::string::npos ? std::string::npos : end - at - head.size());
  }
  return {};
}

// The strings shown by the text operators, a line break for each new line.
std::string textOf(const std::string& content) {
  std::string text, pending;
  for (size_t i = 0; i < content.size();) {
    const char c = content[i];
    if (c == '(') {
      int depth = 1;
      for (++i; i < content.size() && depth > 0; ++i) {
        char ch = content[i];
        if (ch == '\\' && i + 1 < content.size()) {
          const char e = content[++i];
          if (e >= '0' && e <= '7') {
            int value = 0, digits = 0;
            while (digits < 3 && i < content.size() && content[i] >= '0' && content[i] <= '7') {
              value = value * 8 + (content[i++] - '0');
              ++digits;
            }
            --i;
            ch = static_cast<char>(value);
          } else {
            ch = e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
          }
        } else if (ch == '(') {
          ++depth;
        } else if (ch == ')' && --depth == 0) {
          break;
        }
        // Codes below 0x20 name no glyph in the fonts' encodings: nothing is
        // drawn, so the letters either side read as one word ("I\bI" shows
        // II), as the indexer's text extraction has them and numbers the
        // page's words. Kept, a backspace would split the word and every
        // hit after it would be highlighted one word late.
        if (static_cast<unsigned char>(ch) >= 0x20) pending += ch;
      }
      ++i;
      continue;
    }
    if (isDelimiter(c)) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < content.size() && !isDelimiter(content[end])) ++end;
    const std::string word = content.substr(i, end - i);
    i = end;
    if (word == "Tj" || word == "TJ") {
      text += pending;
      pending.clear();
    } else if (word == "'" || word == "\"") {
      text += "\n" + pending;
      pending.clear();
    } else if (word == "T*" || word == "Td" || word == "TD" || word == "ET") {
      if (!text.empty() && text.back() != '\n') text += '\n';
    }
    if (word != "Tj" && word != "TJ" && !std::isdigit(static_cast<unsigned char>(word[0])) && word[0] != '-' &&
        word[0] != '.')
      pending.clear();
  }
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

std::optional<std::string> inflateRaw(const std::string& data) {
  std::string out;
  Inflater inflater(data);
  if (!inflater.run(&out)) return std::nullopt;
  return out;
}

std::optional<std::string> pdfPageText(const std::string& bytes, int page) {
  const size_t entry = pageEntry(bytes, page);
  if (entry == std::string::npos) return std::nullopt;
  const size_t objectEnd = bytes.find("endobj", entry);
  const size_t contents = bytes.find("/Contents", entry);
  if (contents == std::string::npos || contents > objectEnd) return std::nullopt;
  size_t p = contents + 9;
  while (p < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[p]))) ++p;
  size_t q = p;
  while (q < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[q]))) ++q;
  if (q == p) return std::nullopt;
  const std::string body = objectBody(bytes, bytes.substr(p, q - p));
  const size_t streamAt = body.find("stream");
  if (streamAt == std::string::npos) return std::nullopt;
  size_t start = streamAt + 6;
  if (start < body.size() && body[start] == '\r') ++start;
  if (start < body.size() && body[start] == '\n') ++start;
  const size_t end = body.rfind("endstream");
  if (end == std::string::npos || end < start) return std::nullopt;
  std::string data = body.substr(start, end - start);
  if (body.substr(0, streamAt).find("/FlateDecode") != std::string::npos) {
    if (data.size() < 2) return std::nullopt;
    std::optional<std::string> inflated = inflateRaw(data.substr(2));  // past the zlib header
    if (!inflated) return std::nullopt;
    data = *inflated;
  }
  return textOf(data);
}

std::optional<std::string> pdfPageTextOfFile(const std::string& path, int page) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return pdfPageText(bytes, page);
}

}  // namespace viewer
