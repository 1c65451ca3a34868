// The code is one number written in base 31, then its two check digits.
// The number holds how many cells of each sort the board has (empty and the
// six kinds), as the rank of those counts among all shares of 80 cells, and
// the rank of the board among all boards with those counts. Boards with few sorts of
// cells or many cells of one sort get short codes; a board of 80 cells
// drawn evenly from seven sorts needs about 46 characters.
#include "levels/level_code.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr char ALPHABET[] = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
constexpr uint32_t BASE = 31;
constexpr int SORTS = 7;  // empty and six kinds
constexpr int CHECK_DIGITS = 2;
constexpr uint32_t CHECK_SALT = 7;  // keeps codes of another format from passing

// A number of 320 bits, enough for any code LEVEL_CODE_MAX_LENGTH long.
struct BigNumber {
  static constexpr int LIMBS = 10;
  std::array<uint32_t, LIMBS> Limb{};
  bool Overflow = false;

  explicit BigNumber(uint32_t v = 0) { Limb[0] = v; }
  bool Zero() const {
    return std::all_of(Limb.begin(), Limb.end(), [](uint32_t l) { return l == 0; });
  }
  void MulAdd(uint32_t m, uint32_t add) {
    uint64_t carry = add;
    for (uint32_t& l : Limb) {
      const uint64_t v = static_cast<uint64_t>(l) * m + carry;
      l = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    if (carry != 0) Overflow = true;
  }
  uint32_t DivMod(uint32_t d) {
    uint64_t rest = 0;
    for (int i = LIMBS - 1; i >= 0; --i) {
      const uint64_t v = (rest << 32) | Limb[i];
      Limb[i] = static_cast<uint32_t>(v / d);
      rest = v % d;
    }
    return static_cast<uint32_t>(rest);
  }
  bool Less(const BigNumber& o) const {
    for (int i = LIMBS - 1; i >= 0; --i) {
      if (Limb[i] != o.Limb[i]) return Limb[i] < o.Limb[i];
    }
    return false;
  }
  void Add(const BigNumber& o) {
    uint64_t carry = 0;
    for (int i = 0; i < LIMBS; ++i) {
      const uint64_t v = static_cast<uint64_t>(Limb[i]) + o.Limb[i] + carry;
      Limb[i] = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    if (carry != 0) Overflow = true;
  }
  void Subtract(const BigNumber& o) {  // only when o <= this
    int64_t borrow = 0;
    for (int i = 0; i < LIMBS; ++i) {
      int64_t v = static_cast<int64_t>(Limb[i]) - o.Limb[i] - borrow;
      borrow = v < 0 ? 1 : 0;
      Limb[i] = static_cast<uint32_t>(v + (borrow << 32));
    }
  }
};

using Counts = std::array<uint32_t, SORTS>;

// Ways to share n cells between k sorts: C(n + k - 1, k - 1).
uint32_t Shares(uint32_t n, int k) {
  uint64_t ways = 1;
  for (int i = 1; i < k; ++i) ways = ways * (n + static_cast<uint32_t>(i)) / static_cast<uint32_t>(i);
  return static_cast<uint32_t>(ways);
}

const uint32_t COMPOSITIONS = Shares(GRID_CELLS, SORTS);

// The rank of the counts among all shares of the 80 cells, and back.
uint32_t CountsRank(const Counts& counts) {
  uint32_t rank = 0, rest = GRID_CELLS;
  for (int s = 0; s < SORTS - 1; ++s) {
    for (uint32_t v = 0; v < counts[s]; ++v) rank += Shares(rest - v, SORTS - 1 - s);
    rest -= counts[s];
  }
  return rank;
}

bool CountsOfRank(uint32_t rank, Counts& counts) {
  uint32_t rest = GRID_CELLS;
  for (int s = 0; s < SORTS - 1; ++s) {
    uint32_t v = 0;
    while (v <= rest && rank >= Shares(rest - v, SORTS - 1 - s)) rank -= Shares(rest - v++, SORTS - 1 - s);
    if (v > rest) return false;
    counts[s] = v;
    rest -= v;
  }
  counts[SORTS - 1] = rest;
  return rank == 0;
}

// The number of boards with these counts.
BigNumber Arrangements(const Counts& counts) {
  BigNumber m(1);
  uint32_t total = 0;
  for (uint32_t c : counts) {
    for (uint32_t j = 1; j <= c; ++j) {
      m.MulAdd(++total, 0);
      m.DivMod(j);  // exact: the product so far times C(total, j)
    }
  }
  return m;
}

// The boards that start with `sort` among those of `arrangements` boards of
// `left` cells with these counts.
BigNumber StartingWith(const BigNumber& arrangements, const Counts& counts, int sort, uint32_t left) {
  BigNumber m = arrangements;
  m.MulAdd(counts[sort], 0);
  m.DivMod(left);
  return m;
}

// Two check digits over the digits: their sum and their sum weighed by
// position, both modulo 31 (a prime). One changed digit changes the sum; two
// different neighbours swapped change the weighed sum.
void CheckDigits(const std::string& digits, uint32_t& plain, uint32_t& weighed) {
  plain = 0;
  weighed = CHECK_SALT;
  for (size_t i = 0; i < digits.size(); ++i) {
    const uint32_t d = static_cast<uint32_t>(digits[i]);
    plain = (plain + d) % BASE;
    weighed = (weighed + d * static_cast<uint32_t>(i % BASE + 1)) % BASE;
  }
}

int DigitOf(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (uint32_t d = 0; d < BASE; ++d) {
    if (ALPHABET[d] == c) return static_cast<int>(d);
  }
  return -1;
}

}  // namespace

std::string LevelCode(const KindCells& cells) {
  Counts counts{};
  for (int8_t k : cells) counts[std::clamp(k + 1, 0, SORTS - 1)]++;
  // The rank among the boards with these counts.
  Counts left = counts;
  BigNumber arrangements = Arrangements(counts);
  BigNumber number;
  for (int c = 0; c < GRID_CELLS; ++c) {
    const int sort = std::clamp(cells[c] + 1, 0, SORTS - 1);
    const uint32_t cellsLeft = static_cast<uint32_t>(GRID_CELLS - c);
    for (int t = 0; t < sort; ++t) {
      if (left[t] != 0) number.Add(StartingWith(arrangements, left, t, cellsLeft));
    }
    arrangements = StartingWith(arrangements, left, sort, cellsLeft);
    left[sort]--;
  }
  // Then the counts, as their rank among all ways to share the 80 cells
  // between the seven sorts.
  number.MulAdd(COMPOSITIONS, 0);
  number.Add(BigNumber(CountsRank(counts)));
  std::string digits;
  do {
    digits.push_back(static_cast<char>(number.DivMod(BASE)));
  } while (!number.Zero());
  std::reverse(digits.begin(), digits.end());
  uint32_t plain = 0, weighed = 0;
  CheckDigits(digits, plain, weighed);
  std::string code;
  for (char d : digits) code.push_back(ALPHABET[static_cast<int>(d)]);
  code.push_back(ALPHABET[plain]);
  code.push_back(ALPHABET[weighed]);
  return code;
}

CodeError ReadLevelCode(const std::string& text, KindCells& cells) {
  std::string digits;
  for (char c : text) {
    if (c == ' ' || c == '-' || c == '\t' || c == '\r' || c == '\n') continue;
    if (static_cast<int>(digits.size()) >= LEVEL_CODE_MAX_LENGTH) return CodeError::TooLong;
    const int d = DigitOf(c);
    if (d < 0) return CodeError::BadCharacter;
    digits.push_back(static_cast<char>(d));
  }
  if (digits.empty()) return CodeError::Empty;
  if (digits.size() <= CHECK_DIGITS) return CodeError::BadCheck;
  const std::string body = digits.substr(0, digits.size() - CHECK_DIGITS);
  uint32_t plain = 0, weighed = 0;
  CheckDigits(body, plain, weighed);
  if (static_cast<uint32_t>(digits[body.size()]) != plain || static_cast<uint32_t>(digits[body.size() + 1]) != weighed) {
    return CodeError::BadCheck;
  }
  // One code per board: no leading zero digit.
  if (body.size() > 1 && body[0] == 0) return CodeError::BadBoard;
  BigNumber number;
  for (char d : body) number.MulAdd(BASE, static_cast<uint32_t>(d));
  if (number.Overflow) return CodeError::BadBoard;
  Counts counts{};
  if (!CountsOfRank(number.DivMod(COMPOSITIONS), counts)) return CodeError::BadBoard;
  BigNumber arrangements = Arrangements(counts);
  if (!number.Less(arrangements)) return CodeError::BadBoard;
  KindCells read{};
  Counts left = counts;
  for (int c = 0; c < GRID_CELLS; ++c) {
    const uint32_t cellsLeft = static_cast<uint32_t>(GRID_CELLS - c);
    int sort = -1;
    for (int t = 0; t < SORTS && sort < 0; ++t) {
      if (left[t] == 0) continue;
      const BigNumber starting = StartingWith(arrangements, left, t, cellsLeft);
      if (number.Less(starting)) {
        sort = t;
        arrangements = starting;
      } else {
        number.Subtract(starting);
      }
    }
    if (sort < 0) return CodeError::BadBoard;
    read[c] = static_cast<int8_t>(sort - 1);
    left[sort]--;
  }
  cells = read;
  return CodeError::None;
}
