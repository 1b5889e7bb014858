// The stand-in viewer's page text reader: the document windows show the
// page text it finds, and a wrong inflate or text scan would highlight the
// wrong words in the pictures.
#include "standins/viewer/PageText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PageTextTest, ReadsPlainAndCompressedContentStreams) {
  // zlib data of "BT /F1 11 Tf 56 780 Td (Ahoj svet) Tj ET" (fixed Huffman codes)
  const std::string shortStream(
      "\x78\xda\x73\x0a\x51\xd0\x77\x33\x54\x30\x34\x54\x08\x49\x53\x30\x35\x53\x30\xb7\x30\x50\x08\x49\x51\xd0\x70"
      "\xcc\xc8\xcf\x52\x28\x2e\x4b\x2d\xd1\x54\x08\xc9\x52\x70\x0d\x01\x00\xc1\x17\x0a\x47",
      48);
  // Twelve lines "(Riadok N: vcely zbieraju nektar a pel, vcelar kontroluje zasoby medu) Tj T*" (dynamic codes)
  const std::string longStream(
      "\x78\xda\xad\xd3\x4d\x0a\xc2\x30\x14\x04\xe0\xab\xcc\x52\x45\xb0\x51\xd3\x1f\x97\x42\x5d\xb9\x92\x77\x81\xd4"
      "\x3c\xa1\x49\x6c\x24\x6d\x84\xf6\xf4\x8a\x0b\x4f\xf0\x96\xc3\xc0\xb7\x9a\x39\x13\x76\x17\x05\xa5\x40\x0f\x28"
      "\x0d\xba\x42\x97\xa8\xea\x02\x64\xb1\xba\xf5\xc6\x46\x8f\xe2\x84\xf7\x9d\xc3\x8c\xa5\xeb\x39\x19\x97\x31\xb0"
      "\x9f\x4c\x82\xc1\x8b\xc3\xf6\x57\x7e\x93\x8f\xc3\x94\x62\xc8\x8e\xb1\x98\x31\x76\x33\x9e\x6c\xf3\x1a\xe4\x40"
      "\x9b\x3f\xa6\x24\xb1\xbd\x24\x76\x90\xc4\x8e\x92\x98\x96\xc4\x4a\x49\xac\x92\xc4\x6a\x49\xac\x11\x1d\xad\xec"
      "\x05\x44\x3e\xd0\xd2\x07\x1f\xf6\x49\x39",
      145);
  auto pdf = [](const std::string& stream, bool compressed) {
    return "%PDF-1.4\n1 0 obj << /Type /Pages /Kids [2 0 R 4 0 R] >> endobj\n"
           "2 0 obj << /Type /Page /Contents 3 0 R >> endobj\n"
           "3 0 obj << /Length 20 >>\nstream\nBT (Prva strana) Tj ET\nendstream endobj\n"
           "4 0 obj << /Type /Page /Contents 5 0 R >> endobj\n5 0 obj << /Length " +
           std::to_string(stream.size()) + (compressed ? " /Filter /FlateDecode" : "") + " >>\nstream\n" + stream +
           "\nendstream endobj\n%%EOF\n";
  };
  EXPECT_EQ(viewer::pdfPageText(pdf(shortStream, true), 0), "Prva strana");
  EXPECT_EQ(viewer::pdfPageText(pdf(shortStream, true), 1), "Ahoj svet");
  const std::optional<std::string> text = viewer::pdfPageText(pdf(longStream, true), 1);
  ASSERT_TRUE(text.has_value());
  std::string expected;
  for (int i = 0; i < 12; ++i)
    expected += (i ? "\n" : "") + std::string("Riadok ") + std::to_string(i) +
                ": vcely zbieraju nektar a pel, vcelar kontroluje zasoby medu";
  EXPECT_EQ(*text, expected);
  EXPECT_EQ(viewer::pdfPageText(pdf("BT (a \\(b\\) \\351) Tj ET", false), 1), "a (b) \xE9");
  EXPECT_EQ(viewer::pdfPageText(pdf(shortStream, true), 2), std::nullopt);  // no third page
  // Every truncation of the compressed data gives no text or a shorter one, never a read past it
  // (the last four bytes are zlib's checksum, which the reader does not need).
  for (size_t n = 0; n + 4 < longStream.size(); ++n) {
    const std::optional<std::string> cut = viewer::pdfPageText(pdf(longStream.substr(0, n), true), 1);
    if (cut) {
      EXPECT_LT(cut->size(), expected.size()) << n;
    }
  }
}

TEST(PageTextTest, LeavesOutCodesThatDrawNothing) {
  // Fortune files embolden a letter by overstriking it ("I\bI"); the page
  // shows II, and the indexer (through poppler) numbers it as one word, so
  // the viewer's words must not split there: "win" is word 2 on both sides.
  auto page = [](const std::string& stream) {
    return "%PDF-1.4\n1 0 obj << /Type /Pages /Kids [2 0 R] >> endobj\n"
           "2 0 obj << /Type /Page /Contents 3 0 R >> endobj\n3 0 obj << /Length " +
           std::to_string(stream.size()) + " >>\nstream\n" + stream + "\nendstream endobj\n%%EOF\n";
  };
  EXPECT_EQ(viewer::pdfPageText(page("BT (whether I\\010I win) Tj T* (or\\t lose) Tj ET"), 0),
            "whether II win\nor lose");
  EXPECT_EQ(viewer::pdfPageText(page("BT (I\bI \x01win\\n) Tj ET"), 0), "II win");
}

}  // namespace
