// Reading numbers and tokens from standard input one byte at a time, with bounded memory.
#include "console/input.h"

#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// How much of a discarded text the message on standard error quotes.
constexpr std::size_t kQuotedLength = 40;

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

// Returns the byte that ended a number or a piece of a token to the input, where it is read next.
void putBack(int c) {
  if (c != EOF) {
    (void)std::ungetc(c, stdin);  // one byte pushed back after it was read always fits
  }
}

// What a read that found no byte where it needed one returns: kEnded at the end of the input,
// kFailed, with one line on standard error, on a read error. Nothing between the failed read and
// this call touches errno.
ReadOutcome inputStopped() {
  if (std::ferror(stdin) == 0) {
    return ReadOutcome::kEnded;
  }
  const int error = errno;
  reportLine(std::string("cannot read standard input: ") + std::strerror(error));
  return ReadOutcome::kFailed;
}

// Keeps the first bytes of a discarded text for its message: one more than are quoted, so that
// the message knows whether the text went on.
void keepDiscarded(std::string& kept, int c) {
  if (kept.size() <= kQuotedLength) {
    kept.push_back(static_cast<char>(c));
  }
}

// Appends one byte as the message shows it: printable bytes as they are, with '"' and '\'
// escaped by a backslash, every other byte as \xNN.
void appendQuoted(std::string& quoted, unsigned char c) {
  if (c == '"' || c == '\\') {
    quoted += '\\';
    quoted += static_cast<char>(c);
  } else if (std::isprint(c) != 0) {
    quoted += static_cast<char>(c);
  } else {
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    quoted += "\\x";
    quoted += kHexDigits[c / 16];
    quoted += kHexDigits[c % 16];
  }
}

// One line on standard error for a discarded text, unless a read error cut the text short: the
// read error is then the one line that the run reports.
void reportDiscarded(const std::string& kept, const char* reason) {
  if (std::ferror(stdin) != 0) {
    return;
  }
  std::string quoted;
  for (std::size_t i = 0; i < kept.size() && i < kQuotedLength; ++i) {
    appendQuoted(quoted, static_cast<unsigned char>(kept[i]));
  }
  const char* more = kept.size() > kQuotedLength ? "..." : "";
  reportLine("ignored \"" + quoted + more + "\": " + reason);
}

// Discards the rest of a text that is not a number, up to the next white space, which stays.
void discardNonNumber(std::string& kept, int c) {
  while (c != EOF && !isSpace(c)) {
    keepDiscarded(kept, c);
    c = std::getc(stdin);
  }
  putBack(c);
  reportDiscarded(kept, "not a number");
}

// Reads digits from `c` on into `magnitude`, stopping once it exceeds the 32-bit range.
// Returns the first byte after the digits.
int scanDigits(int c, std::string& kept, int64_t& magnitude) {
  constexpr int64_t kBeyondRange = int64_t{1} << 32;
  while (isDigit(c)) {
    keepDiscarded(kept, c);
    if (magnitude < kBeyondRange) {
      magnitude = magnitude * 10 + (c - '0');
    }
    c = std::getc(stdin);
  }
  return c;
}

// Scans the text that begins with `c`, a byte that is not white space. Returns true when it was
// a number in range, stored in `number`; false when the text was discarded.
bool scanNumber(int c, int32_t& number) {
  std::string kept;
  const bool negative = c == '-';
  if (c == '-' || c == '+') {
    keepDiscarded(kept, c);
    c = std::getc(stdin);
  }
  if (!isDigit(c)) {
    discardNonNumber(kept, c);
    return false;
  }
  int64_t magnitude = 0;
  putBack(scanDigits(c, kept, magnitude));
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue < INT32_MIN || signedValue > INT32_MAX) {
    reportDiscarded(kept, "out of range");
    return false;
  }
  number = static_cast<int32_t>(signedValue);
  return true;
}

}  // namespace

void reportLine(const std::string& text) {
  // The write is not checked: standard error is the last place left to report anything on.
  (void)std::fprintf(stderr, "mathieu12: %s\n", text.c_str());
}

bool flushOutput() {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) {
    return true;
  }
  const int error = errno;
  reportLine(std::string("cannot write standard output: ") + std::strerror(error));
  return false;
}

ReadOutcome readNumber(int32_t& number) {
  if (!flushOutput()) {
    return ReadOutcome::kFailed;
  }
  for (;;) {
    const int c = skipSpace();
    if (c == EOF) {
      return inputStopped();
    }
    int32_t scanned = 0;
    const bool stored = scanNumber(c, scanned);
    if (std::ferror(stdin) != 0) {
      return inputStopped();  // a read error cut the text short: nothing of it counts
    }
    if (stored) {
      number = scanned;
      return ReadOutcome::kRead;
    }
  }
}

ReadOutcome appendNumbers(PuzzleState& state, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    int32_t number = 0;
    const ReadOutcome outcome = readNumber(number);
    if (outcome != ReadOutcome::kRead) {
      return outcome;
    }
    state.push_back(number);
  }
  return ReadOutcome::kRead;
}

ReadOutcome readStateOrDefault(PuzzleState& state) {
  constexpr int32_t kDefaultAnswer = -1;
  int32_t first = 0;
  const ReadOutcome outcome = readNumber(first);
  if (outcome != ReadOutcome::kRead) {
    return outcome;
  }
  if (first == kDefaultAnswer) {
    const PuzzleState standard = defaultState();
    state.insert(state.end(), standard.begin(), standard.end());
    return ReadOutcome::kRead;
  }
  state.push_back(first);
  return appendNumbers(state, kStateSize - 1);
}

ReadOutcome readTokenPiece(std::span<char> buffer, std::string_view& piece, bool& tokenContinues) {
  int c = EOF;
  if (tokenContinues) {
    c = std::getc(stdin);
  } else {
    if (!flushOutput()) {
      return ReadOutcome::kFailed;
    }
    c = skipSpace();
    if (c == EOF) {
      return inputStopped();
    }
  }
  std::size_t length = 0;
  while (c != EOF && !isSpace(c) && length < buffer.size()) {
    buffer[length++] = static_cast<char>(c);
    c = std::getc(stdin);
  }
  if (std::ferror(stdin) != 0) {
    return inputStopped();
  }
  putBack(c);
  piece = std::string_view(buffer.data(), length);
  tokenContinues = c != EOF && !isSpace(c);
  return ReadOutcome::kRead;
}
