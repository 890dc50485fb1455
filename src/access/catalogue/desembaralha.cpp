// Descrambling (and its inverse) in the ANSI code page and in UTF-16.
#include "access/catalogue/desembaralha.h"

#include "platform/codepage.h"

namespace kelvo {

namespace {

template <typename Unit>
int keyOf(Unit first) {
  return first >= Unit('0') && first <= Unit('9') ? static_cast<int>(first - Unit('0')) : 0;
}

// Shifts every unit after the key digit down by 3 * key, wrapping within the
// unit's range (unsigned arithmetic gives the modulo).
template <typename Unsigned, typename Text>
Text shiftDown(const Text& text) {
  if (text.empty()) return {};
  const int key = keyOf(text.front());
  Text out;
  out.reserve(text.size() - 1);
  for (std::size_t i = 1; i < text.size(); ++i) {
    const auto unit = static_cast<Unsigned>(text[i]);
    out += static_cast<typename Text::value_type>(static_cast<Unsigned>(unit - 3 * key));
  }
  return out;
}

template <typename Unsigned, typename Text>
Text scramble(const Text& text, int key) {
  if (key < 0 || key > 9) key = 0;
  Text out;
  out += static_cast<typename Text::value_type>('0' + key);
  for (const auto c : text) {
    const auto unit = static_cast<Unsigned>(c);
    out += static_cast<typename Text::value_type>(static_cast<Unsigned>(unit + 3 * key));
  }
  return out;
}

}  // namespace

std::string DesembaralhaAnsi(std::string_view text) {
  return ansiToUtf8(shiftDown<unsigned char>(utf8ToAnsi(text)));
}

std::u16string Desembaralha(std::u16string_view text) {
  return shiftDown<char16_t>(std::u16string(text));
}

std::string Desembaralha(std::string_view text) {
  return utf16ToUtf8(Desembaralha(std::u16string_view(utf8ToUtf16(text))));
}

std::string EmbaralhaAnsi(std::string_view text, int key) {
  return ansiToUtf8(scramble<unsigned char>(utf8ToAnsi(text), key));
}

std::u16string Embaralha(std::u16string_view text, int key) {
  return scramble<char16_t>(std::u16string(text), key);
}

}  // namespace kelvo
