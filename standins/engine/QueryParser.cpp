#include <optional>

#include "standins/engine/Query.h"
#include "standins/engine/WordText.h"

namespace tarvek::sbi {
namespace {

using Kind = QueryNode::Kind;

QueryNode wordNode(std::string_view word, bool prefix) {
  QueryNode node;
  node.word = lowerWord(word.substr(0, 255));
  node.prefix = prefix;
  return node;
}

QueryNode group(Kind kind, std::vector<QueryNode> children, uint32_t distance = 0) {
  if (children.size() == 1) return std::move(children.front());
  QueryNode node;
  node.kind = kind;
  node.distance = distance;
  node.children = std::move(children);
  return node;
}

// The words of plain text, each with its prefix mark.
std::vector<QueryNode> plainWords(std::string_view text) {
  std::vector<QueryNode> words;
  forEachWord(text, [&](std::string_view word, size_t at) {
    const size_t end = at + word.size();
    words.push_back(wordNode(word, end < text.size() && text[end] == '*'));
  });
  return words;
}

struct Token {
  enum Type { kWord, kPhrase, kAnd, kOr, kNot, kNear, kOpen, kClose } type;
  QueryNode node;         // kWord, kPhrase
  uint32_t distance = 0;  // kNear; 0: the option word's
};

// Splits operator text into tokens; false on an unbalanced quote or a bad NEAR/n.
bool lex(std::string_view text, std::vector<Token>* tokens) {
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '(' || c == ')') {
      tokens->push_back({c == '(' ? Token::kOpen : Token::kClose, {}});
      ++i;
    } else if (c == '"') {
      const size_t close = text.find('"', i + 1);
      if (close == std::string_view::npos) return false;
      std::vector<QueryNode> words = plainWords(text.substr(i + 1, close - i - 1));
      if (words.empty()) return false;
      tokens->push_back({Token::kPhrase, group(Kind::kPhrase, std::move(words))});
      i = close + 1;
    } else if (isWordByte(static_cast<unsigned char>(c))) {
      size_t end = i;
      while (end < text.size() && isWordByte(static_cast<unsigned char>(text[end]))) ++end;
      const std::string_view word = text.substr(i, end - i);
      if (word == "AND") {
        tokens->push_back({Token::kAnd, {}});
      } else if (word == "OR") {
        tokens->push_back({Token::kOr, {}});
      } else if (word == "NOT") {
        tokens->push_back({Token::kNot, {}});
      } else if (word == "NEAR") {
        Token near{Token::kNear, {}};
        if (end < text.size() && text[end] == '/') {
          size_t digits = end + 1;
          uint32_t n = 0;
          while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits - end <= 3)
            n = n * 10 + (text[digits++] - '0');
          if (digits == end + 1 || n == 0 ||
              (digits < text.size() && isWordByte(static_cast<unsigned char>(text[digits]))))
            return false;
          near.distance = n;
          end = digits;
        }
        tokens->push_back(std::move(near));
      } else {
        const bool prefix = end < text.size() && text[end] == '*';
        tokens->push_back({Token::kWord, wordNode(word, prefix)});
      }
      i = end;
    } else {
      ++i;  // punctuation, blanks and stray '*' separate words
    }
  }
  return true;
}

class OperatorParser {
 public:
  OperatorParser(std::vector<Token> tokens, uint32_t defaultDistance)
      : tokens_(std::move(tokens)), defaultDistance_(defaultDistance) {}

  std::optional<QueryNode> parse() {
    auto root = orExpr(0);
    if (!root || pos_ != tokens_.size()) return std::nullopt;
    return root;
  }

 private:
  static constexpr int kMaxDepth = 64;

  bool at(Token::Type type) const { return pos_ < tokens_.size() && tokens_[pos_].type == type; }
  bool atOperand() const { return at(Token::kWord) || at(Token::kPhrase) || at(Token::kOpen); }

  std::optional<QueryNode> orExpr(int depth) {
    std::vector<QueryNode> parts;
    do {
      auto part = andExpr(depth);
      if (!part) return std::nullopt;
      parts.push_back(std::move(*part));
    } while (at(Token::kOr) && ++pos_);
    return group(Kind::kOr, std::move(parts));
  }

  std::optional<QueryNode> andExpr(int depth) {
    auto left = nearExpr(depth);
    if (!left) return std::nullopt;
    for (;;) {
      Kind kind;
      if (at(Token::kAnd) || at(Token::kNot)) {
        kind = at(Token::kAnd) ? Kind::kAnd : Kind::kAndNot;
        ++pos_;
      } else if (atOperand()) {
        kind = Kind::kAnd;
      } else {
        return left;
      }
      auto right = nearExpr(depth);
      if (!right) return std::nullopt;
      std::vector<QueryNode> pair;
      pair.push_back(std::move(*left));
      pair.push_back(std::move(*right));
      left = group(kind, std::move(pair));
    }
  }

  std::optional<QueryNode> nearExpr(int depth) {
    auto left = primary(depth);
    if (!left) return std::nullopt;
    while (at(Token::kNear)) {
      const uint32_t distance = tokens_[pos_++].distance;
      auto right = primary(depth);
      if (!right) return std::nullopt;
      std::vector<QueryNode> pair;
      pair.push_back(std::move(*left));
      pair.push_back(std::move(*right));
      left = group(Kind::kNear, std::move(pair), distance ? distance : defaultDistance_);
    }
    return left;
  }

  std::optional<QueryNode> primary(int depth) {
    if (at(Token::kWord) || at(Token::kPhrase)) return std::move(tokens_[pos_++].node);
    if (!at(Token::kOpen) || depth >= kMaxDepth) return std::nullopt;
    ++pos_;
    auto inner = orExpr(depth + 1);
    if (!inner || !at(Token::kClose)) return std::nullopt;
    ++pos_;
    return inner;
  }

  std::vector<Token> tokens_;
  uint32_t defaultDistance_;
  size_t pos_ = 0;
};

}  // namespace

EngineError parseQuery(std::string_view text, uint32_t flags, QueryNode* root) {
  if (text.size() > kMaxQueryLength) return kQueryTooLong;
  const uint32_t mode = flags & kModeMask;
  const uint32_t distance = (flags & kDistanceMask) ? (flags & kDistanceMask) : kDefaultNearDistance;
  if (mode == 0x60) return kUnknownMode;

  if (mode == kModeOperators) {
    std::vector<Token> tokens;
    if (!lex(text, &tokens)) return kQuerySyntax;
    if (tokens.empty()) return kEmptyQuery;
    auto parsed = OperatorParser(std::move(tokens), distance).parse();
    if (!parsed) return kQuerySyntax;
    *root = std::move(*parsed);
    return kOk;
  }

  std::vector<QueryNode> words = plainWords(text);
  if (words.empty()) return kEmptyQuery;
  switch (mode) {
    case kModeOr:
      *root = group(Kind::kOr, std::move(words));
      break;
    case kModeNot:
      *root = group(Kind::kAndNot, std::move(words));
      break;
    case kModeNext:
      *root = group(Kind::kPhrase, std::move(words));
      break;
    case kModeNear:
      *root = group(Kind::kNear, std::move(words), distance);
      break;
    default:
      *root = group(Kind::kAnd, std::move(words));
      break;
  }
  return kOk;
}

}  // namespace tarvek::sbi
