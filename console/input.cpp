// Reading numbers and tokens from standard input one byte at a time, with bounded memory.
#include "console/input.h"

#include <cctype>
#include <cstdio>
#include <string>

namespace {

// How much of a discarded text the message on standard error quotes.
constexpr std::size_t kQuotedLength = 40;

// True while a token has been delivered only in part.
bool tokenContinues = false;

bool isSpace(int c) { return c != EOF && std::isspace(c) != 0; }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// The first non-white-space byte of the input, or EOF.
int skipSpace() {
  int c = std::getc(stdin);
  while (isSpace(c)) {
    c = std::getc(stdin);
  }
  return c;
}

// A bounded, printable copy of discarded text for the message on standard error.
class DiscardedText {
 public:
  void add(int c) {
    ++length_;
    if (length_ > kQuotedLength) {
      return;
    }
    if (c == '"' || c == '\\') {
      quoted_ += '\\';
      quoted_ += static_cast<char>(c);
    } else if (std::isprint(c) != 0) {
      quoted_ += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(c));
      quoted_ += escaped;
    }
  }

  void report(const char* reason) const {
    const char* more = length_ > kQuotedLength ? "..." : "";
    std::fprintf(stderr, "mathieu12: ignored \"%s%s\": %s\n", quoted_.c_str(), more, reason);
  }

 private:
  std::string quoted_;
  std::size_t length_ = 0;
};

// Discards the rest of a text that is not a number, up to the next white space, which stays.
void discardNonNumber(DiscardedText& text, int c) {
  while (c != EOF && !isSpace(c)) {
    text.add(c);
    c = std::getc(stdin);
  }
  if (c != EOF) {
    std::ungetc(c, stdin);
  }
  text.report("not a number");
}

// What one attempt to read a number found.
enum class NumberScan { kNumber, kDiscarded, kEnded };

// Reads digits from `c` on into `magnitude`, stopping once it exceeds the 32-bit range.
// Returns the first byte after the digits.
int scanDigits(int c, DiscardedText& text, int64_t& magnitude) {
  constexpr int64_t kBeyondRange = int64_t{1} << 32;
  while (isDigit(c)) {
    text.add(c);
    if (magnitude < kBeyondRange) {
      magnitude = magnitude * 10 + (c - '0');
    }
    c = std::getc(stdin);
  }
  return c;
}

NumberScan scanNumber(int32_t& value) {
  int c = skipSpace();
  if (c == EOF) {
    return NumberScan::kEnded;
  }
  DiscardedText text;
  const bool negative = c == '-';
  if (c == '-' || c == '+') {
    text.add(c);
    c = std::getc(stdin);
  }
  if (!isDigit(c)) {
    discardNonNumber(text, c);
    return NumberScan::kDiscarded;
  }
  int64_t magnitude = 0;
  c = scanDigits(c, text, magnitude);
  if (c != EOF) {
    std::ungetc(c, stdin);
  }
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue < INT32_MIN || signedValue > INT32_MAX) {
    text.report("out of range");
    return NumberScan::kDiscarded;
  }
  value = static_cast<int32_t>(signedValue);
  return NumberScan::kNumber;
}

// Makes every prompt visible before a read. When standard output can no longer be written
// (its reader has gone), nobody sees the dialogue any more, so reading stops as at end of input.
bool flushOutput() { return std::fflush(stdout) == 0; }

}  // namespace

std::optional<int32_t> readNumber() {
  if (!flushOutput()) {
    return std::nullopt;
  }
  int32_t value = 0;
  for (;;) {
    switch (scanNumber(value)) {
      case NumberScan::kNumber:
        return value;
      case NumberScan::kEnded:
        return std::nullopt;
      case NumberScan::kDiscarded:
        break;
    }
  }
}

bool appendNumbers(PuzzleState& state, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::optional<int32_t> number = readNumber();
    if (!number) {
      return false;
    }
    state.push_back(*number);
  }
  return true;
}

bool readStateOrDefault(PuzzleState& state) {
  constexpr int32_t kDefaultAnswer = -1;
  const std::optional<int32_t> first = readNumber();
  if (!first) {
    return false;
  }
  if (*first == kDefaultAnswer) {
    const PuzzleState standard = defaultState();
    state.insert(state.end(), standard.begin(), standard.end());
    return true;
  }
  state.push_back(*first);
  return appendNumbers(state, kStateSize - 1);
}

std::optional<TokenPiece> readTokenPiece(std::span<char> buffer) {
  const bool startsToken = !tokenContinues;
  if (startsToken && !flushOutput()) {
    return std::nullopt;
  }
  int c = startsToken ? skipSpace() : std::getc(stdin);
  if (startsToken && c == EOF) {
    return std::nullopt;
  }
  const std::size_t capacity = buffer.size() - 1;
  std::size_t length = 0;
  while (c != EOF && !isSpace(c) && length < capacity) {
    buffer[length++] = static_cast<char>(c);
    c = std::getc(stdin);
  }
  if (c != EOF) {
    std::ungetc(c, stdin);
  }
  buffer[length] = '\0';
  tokenContinues = c != EOF && !isSpace(c);
  return TokenPiece{std::string_view(buffer.data(), length), startsToken, !tokenContinues};
}
