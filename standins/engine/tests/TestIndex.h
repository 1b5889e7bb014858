#pragma once
// A small hand-built Slovak index for the engine tests, written to a scratch
// folder together with lemma and synonym tables.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvek::sbi::test {

// The pages, UTF-8, and their topic ids.
struct TestPage {
  uint32_t topicId;
  const char* text;
};
extern const std::vector<TestPage> kTestPages;
extern const std::vector<std::string> kTestExcluded;  // UTF-8

// The index bytes of kTestPages, named "Testovací index", indexer "T-42",
// language 0 (Slovak).
std::vector<uint8_t> buildTestIndex();

// A scratch folder removed with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  std::string write(const std::string& name, const std::string& text) const;

 private:
  std::filesystem::path path_;
};

// CP1250 text of a UTF-8 literal.
std::string ansi(const char* utf8);

}  // namespace tarvek::sbi::test
