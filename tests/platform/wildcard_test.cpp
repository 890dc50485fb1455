// Windows wildcard rules: the failure-record gate depends on them.
#include <gtest/gtest.h>

#include "platform/wildcard.h"

namespace kelvo {
namespace {

struct Case {
  const char* name;
  const char* mask;
  bool matches;
};

TEST(Wildcard, MatchesLikeWindowsFileEnumeration) {
  const Case cases[] = {
      // The failure-record mask: any case, with or without extension, folders too.
      {"SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 M-LOJA.TXT", "SCRIPT_ERRO*.*", true},
      {"script_erro_x.txt", "SCRIPT_ERRO*.*", true},
      {"SCRIPT_ERRO", "SCRIPT_ERRO*.*", true},
      {"SCRIPT_ERROR_LOG", "SCRIPT_ERRO*.*", true},
      {"SCRIPT_ERR.TXT", "SCRIPT_ERRO*.*", false},
      {"XSCRIPT_ERRO.TXT", "SCRIPT_ERRO*.*", false},
      {"a.b.c", "SCRIPT_ERRO*.*", false},
      // "*.*" matches every name, dotted or not.
      {"README", "*.*", true},
      {".hidden", "*.*", true},
      {"x", "*", true},
      // '?' is one character, or nothing before a dot or at the end.
      {"ab", "a?", true},
      {"a", "a?", true},
      {"abc", "a?", false},
      {"a.txt", "a?.txt", true},
      {"ab.txt", "a?.txt", true},
      {"abc.txt", "a?.txt", false},
      // "*.txt" needs the extension; a '.' at the end of the mask means none.
      {"notes.txt", "*.txt", true},
      {"notes.TXT", "*.txt", true},
      {"notes.txt.bak", "*.txt", false},
      {"notes", "*.txt", false},
      {"notes", "notes.", true},
      {"notes.x", "notes.", false},
      {"notes", "notes.*", true},
      {"notes.abc", "notes.*", true},
      // Letters beyond ASCII compare without regard to case as well.
      {"ação.txt", "AÇÃO.TXT", true},
      {"ÉCOLE", "école", true},
      {"Привет", "пРИВЕТ", true},
      {"abc", "", false},
      {"", "*", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(matchesWildcard(c.name, c.mask), c.matches)
        << "name '" << c.name << "' mask '" << c.mask << "'";
  }
}

TEST(Wildcard, LongNamesAndManyStarsStayFast) {
  const std::string name(4000, 'a');
  EXPECT_FALSE(matchesWildcard(name, "*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(matchesWildcard(name + ".txt", "*a*a*a*.txt"));
}

}  // namespace
}  // namespace kelvo
