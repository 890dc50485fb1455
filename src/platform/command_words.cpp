// Splitting a command line into words, the same on every platform.
#include "platform/command_words.h"

namespace kelvo {

std::vector<std::string> commandWords(const std::string& line) {
  std::vector<std::string> words;
  std::string current;
  bool quoted = false;
  bool have = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
      have = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (have) words.push_back(current);
      current.clear();
      have = false;
    } else {
      current += c;
      have = true;
    }
  }
  if (have) words.push_back(current);
  return words;
}

}  // namespace kelvo
