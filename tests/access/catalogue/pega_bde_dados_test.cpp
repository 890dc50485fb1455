// The alias parameter lookup: exact-name matching, last match, length cap,
// and silence on every failure.
#include "access/catalogue/pega_bde_dados.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "access/catalogue/alias_file.h"

namespace kelvo {
namespace {

// A registry answering from a fixed table, counting its uses.
class TableRegistry : public AliasRegistry {
 public:
  std::map<std::string, std::vector<std::string>> aliases;
  int calls = 0;
  std::string last_alias;

  void GetAliasParams(std::string_view alias, std::vector<std::string>& list) override {
    ++calls;
    last_alias = alias;
    list.clear();
    const auto found = aliases.find(std::string(alias));
    if (found == aliases.end()) throw AliasError("Unknown alias");
    list = found->second;
  }
};

class ThrowingRegistry : public AliasRegistry {
 public:
  void GetAliasParams(std::string_view, std::vector<std::string>& list) override {
    list.push_back("SERVER NAME=half-filled");
    throw std::runtime_error("engine cannot start");
  }
};

TEST(PegaBDEdados, MatchesOnlyTheExactNameFollowedByEquals) {
  struct Case {
    std::vector<std::string> params;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{"SERVER NAME=/data/a.fdb"}, "/data/a.fdb"},
      {{"SERVER NAME="}, ""},
      {{}, ""},
      {{"server name=/data/a.fdb"}, ""},
      {{"SERVER NAMES=/x"}, ""},
      {{"SERVER NAME =/x"}, ""},
      {{"SERVER NAME"}, ""},
      {{"SERVER NAME=/first", "USER NAME=SYSDBA", "SERVER NAME=/second"}, "/second"},
      {{"SERVER NAME=/first", "SERVER NAME="}, ""},
      {{"SERVER NAME=a=b"}, "a=b"},
  };
  for (const Case& c : cases) {
    TableRegistry registry;
    registry.aliases["BASE"] = c.params;
    EXPECT_EQ(PegaBDEdados(registry, "BASE", "SERVER NAME"), c.expected)
        << "params: " << ::testing::PrintToString(c.params);
  }
}

TEST(PegaBDEdados, CapsTheValueAtOneHundredCharacters) {
  TableRegistry registry;
  const std::string long_value(150, 'x');
  const std::string accented = std::string(99, 'a') + "\xC3\xA7\xC3\xA3";  // 99 + "çã"
  registry.aliases["LONG"] = {"SERVER NAME=" + long_value};
  registry.aliases["ACCENTED"] = {"SERVER NAME=" + accented};
  EXPECT_EQ(PegaBDEdados(registry, "LONG", "SERVER NAME"), std::string(100, 'x'));
  // Characters, not bytes: the cut never splits a character.
  EXPECT_EQ(PegaBDEdados(registry, "ACCENTED", "SERVER NAME"), std::string(99, 'a') + "\xC3\xA7");
}

TEST(PegaBDEdados, EmptyNamesNeverReachTheRegistry) {
  TableRegistry registry;
  registry.aliases[""] = {"=x"};
  EXPECT_EQ(PegaBDEdados(registry, "", "SERVER NAME"), "");
  EXPECT_EQ(PegaBDEdados(registry, "BASE", ""), "");
  EXPECT_EQ(registry.calls, 0);
}

TEST(PegaBDEdados, EveryRegistryFailureGivesEmptyText) {
  TableRegistry registry;
  EXPECT_EQ(PegaBDEdados(registry, "MISSING", "SERVER NAME"), "");
  EXPECT_EQ(registry.calls, 1);
  ThrowingRegistry throwing;
  EXPECT_EQ(PegaBDEdados(throwing, "ANY", "SERVER NAME"), "");
}

TEST(PegaBDEdados, ReadsAnAliasFileByTheFirst31CharactersOfTheName) {
  const std::string name31 = "ALIAS_WITH_A_VERY_LONG_NAME_123";
  ASSERT_EQ(name31.size(), 31u);
  AliasFile file =
      AliasFile::parse("[" + name31 + "]\nDRIVER=INTRBASE\nSERVER NAME=/db/long.fdb\n", "test");
  class FileRegistry : public AliasRegistry {
   public:
    explicit FileRegistry(const AliasFile& file) : file_(file) {}
    void GetAliasParams(std::string_view alias, std::vector<std::string>& list) override {
      const AliasEntry* entry = file_.find(alias);
      if (entry == nullptr) throw AliasError("unknown");
      list = entry->params;
    }

   private:
    const AliasFile& file_;
  } registry(file);
  EXPECT_EQ(PegaBDEdados(registry, name31 + "_AND_MORE", "SERVER NAME"), "/db/long.fdb");
  EXPECT_EQ(PegaBDEdados(registry, name31.substr(0, 30), "SERVER NAME"), "");
}

}  // namespace
}  // namespace kelvo
