// Checks today's puzzle's boards: the README's dates give the boards it lists, each at its
// weekday's distance, and no weekday's board comes back within two years.
//   days_test README_PATH (under node, with the host's files)
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

extern "C" {
int32_t boardDistancesTo(const int32_t* target);
int32_t boardDistanceOf(const int32_t* state);
int32_t boardOfDay(int32_t day, int32_t* values);
}

namespace {

using Board = std::array<int32_t, 12>;

// Days since 1970-01-01 of a date of the Gregorian calendar.
int32_t dayNumber(int32_t year, int32_t month, int32_t day) {
  year -= month <= 2 ? 1 : 0;
  const int32_t era = (year >= 0 ? year : year - 399) / 400;
  const int32_t yearOfEra = year - era * 400;
  const int32_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

std::string text(const Board& board) {
  std::string out;
  for (const int32_t value : board) out += (out.empty() ? "" : " ") + std::to_string(value);
  return out;
}

// Each README row `| YYYY-MM-DD | Weekday | `board` | D moves |` against the core's board of
// that date; returns the number of faults.
int checkReadme(const char* path) {
  std::ifstream file(path);
  std::stringstream whole;
  whole << file.rdbuf();
  const std::string readme = whole.str();
  static const std::regex kRow(
      R"(\| (\d{4})-(\d{2})-(\d{2}) \| \w+ \| `([-0-9 ]+)` \| (\d+) moves \|)");
  int rows = 0;
  int faults = 0;
  for (auto row = std::sregex_iterator(readme.begin(), readme.end(), kRow);
       row != std::sregex_iterator(); ++row, ++rows) {
    const auto& match = *row;
    Board board{};
    const int32_t distance = boardOfDay(
        dayNumber(std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3])), board.data());
    if (text(board) != match[4].str() || std::to_string(distance) != match[5].str()) {
      std::printf("README %s: core gives `%s` at %d moves\n", match[0].str().c_str(),
                  text(board).c_str(), distance);
      ++faults;
    }
  }
  if (rows != 3) std::printf("README: %d dates' boards instead of three\n", rows);
  return faults + (rows == 3 ? 0 : 1);
}

// Two years of days from 2026-01-05, a Monday: each board at its weekday's distance, and no board
// twice; returns the number of faults.
int checkTwoYears() {
  constexpr int32_t kDays = 2 * 366;
  const int32_t first = dayNumber(2026, 1, 5);
  std::set<Board> seen;
  int faults = 0;
  for (int32_t day = first; day < first + kDays; ++day) {
    Board board{};
    const int32_t distance = boardOfDay(day, board.data());
    if (distance != 15 + (day - first) % 7 || boardDistanceOf(board.data()) != distance ||
        !seen.insert(board).second) {
      std::printf("day %d: `%s` at %d moves, or seen before\n", day, text(board).c_str(), distance);
      ++faults;
    }
  }
  return faults;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: days_test README_PATH\n");
    return 2;
  }
  const Board target{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  boardDistancesTo(target.data());
  const int faults = checkReadme(argv[1]) + checkTwoYears();
  std::printf(faults == 0 ? "the days' boards are the README's, and none repeats\n" : "%d faults\n",
              faults);
  return faults == 0 ? 0 : 1;
}
