#include "tests/native/FakeInstallerServices.h"

#include <vector>

#include "platform/Cp1250.h"

namespace tarvek::testing {
namespace {

void put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::string FakeInstallerServices::key_(const std::string& path) { return cp1250::toLower(path); }

std::string FakeInstallerServices::profileString(const std::string& file, const std::string& section,
                                                 const std::string& key, size_t bufferChars) {
  keysRead_.push_back(key);
  if (bufferChars == 0) return {};
  const auto f = profiles_.find(key_(file));
  if (f == profiles_.end()) return {};
  const auto v = f->second.find(section + "\n" + key);
  if (v == f->second.end()) return {};
  return v->second.substr(0, bufferChars - 1);
}

uint32_t FakeInstallerServices::versionInfoSize(const std::string& path) {
  const auto b = blocks_.find(key_(path));
  return b == blocks_.end() ? 0 : static_cast<uint32_t>(b->second.size());
}

bool FakeInstallerServices::versionInfo(const std::string& path, uint32_t size, std::string* block) {
  const auto b = blocks_.find(key_(path));
  if (b == blocks_.end() || deniedBlocks_.count(key_(path))) return false;
  *block = b->second.substr(0, size);
  return true;
}

void FakeInstallerServices::setVersion(const std::string& path, const installer::FileVersionRecord& record) {
  setVersionBlock(path, versionBlock(record));
}

bool FakeInstallerServices::fullPath(const std::string& path, std::string* full) {
  std::string prefix;  // "C:" or "\\server\share"
  std::string rest;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    const size_t share = path.find('\\', 2);
    const size_t end = share == std::string::npos ? std::string::npos : path.find('\\', share + 1);
    prefix = path.substr(0, end);
    rest = end == std::string::npos ? "\\" : path.substr(end);
  } else if (path.size() >= 2 && path[1] == ':') {
    prefix = path.substr(0, 2);
    rest = path.size() > 2 && path[2] == '\\' ? path.substr(2) : "\\" + path.substr(2);
  } else if (!path.empty() && path[0] == '\\') {
    prefix = "C:";
    rest = path;
  } else {
    prefix = "C:";
    rest = "\\" + path;
  }
  // Folds "." and ".." and doubled backslashes, keeping a trailing backslash.
  std::vector<std::string> parts;
  size_t at = 1;
  while (at <= rest.size()) {
    size_t slash = rest.find('\\', at);
    if (slash == std::string::npos) slash = rest.size();
    const std::string part = rest.substr(at, slash - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = slash + 1;
  }
  std::string out = prefix;
  for (const std::string& part : parts) out += "\\" + part;
  if (parts.empty() || rest.back() == '\\') out += "\\";
  if (out.size() >= 260) return false;
  *full = out;
  return true;
}

bool FakeInstallerServices::diskFigures(const std::string& root, installer::DiskFigures* figures) {
  if (root.size() != 3) return false;
  const auto d = disks_.find(static_cast<char>(root[0] & ~0x20));
  if (d == disks_.end()) return false;
  *figures = d->second;
  return true;
}

std::string versionBlock(const installer::FileVersionRecord& record, uint32_t fileOs) {
  std::string block;
  put16(block, 0);   // length, set below
  put16(block, 52);  // value length
  put16(block, 0);   // binary
  for (char c : std::string("VS_VERSION_INFO")) put16(block, static_cast<unsigned char>(c));
  put16(block, 0);
  while (block.size() % 4) block += '\0';
  put32(block, 0xFEEF04BD);
  put32(block, 0x00010000);
  put32(block, record.fileMost);
  put32(block, record.fileLeast);
  put32(block, record.productMost);
  put32(block, record.productLeast);
  put32(block, 0x3F);
  put32(block, 0);
  put32(block, fileOs);
  put32(block, 1);
  put32(block, 0);
  put32(block, 0);
  put32(block, 0);
  block[0] = static_cast<char>(block.size() & 0xFF);
  block[1] = static_cast<char>(block.size() >> 8);
  return block;
}

installer::FileVersionRecord version(unsigned a, unsigned b, unsigned c, unsigned d) {
  installer::FileVersionRecord r;
  r.fileMost = r.productMost = a << 16 | b;
  r.fileLeast = r.productLeast = c << 16 | d;
  return r;
}

}  // namespace tarvek::testing
