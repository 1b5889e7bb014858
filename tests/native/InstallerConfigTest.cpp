// The command line, TARVINST.INF, version texts and records.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "installer/CommandLine.h"
#include "installer/InstallerConfig.h"
#include "tests/native/FakeInstallerServices.h"

namespace tarvek::installer {
namespace {

using testing::FakeInstallerServices;
using testing::version;

constexpr char kMedium[] = "D:\\";
constexpr char kInf[] = "D:\\TARVINST.INF";

class ConfigTest : public ::testing::Test {
 protected:
  void set(const std::string& key, const std::string& value) { services.setProfile(kInf, "PLUGIN", key, value); }
  void setValid() {
    set("TITLE", "TarvekPDF Search");
    set("TARVEK0", "query.API");
    set("READER_MIN_VERSION", "5.0");
  }
  ConfigReading read() { return readInstallerConfig(services, kMedium); }

  FakeInstallerServices services;
};

TEST_F(ConfigTest, ReadsTheExampleConfiguration) {
  setValid();
  set("TARVEK_PATH", "PLUGIN");
  set("TARVEK_EULA", "LICENCIA.TXT");
  set("TARVEK1", "vovar_av.dll");
  const ConfigReading r = read();
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.config.title, "TarvekPDF Search");
  EXPECT_EQ(r.config.filesPath, "PLUGIN\\");
  EXPECT_EQ(r.config.licenceName, "LICENCIA.TXT");
  EXPECT_EQ(r.config.fileNames, (std::vector<std::string>{"query.API", "vovar_av.dll"}));
  EXPECT_EQ(r.config.minVersion.productMost, 5u << 16);
  EXPECT_EQ(r.config.variant(), Variant::search);
  EXPECT_EQ(services.keysRead().front(), "TITLE");
  EXPECT_EQ(services.keysRead()[4], "TARVEK0");
  EXPECT_EQ(services.keysRead().back(), "READER_MIN_VERSION");
  EXPECT_EQ(services.keysRead().size(), 45u);
}

TEST_F(ConfigTest, OnlyExactlyOneSelectsTheFullVariant) {
  setValid();
  for (const auto& [value, variant] : std::vector<std::pair<std::string, Variant>>{
           {"1", Variant::full}, {"1 ", Variant::search}, {"yes", Variant::search}, {"", Variant::search},
           {"01", Variant::search}}) {
    set("FULL_VERSION", value);
    const ConfigReading r = read();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.config.variant(), variant) << '"' << value << '"';
  }
}

TEST_F(ConfigTest, EachFaultNamesTheLastKeyRead) {
  // No file at all: the title is the first key and the last read.
  ConfigReading r = read();
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.lastKey, "TITLE");

  set("TITLE", "T");
  set("READER_MIN_VERSION", "5.0");
  r = read();
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.lastKey, "TARVEK39");

  set("TARVEK7", "a.dll");
  for (const char* bad : {"5.1000", "5,0", "0", "", "0.0", "1.2.3.4.5", "5.", ".5", "1.2.65536", "a"}) {
    set("READER_MIN_VERSION", bad);
    r = read();
    EXPECT_FALSE(r.ok) << bad;
    EXPECT_EQ(r.lastKey, "READER_MIN_VERSION");
  }
}

TEST_F(ConfigTest, FileKeysMayBeMissingAnywhere) {
  setValid();
  services.setProfile(kInf, "PLUGIN", "TARVEK0", "");
  set("TARVEK5", "second.dll");
  set("TARVEK0", "first.API");
  const ConfigReading r = read();
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.config.fileNames, (std::vector<std::string>{"first.API", "second.dll"}));
}

TEST_F(ConfigTest, KeepsTheLongestValuesAndPacksTheNamesInto2047Bytes) {
  setValid();
  set("TITLE", std::string(150, 'T'));
  set("TARVEK_PATH", std::string(100, 'P'));
  set("FULL_VERSION", "1" + std::string(20, ' '));
  // 40 names of 60 characters would need 2440 bytes: 33 fit whole (33 x 61 =
  // 2013), the 34th keeps 33 characters and its terminator, the rest nothing.
  for (int i = 0; i < 40; ++i) set("TARVEK" + std::to_string(i), std::string(60, static_cast<char>('a' + i % 26)));
  const ConfigReading r = read();
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.config.title.size(), 99u);
  EXPECT_EQ(r.config.filesPath, std::string(79, 'P') + "\\");
  EXPECT_EQ(r.config.fullVersion.size(), 14u);
  ASSERT_EQ(r.config.fileNames.size(), 34u);
  EXPECT_EQ(r.config.fileNames[32].size(), 60u);
  EXPECT_EQ(r.config.fileNames[33].size(), 33u);
  size_t bytes = 0;
  for (const std::string& name : r.config.fileNames) bytes += name.size() + 1;
  EXPECT_EQ(bytes, 2047u);
}

TEST(VersionTextTest, GivesMajorMinorAndBuildRevision) {
  EXPECT_EQ(parseVersionText("5")->productMost, 5u << 16);
  EXPECT_EQ(parseVersionText("0.1")->productMost, 1u);
  const auto full = parseVersionText("999.999.65535.7");
  ASSERT_TRUE(full);
  EXPECT_EQ(full->productMost, 999u << 16 | 999u);
  EXPECT_EQ(full->productLeast, 65535u << 16 | 7u);
  EXPECT_EQ(full->fileMost, full->productMost);
  EXPECT_EQ(full->fileLeast, full->productLeast);
  EXPECT_FALSE(parseVersionText("1000"));
  EXPECT_FALSE(parseVersionText("5.0 "));
  EXPECT_FALSE(parseVersionText("-5"));
  EXPECT_FALSE(parseVersionText("99999999999999999999"));
}

TEST(VersionRecordTest, ReadsTheFixedPartFor32BitWindowsOnly) {
  FakeInstallerServices services;
  services.setVersion("C:\\a.exe", version(6, 0, 1, 2));
  const auto record = readVersionRecord(services, "C:\\a.exe");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->productMost, 6u << 16);
  EXPECT_EQ(record->fileLeast, 1u << 16 | 2u);

  services.setVersionBlock("C:\\os2.exe", testing::versionBlock(version(6, 0), 0x00020000));  // 16-bit OS/2
  EXPECT_FALSE(readVersionRecord(services, "C:\\os2.exe"));
  services.setVersionBlock("C:\\nt.exe", testing::versionBlock(version(6, 0), 0x00000004));
  EXPECT_TRUE(readVersionRecord(services, "C:\\nt.exe"));
  EXPECT_FALSE(readVersionRecord(services, "C:\\none.exe"));
  services.setVersion("C:\\denied.exe", version(1, 0));
  services.denyVersionRead("C:\\denied.exe");
  EXPECT_FALSE(readVersionRecord(services, "C:\\denied.exe"));

  std::string big = testing::versionBlock(version(1, 0));
  big.resize(4196, '\0');
  services.setVersionBlock("C:\\big.exe", big);
  EXPECT_TRUE(readVersionRecord(services, "C:\\big.exe"));
  big.push_back('\0');
  services.setVersionBlock("C:\\big.exe", big);
  EXPECT_FALSE(readVersionRecord(services, "C:\\big.exe"));
}

// The first `n` bytes of `block` in a heap buffer of exactly that size, so
// that AddressSanitizer sees a read past them.
std::optional<FileVersionRecord> parseExactly(const std::string& block, size_t n) {
  const std::unique_ptr<char[]> bytes(new char[n]);
  std::copy_n(block.data(), n, bytes.get());
  return parseVersionInfo(std::string_view(bytes.get(), n));
}

// The 16-bit form of the same block: no type field and an 8-bit key.
std::string sixteenBitBlock(const std::string& block32) {
  const std::string fixed = block32.substr(block32.size() - 52);
  std::string block = std::string("\0\0", 2) + std::string("\x34\0", 2) + std::string("VS_VERSION_INFO\0", 16) + fixed;
  block[0] = static_cast<char>(block.size());
  return block;
}

TEST(VersionRecordTest, RefusesEveryTruncationOfBothFormsAndABadSignature) {
  const std::string block = testing::versionBlock(version(6, 0, 1, 2));
  for (const std::string& form : {block, sixteenBitBlock(block)}) {
    SCOPED_TRACE(form.size());
    for (size_t n = 0; n < form.size(); ++n) EXPECT_FALSE(parseExactly(form, n)) << n;
    const std::optional<FileVersionRecord> whole = parseExactly(form, form.size());
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->productMost, 6u << 16);
    EXPECT_EQ(whole->productLeast, 1u << 16 | 2u);
  }
  std::string wrong = block;
  wrong[40] ^= 1;
  EXPECT_FALSE(parseVersionInfo(wrong));
  std::string shortValue = block;
  shortValue[2] = 10;
  EXPECT_FALSE(parseVersionInfo(shortValue));
}

TEST(VersionCompareTest, ComparesTheProductVersionOnly) {
  FileVersionRecord a = version(6, 0, 1, 0), b = version(6, 0, 1, 0);
  b.fileMost = 99u << 16;
  EXPECT_EQ(compareVersions(a, b), 0);
  EXPECT_LT(compareVersions(version(5, 9, 9), version(6, 0)), 0);
  EXPECT_GT(compareVersions(version(6, 0, 0, 1), version(6, 0)), 0);
  // Unsigned: a part with its top bit set is large, not negative.
  EXPECT_GT(compareVersions(version(0x8000, 0), version(1, 0)), 0);
}

TEST(CommandLineTest, SwitchesAndSourceFolders) {
  FakeInstallerServices services;
  auto apply = [&](const std::string& arguments) {
    CommandLine options;
    options.sourceFolder = "E:\\SETUP\\";
    applyCommandLine(services, arguments, &options);
    return options;
  };
  EXPECT_TRUE(apply("-d").diagnostics);
  EXPECT_TRUE(apply("x -D y").diagnostics);
  EXPECT_FALSE(apply("-dx").diagnostics);
  EXPECT_FALSE(apply("d").diagnostics);
  EXPECT_EQ(apply("").sourceFolder, "E:\\SETUP\\");
  EXPECT_EQ(apply("-sF:\\MEDIUM").sourceFolder, "F:\\MEDIUM\\");
  EXPECT_EQ(apply("-SF:\\MEDIUM\\ -d").sourceFolder, "F:\\MEDIUM\\");
  EXPECT_EQ(apply("-s\"F:\\My Medium\\\" -d").sourceFolder, "F:\\My Medium\\");
  EXPECT_TRUE(apply("-s\"F:\\My Medium\" -d").diagnostics);
  EXPECT_EQ(apply("-sF:\\").sourceFolder, "F:\\");
  EXPECT_EQ(apply("-sF:\\A\\..\\B").sourceFolder, "F:\\B\\");
  EXPECT_EQ(apply("-sSUB").sourceFolder, "C:\\SUB\\");  // against the current folder
  // Ignored: an empty folder, an unclosed quote, a control character inside quotes.
  EXPECT_EQ(apply("-s").sourceFolder, "E:\\SETUP\\");
  EXPECT_EQ(apply("-s\"\"").sourceFolder, "E:\\SETUP\\");
  EXPECT_EQ(apply("-s\"F:\\X").sourceFolder, "E:\\SETUP\\");
  EXPECT_EQ(apply("-s\"F:\\X\tY\" -d").sourceFolder, "E:\\SETUP\\");
  EXPECT_EQ(apply("-sF:\\" + std::string(300, 'x')).sourceFolder, "E:\\SETUP\\");
}

}  // namespace
}  // namespace tarvek::installer
