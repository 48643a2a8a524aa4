// The one place that reads standard input: numbers as "%d" reads them and tokens as "%s" does.
//
// Contract: console/ owns every read of standard input and the rules for input that is not
// what was asked for. Standard output is flushed before each read so that every prompt is
// visible before the program waits. End of input is reported to the caller as a value, never
// by ending the process. Text that is not a number, or a number outside the signed 32-bit
// range, is discarded with one line on standard error; it never becomes a value.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "puzzle/state.h"

// Reads the next number: white space skipped, an optional sign, decimal digits. The number ends
// at the first character that is not a digit, which stays in the input. Returns nullopt only
// when the input ends before a number is complete.
std::optional<int32_t> readNumber();

// Reads `count` numbers and appends each to `state` as soon as it is read. Returns false when
// the input ends first.
bool appendNumbers(PuzzleState& state, std::size_t count);

// Reads a state of twelve numbers, or -1 as its first number for the default configuration,
// appending to `state`. Returns false when the input ends first.
bool readStateOrDefault(PuzzleState& state);

// One piece of a token: at most buffer size - 1 bytes, followed by a zero in the buffer.
struct TokenPiece {
  std::string_view text;
  bool startsToken;  // the first piece of its token
  bool endsToken;    // the last piece of its token
};

// Reads the next piece of a token into `buffer`. After a piece that ends its token, white space
// is skipped and a new token begins; otherwise the current token goes on. A token of any length
// thus arrives in pieces while memory stays bounded. Returns nullopt when the input ends
// before a new token begins.
std::optional<TokenPiece> readTokenPiece(std::span<char> buffer);
