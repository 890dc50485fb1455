// Windows wildcard matching. The mask is first rewritten the way the Windows
// file system rewrites it (DOS_STAR, DOS_QM, DOS_DOT), then matched over code
// points with a small backtracking-free dynamic program.
#include "platform/wildcard.h"

#include <vector>

#include "platform/codepage.h"

namespace kelvo {

namespace {

enum class Op { Literal, Star, Qm, DosStar, DosQm, DosDot };

struct Item {
  Op op;
  char32_t ch;
};

// Upper-cases the letters of the Latin, Greek and Cyrillic blocks without
// depending on the process's locale.
char32_t fold(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    // Pairs alternate upper/lower; the run 0x139..0x148 and 0x179..0x17E is shifted by one.
    const bool odd_upper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool is_lower = odd_upper ? (c % 2 == 0) : (c % 2 == 1);
    return is_lower ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

std::vector<char32_t> codePoints(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t pos = 0; pos < text.size();) out.push_back(fold(decodeUtf8(text, pos)));
  return out;
}

std::vector<Item> compile(std::string_view mask_text) {
  const std::vector<char32_t> mask = codePoints(mask_text);
  std::vector<Item> items;
  if (mask == std::vector<char32_t>{U'*', U'.', U'*'}) return {{Op::Star, 0}};
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const char32_t c = mask[i];
    const char32_t next = i + 1 < mask.size() ? mask[i + 1] : 0;
    if (c == U'?') {
      items.push_back({Op::DosQm, 0});
    } else if (c == U'*') {
      items.push_back({next == U'.' ? Op::DosStar : Op::Star, 0});
    } else if (c == U'.' && (next == U'?' || next == U'*' || next == 0)) {
      items.push_back({Op::DosDot, 0});
    } else {
      items.push_back({Op::Literal, c});
    }
  }
  return items;
}

}  // namespace

bool matchesWildcard(std::string_view name_text, std::string_view mask_text) {
  const std::vector<char32_t> name = codePoints(name_text);
  const std::vector<Item> mask = compile(mask_text);
  const std::size_t n = name.size();
  // Position of the last dot in the name: DOS_STAR may not run past it.
  std::size_t last_dot = n;
  for (std::size_t i = 0; i < n; ++i) {
    if (name[i] == U'.') last_dot = i;
  }
  // states[i]: the mask prefix handled so far can end with i name characters consumed.
  std::vector<char> states(n + 1, 0);
  states[0] = 1;
  for (const Item& item : mask) {
    std::vector<char> next(n + 1, 0);
    for (std::size_t i = 0; i <= n; ++i) {
      if (!states[i]) continue;
      switch (item.op) {
        case Op::Literal:
          if (i < n && name[i] == item.ch) next[i + 1] = 1;
          break;
        case Op::Star:
          for (std::size_t j = i; j <= n; ++j) next[j] = 1;
          break;
        case Op::Qm:
          if (i < n) next[i + 1] = 1;
          break;
        case Op::DosStar:
          // Any run that does not swallow the last dot of the name.
          for (std::size_t j = i; j <= n; ++j) {
            next[j] = 1;
            if (j < n && j == last_dot) break;
          }
          break;
        case Op::DosQm:
          // One character, or nothing at a dot or at the end of the name.
          if (i < n && name[i] != U'.') next[i + 1] = 1;
          if (i == n || name[i] == U'.') next[i] = 1;
          break;
        case Op::DosDot:
          // A dot, or nothing at the end of the name.
          if (i < n && name[i] == U'.') next[i + 1] = 1;
          if (i == n) next[i] = 1;
          break;
      }
    }
    states.swap(next);
  }
  return states[n] != 0;
}

}  // namespace kelvo
