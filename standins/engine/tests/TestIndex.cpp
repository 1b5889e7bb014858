#include "standins/engine/tests/TestIndex.h"

#include <atomic>
#include <chrono>
#include <fstream>

#include "platform/Cp1250.h"
#include "standins/engine/SbiWriter.h"

namespace tarvek::sbi::test {

const std::vector<TestPage> kTestPages = {
    {1001, "Zákon o ochrane prírody a krajiny"},      {1002, "Ochrana prírody je povinnosť každého občana"},
    {1003, "Kniha leží na stole a pero vedľa knihy"}, {1004, "Das Mädchen geht über die Straße"},
    {1005, "Mäso a ryby sú na trhu v sobotu"},        {1006, "Information retrieval systems store information"},
};

const std::vector<std::string> kTestExcluded = {"a", "o", "je", "na", "v", "die"};

std::string ansi(const char* utf8) { return cp1250::fromUtf8(utf8); }

std::vector<uint8_t> buildTestIndex() {
  IndexBuilder builder;
  builder.setName(ansi("Testovací index"));
  builder.setIndexerNumber("T-42");
  builder.setLanguage(0);
  builder.setDates(0x5A210000, 0x5A220000);
  builder.setExcludedWords(kTestExcluded);
  for (const auto& page : kTestPages) {
    builder.beginPage(page.topicId);
    builder.addText(ansi(page.text));
  }
  return builder.build();
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("tarvek-engine-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
           std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const auto file = path_ / name;
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return file.string();
}

std::string ScratchFolder::write(const std::string& name, const std::string& text) const {
  return write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace tarvek::sbi::test
