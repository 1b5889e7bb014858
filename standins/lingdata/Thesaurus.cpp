#include "standins/lingdata/Thesaurus.h"

#include <iconv.h>

#include <fstream>

namespace tarvek::lingdata {
namespace {

std::string trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
    out.push_back(line.substr(start, bar - start));
  out.push_back(line.substr(start));
  return out;
}

}  // namespace

bool readThesaurus(const std::string& path,
                   const std::function<void(const std::string&, const std::vector<std::string>&)>& onEntry) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string line;
  std::getline(file, line);
  // The first line names the encoding; everything after it is turned into UTF-8.
  const std::string encoding = trim(line);
  iconv_t cd = encoding == "UTF-8" ? reinterpret_cast<iconv_t>(-1) : iconv_open("UTF-8", encoding.c_str());
  auto utf8 = [&](const std::string& s) {
    if (cd == reinterpret_cast<iconv_t>(-1)) return s;
    std::string out(s.size() * 4, '\0');
    char* in = const_cast<char*>(s.data());
    char* to = out.data();
    size_t inLeft = s.size(), outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1)) return std::string();
    out.resize(out.size() - outLeft);
    return out;
  };
  while (std::getline(file, line)) {
    const std::vector<std::string> head = split(trim(line));
    if (head.size() != 2) continue;
    int meanings = 0;
    try {
      meanings = std::stoi(head[1]);
    } catch (...) {
      continue;
    }
    std::vector<std::string> synonyms;
    for (int m = 0; m < meanings && std::getline(file, line); ++m) {
      const std::vector<std::string> parts = split(trim(line));
      for (size_t i = 1; i < parts.size(); ++i) {
        std::string s = parts[i];
        if (s.find("(antonym") != std::string::npos) continue;
        for (size_t open; (open = s.find('(')) != std::string::npos;) {
          const size_t close = s.find(')', open);
          s.erase(open, close == std::string::npos ? std::string::npos : close - open + 1);
        }
        s = trim(s);
        if (!s.empty()) synonyms.push_back(utf8(s));
      }
    }
    onEntry(utf8(trim(head[0])), synonyms);
  }
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  return true;
}

}  // namespace tarvek::lingdata
