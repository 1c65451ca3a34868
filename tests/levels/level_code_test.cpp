// Level codes: every board comes back from its code, any one mistyped
// character or swapped pair is refused, and hostile texts are refused
// without touching the board.
#include <random>

#include "app/archive.h"
#include "levels/level_bank.h"
#include "levels/level_code.h"

#include <gtest/gtest.h>

namespace {

KindCells BankCells(int n) {
  KindCells cells{};
  for (int c = 0; c < GRID_CELLS; ++c) cells[c] = static_cast<int8_t>(LevelCellByte(n, c % 10, c / 10) - 1);
  return cells;
}

// Bank levels, the extremes, and boards of every density and number of kinds.
std::vector<KindCells> Boards() {
  RegisterArchive();
  LoadLevelBank();
  std::vector<KindCells> boards;
  for (int n = 0; n < LevelCount; ++n) boards.push_back(BankCells(n));
  KindCells b;
  b.fill(-1);
  boards.push_back(b);
  b.fill(5);
  boards.push_back(b);
  std::mt19937 rng(12345);
  for (int i = 0; i < 300; ++i) {
    const int sorts = 1 + static_cast<int>(rng() % 7);
    for (int8_t& c : b) c = static_cast<int8_t>(static_cast<int>(rng() % sorts) - 1);
    boards.push_back(b);
  }
  return boards;
}

TEST(LevelCode, EveryBoardComesBackFromItsCodeOfSafeCharacters) {
  const std::vector<KindCells> boards = Boards();
  ASSERT_GE(LevelCount, 5);
  size_t longest = 0;
  for (const KindCells& board : boards) {
    const std::string code = LevelCode(board);
    longest = std::max(longest, code.size());
    EXPECT_EQ(code.find_first_not_of("23456789ABCDEFGHJKMNPQRSTUVWXYZ"), std::string::npos) << code;
    KindCells back;
    back.fill(3);
    ASSERT_EQ(ReadLevelCode(code, back), CodeError::None) << code;
    EXPECT_EQ(back, board) << code;
    // Typed in lower case, in groups, it is the same code.
    std::string typed;
    for (size_t i = 0; i < code.size(); ++i) typed += std::string(i % 4 == 0 ? " " : "") + static_cast<char>(std::tolower(code[i]));
    KindCells again{};
    ASSERT_EQ(ReadLevelCode(typed + "\n", again), CodeError::None);
    EXPECT_EQ(again, board);
  }
  EXPECT_LE(longest, static_cast<size_t>(LEVEL_CODE_MAX_LENGTH));
}

TEST(LevelCode, EveryMistypedCharacterOrSwappedPairIsRefused) {
  const std::string alphabet = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
  std::vector<KindCells> boards = Boards();
  boards.resize(LevelCount + 20);
  for (const KindCells& board : boards) {
    const std::string code = LevelCode(board);
    for (size_t i = 0; i < code.size(); ++i) {
      for (char c : alphabet) {
        if (c == code[i]) continue;
        std::string wrong = code;
        wrong[i] = c;
        KindCells cells = board;
        EXPECT_NE(ReadLevelCode(wrong, cells), CodeError::None) << wrong;
        EXPECT_EQ(cells, board);
      }
      if (i + 1 < code.size() && code[i] != code[i + 1]) {
        std::string swapped = code;
        std::swap(swapped[i], swapped[i + 1]);
        KindCells cells = board;
        EXPECT_NE(ReadLevelCode(swapped, cells), CodeError::None) << swapped;
      }
    }
  }
}

TEST(LevelCode, HostileTextsAreRefusedAndChangeNothing) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte.push_back(static_cast<char>(b));
  const struct {
    std::string Text;
    CodeError Error;
  } cases[] = {
      {"", CodeError::Empty},
      {" - \n", CodeError::Empty},
      {std::string(100000, 'A'), CodeError::TooLong},
      {std::string(LEVEL_CODE_MAX_LENGTH, 'Z'), CodeError::BadCheck},
      {everyByte, CodeError::BadCharacter},
      {"ABC0", CodeError::BadCharacter},
      {"O1IL", CodeError::BadCharacter},
      {"AB", CodeError::BadCheck},
      {"A", CodeError::BadCheck},
  };
  for (const auto& c : cases) {
    KindCells cells;
    cells.fill(2);
    const KindCells before = cells;
    EXPECT_EQ(ReadLevelCode(c.Text, cells), c.Error) << c.Text.size();
    EXPECT_EQ(cells, before);
  }
  // Every single byte after a good code, and every byte alone.
  KindCells board;
  board.fill(-1);
  board[0] = board[2] = 0;
  const std::string code = LevelCode(board);
  for (int b = 0; b < 256; ++b) {
    KindCells cells = board;
    const std::string text(1, static_cast<char>(b));
    const CodeError alone = ReadLevelCode(text, cells);
    EXPECT_NE(alone, CodeError::None) << b;
    const CodeError after = ReadLevelCode(code + text, cells);
    if (text == " " || text == "-" || text == "\t" || text == "\r" || text == "\n") {
      EXPECT_EQ(after, CodeError::None);
    } else {
      EXPECT_NE(after, CodeError::None) << b;
    }
    EXPECT_EQ(cells, board);
  }
}

TEST(LevelCode, CheckedNumbersBeyondAnyBoardAreRefused) {
  // Well-formed codes (right check) whose number no board has: largest
  // numbers of every length, and a leading zero digit.
  for (int len = 48; len <= LEVEL_CODE_MAX_LENGTH - 2; ++len) {
    std::string body(len, 30);
    uint32_t plain = 0, weighed = 7;
    for (int i = 0; i < len; ++i) {
      plain = (plain + 30) % 31;
      weighed = (weighed + 30 * static_cast<uint32_t>(i % 31 + 1)) % 31;
    }
    const std::string alphabet = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
    std::string code(len, 'Z');
    code += alphabet[plain];
    code += alphabet[weighed];
    KindCells cells{};
    EXPECT_EQ(ReadLevelCode(code, cells), CodeError::BadBoard) << len;
  }
}

}  // namespace
