// The one place that reads standard input: numbers as "%d" reads them and tokens as "%s" does.
//
// Contract: console/ owns every read of standard input, the rules for input that is not what was
// asked for, and the report of a failed read or write. Standard output is flushed before each
// read so that every prompt is visible before the program waits. Every read returns its outcome
// to the caller, never ends the process, and keeps no state between calls. Text that is not a
// number, or a number outside the signed 32-bit range, is discarded with one line on standard
// error; it never becomes a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "puzzle/state.h"

// How a read ended. kEnded: the input ended before what was asked for began (or, for a number,
// was complete). kFailed: standard input could not be read, or the prompt before it could not be
// written; one line on standard error has said which and why, and the caller writes nothing more.
enum class ReadOutcome { kRead, kEnded, kFailed };

// Writes "mathieu12: ", `text` and a line end on standard error: every message of the program.
void reportLine(const std::string& text);

// Writes out what standard output holds. Returns false, after one line on standard error, when
// standard output cannot be written.
bool flushOutput();

// Reads the next number into `number`: white space skipped, an optional sign, decimal digits.
// The number ends at the first character that is not a digit, which stays in the input.
ReadOutcome readNumber(int32_t& number);

// Reads `count` numbers and appends each to `state` as soon as it is read.
ReadOutcome appendNumbers(PuzzleState& state, std::size_t count);

// Reads a state of twelve numbers, or -1 as its first number for the default configuration,
// appending to `state`.
ReadOutcome readStateOrDefault(PuzzleState& state);

// Reads the next piece of a token, as many bytes as `buffer` holds at most, and points `piece` at
// them. When `tokenContinues` is false a new token begins: standard output is flushed and white
// space skipped first, and kEnded means the input ended before the token. Otherwise the current
// token goes on. On kRead, `tokenContinues` tells whether more of the token follows, so that a
// token of any length arrives in pieces while memory stays bounded.
ReadOutcome readTokenPiece(std::span<char> buffer, std::string_view& piece, bool& tokenContinues);
