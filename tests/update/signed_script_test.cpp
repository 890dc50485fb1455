// Signed scripts on the real catalogue and client databases: a keyed run
// executes only what the maker signed for this programme and version; a
// script whose signature fails leaves a record and no version, so the
// corrected script runs once support removes the record; a run without keys
// never reads the signatures.
#include <gmock/gmock.h>

#include <filesystem>

#include "platform/codepage.h"
#include "platform/hex_text.h"
#include "trust/ed25519.h"
#include "update/script_run_site.h"
#include "update/script_signature.h"

namespace kelvo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kFirst = "CREATE TABLE T (N INTEGER);\r\n";
const std::string kSecond = "INSERT INTO T VALUES (2);\r\n";

class SignedScriptTest : public ScriptRunSite {
 protected:
  std::string signature(const std::string& versao, const std::string& texto,
                        const Ed25519KeyPair& key, const std::string& programa = "QUARVESSA") {
    return toLowerHex(ed25519Sign(key.secret, scriptSignatureMessage(programa, versao, texto)));
  }
  void addSigned(const std::string& versao, const std::string& texto,
                 const std::string& assinatura) {
    catalog.addScript("QUARVESSA", versao, texto);
    catalog.execute("UPDATE scripts SET assinatura=" +
                    (assinatura.empty() ? std::string("NULL") : "'" + assinatura + "'") +
                    " WHERE versao='" + versao + "'");
  }

  Ed25519KeyPair maker_ = generateEd25519KeyPair();
};

TEST_F(SignedScriptTest, OnlyTheMakersSignatureOfThisScriptLetsItRun) {
  const Ed25519KeyPair stranger = generateEd25519KeyPair();
  const struct {
    const char* what;
    std::string assinatura;  // of the second script
  } cases[] = {
      {"no signature", ""},
      {"another key's", signature("0002", kSecond, stranger)},
      {"another version's", signature("0003", kSecond, maker_)},
      {"another programme's", signature("0002", kSecond, maker_, "OUTRO")},
      {"another text's", signature("0002", "INSERT INTO T VALUES (3);\r\n", maker_)},
  };
  publicKeys = {maker_.publicKey};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    catalog.execute("DELETE FROM scripts");
    const std::string alias = "L" + std::to_string(&c - cases);
    databases.addDatabase(alias);
    addSigned("0001", kFirst, signature("0001", kFirst, maker_));
    addSigned("0002", kSecond, c.assinatura);
    addSigned("0003", "INSERT INTO T VALUES (3);\r\n", signature("0003", "x", maker_));

    const ScriptRunResult first = run({alias});
    ASSERT_EQ(first.databases.size(), 1u);
    const DatabaseResult& refused = first.databases[0];
    EXPECT_TRUE(first.failed());
    EXPECT_THAT(refused.applied, ElementsAre("0001"));
    ASSERT_TRUE(refused.failure);
    EXPECT_EQ(refused.failure->version, "0002");
    EXPECT_EQ(refused.failure->error, kInvalidScriptSignature);
    const std::filesystem::path record = folder.path() / refused.failure->recordName;
    EXPECT_THAT(readFile(record), HasSubstr(utf8ToAnsi(kInvalidScriptSignature)));  // as written
    EXPECT_THAT(readFile(record), HasSubstr("INSERT INTO T VALUES (2);"));
    // The refused script left nothing, and its version is not recorded.
    EXPECT_THAT(databases.column(alias, "select versao V from versao"), ElementsAre("0001"));
    EXPECT_THAT(databases.column(alias, "select count(*) V from t"), ElementsAre("0"));

    // Support removes the record and the maker signs the script: it runs
    // once; the next one, badly signed, stops the run in its turn.
    std::filesystem::remove(record);
    catalog.execute("UPDATE scripts SET assinatura='" + signature("0002", kSecond, maker_) +
                    "' WHERE versao='0002'");
    const ScriptRunResult second = run({alias});
    EXPECT_THAT(second.databases[0].applied, ElementsAre("0002"));
    EXPECT_EQ(second.databases[0].failure->version, "0003");
    EXPECT_THAT(databases.column(alias, "select n V from t"), ElementsAre("2"));
    EXPECT_THAT(databases.column(alias, "select versao V from versao"), ElementsAre("0002"));
    std::filesystem::remove(folder.path() / second.databases[0].failure->recordName);
  }
}

TEST_F(SignedScriptTest, WithoutKeysNoSignatureIsRead) {
  databases.addDatabase("LOJA");
  addSigned("0001", kFirst, "not a signature");
  // Not even the column: a catalogue of the old schema serves such a build.
  catalog.execute("ALTER TABLE scripts DROP COLUMN assinatura");
  const ScriptRunResult result = run({"LOJA"});
  EXPECT_FALSE(result.failed());
  EXPECT_THAT(result.databases[0].applied, ElementsAre("0001"));
}

}  // namespace
}  // namespace kelvo::test
