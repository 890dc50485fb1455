// The database clients are loaded at run time on Windows: without them the
// program still starts and names the library that is missing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_database.h"
#include "access/catalogue/catalog_error.h"
#include "access/interbase/ib_client_library.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using ::testing::HasSubstr;

TEST(ClientLibrariesOnWindows, AMissingInterBaseClientIsNamed) {
  test::ScopedEnv configured("KELVOUPDATE_FBCLIENT", std::nullopt);
  EXPECT_EQ(ibClientLibraryName(), "gds32.dll");
  for (const std::string name : {"gds32.dll", "fbclient.dll"}) {
    try {
      loadIbClientLibrary(name);
      ADD_FAILURE() << name << " loaded: this machine was expected to have no Windows client";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()),
                "InterBase library " + name +
                    " not found in the path. Please install InterBase to use this functionality");
    }
  }
}

TEST(ClientLibrariesOnWindows, AMissingCatalogueClientNamesBothLibrariesAndIsTriedAgain) {
  test::TempFolder folder;
  const auto aliases =
      folder.write("aliases.ini", "[Check]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\n");
  AliasFileRegistry registry(aliases.string());
  CatalogDatabase database(registry);
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      database.open();
      ADD_FAILURE() << "the catalogue opened: this machine was expected to have no Windows client";
    } catch (const CatalogError& error) {
      EXPECT_THAT(error.what(), HasSubstr("neither libmariadb.dll nor libmysql.dll"));
    }
    EXPECT_FALSE(database.connected());
  }
}

}  // namespace
}  // namespace kelvo
