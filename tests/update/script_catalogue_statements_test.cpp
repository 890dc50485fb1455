// The catalogue statements: byte for byte the fixed texts for ordinary
// values, and an apostrophe in a value kept inside its quotes.
#include <gtest/gtest.h>

#include "update/script_catalogue.h"

namespace kelvo {
namespace {

TEST(CatalogueStatements, OrdinaryValuesGiveTheFixedTexts) {
  EXPECT_EQ(pendingCountStatement("QUARVESSA", "0"),
            "select count(*) ct from scripts where programa='QUARVESSA' and versao>'0' and "
            "liberado='S' order by versao");
  EXPECT_EQ(pendingListStatement("QUARVESSA", "0012"),
            "select programa,versao from scripts where programa='QUARVESSA' and versao>'0012' "
            "and liberado='S' order by versao");
  EXPECT_EQ(pendingListStatement("QUARVESSA", ""),
            "select programa,versao from scripts where programa='QUARVESSA' and versao>'' and "
            "liberado='S' order by versao");
  EXPECT_EQ(scriptTextStatement("QUARVESSA", "0012"),
            "select texto from scripts where programa='QUARVESSA' and versao='0012' and "
            "liberado='S'");
}

TEST(CatalogueStatements, ApostrophesAreDoubled) {
  struct Case {
    std::string value;
    std::string quoted;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"0012", "0012"},
      {"'", "''"},
      {"9'", "9''"},
      {"''", "''''"},
      {"x' or '1'='1", "x'' or ''1''=''1"},
      {"a\\'b", "a\\''b"},
  };
  for (const Case& c : cases) EXPECT_EQ(sqlQuoted(c.value), c.quoted) << c.value;
  EXPECT_EQ(pendingCountStatement("QUAR'VESSA", "9'"),
            "select count(*) ct from scripts where programa='QUAR''VESSA' and versao>'9''' and "
            "liberado='S' order by versao");
}

}  // namespace
}  // namespace kelvo
