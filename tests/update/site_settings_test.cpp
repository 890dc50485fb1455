// kelvoupdate.ini: the waits it sets, and a clear error for every bad line.
#include "update/site_settings.h"

#include <gtest/gtest.h>

#include "support/scoped_env.h"
#include "support/temp_folder.h"
#include "update/deployment.h"
#include "update/site_servers.h"

namespace kelvo {
namespace {

// An absolute folder on this system.
#ifdef _WIN32
#define KELVO_ABSOLUTE(tail) "C:\\" tail
#else
#define KELVO_ABSOLUTE(tail) "/" tail
#endif

TEST(SiteSettings, ValuesAndDefaults) {
  const struct {
    const char* text;
    int ftp;
    int catalogue_read;
    int catalogue_write;
  } cases[] = {
      {"", 120, 60, 60},
      {"; nothing but a comment\r\n# and another\r\n\r\n", 120, 60, 60},
      {"[ftp]\nread_timeout = 5\n", 5, 60, 60},
      {"[catalogue]\r\nread_timeout=7\r\nwrite_timeout =  9  \r\n", 120, 7, 9},
      {"  [ ftp ]  \n\tread_timeout\t=\t86400\n[catalogue]\nread_timeout = 1", 86400, 1, 60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const SiteSettings settings = parseSiteSettings(c.text, "kelvoupdate.ini");
    EXPECT_EQ(settings.ftpReadTimeout, c.ftp);
    EXPECT_EQ(settings.catalogueReadTimeout, c.catalogue_read);
    EXPECT_EQ(settings.catalogueWriteTimeout, c.catalogue_write);
    EXPECT_FALSE(settings.backupFolder);
  }
  EXPECT_EQ(
      parseSiteSettings("[backup]\nfolder = " KELVO_ABSOLUTE("backups") " \n", "k").backupFolder,
      KELVO_ABSOLUTE("backups"));
}

TEST(SiteSettings, TlsIsAskedForPerServerWithItsCaFile) {
  const SiteSettings none = parseSiteSettings("", "k");
  EXPECT_EQ(ftpTlsConfig(none).required, kFtpTlsRequired);
  EXPECT_TRUE(catalogueTlsParams(none).empty());

  const SiteSettings both = parseSiteSettings(
      "[ftp]\ntls = required\nca_file = " KELVO_ABSOLUTE("ftp-ca.pem") "\n[catalogue]\ntls = "
      "required\nca_file = " KELVO_ABSOLUTE("db-ca.pem") "\n",
      "k");
  EXPECT_TRUE(ftpTlsConfig(both).required);
  EXPECT_EQ(ftpTlsConfig(both).caFile, KELVO_ABSOLUTE("ftp-ca.pem"));
  EXPECT_EQ(catalogueTlsParams(both),
            (std::vector<std::string>{"TLS=REQUIRED", "TLS CA FILE=" KELVO_ABSOLUTE("db-ca.pem")}));

  // Off is the default, and a site cannot turn off what the build requires.
  const SiteSettings off = parseSiteSettings("[ftp]\ntls = off\n[catalogue]\ntls = off\n", "k");
  EXPECT_EQ(ftpTlsConfig(off).required, kFtpTlsRequired);
  EXPECT_TRUE(catalogueTlsParams(off).empty());
}

TEST(SiteSettings, EveryBadLineIsNamedWithItsLine) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"read_timeout = 5\n", "k.ini:1: a setting must follow a section such as [ftp]"},
      {"[ftp]\n\n[tls\n", "k.ini:3: a section name must end with ']'"},
      {"[copia]\n", "k.ini:1: unknown section [copia]"},
      {"[backup]\nfolder = backups\n", "k.ini:2: 'folder' must be an absolute path, not 'backups'"},
      {"[backup]\nfolder = " KELVO_ABSOLUTE("a") "\nfolder = " KELVO_ABSOLUTE("b") "\n",
       "k.ini:3: 'folder' is set twice in [backup]"},
      {"[backup]\npasta = /a\n", "k.ini:2: unknown setting 'pasta' in [backup]"},
      {"[ftp]\nread_timout = 5\n", "k.ini:2: unknown setting 'read_timout' in [ftp]"},
      {"[ftp]\nwrite_timeout = 5\n", "k.ini:2: unknown setting 'write_timeout' in [ftp]"},
      {"[ftp]\nread_timeout\n", "k.ini:2: expected NAME = VALUE, found 'read_timeout'"},
      {"[ftp]\nread_timeout = 5\nread_timeout = 6\n",
       "k.ini:3: 'read_timeout' is set twice in [ftp]"},
      {"[ftp]\nread_timeout = 0\n",
       "k.ini:2: 'read_timeout' must be a whole number of seconds from 1 to 86400, not '0'"},
      {"[ftp]\nread_timeout = 86401\n",
       "k.ini:2: 'read_timeout' must be a whole number of seconds from 1 to 86400, not '86401'"},
      {"[catalogue]\nread_timeout = 2 min\n",
       "k.ini:2: 'read_timeout' must be a whole number of seconds from 1 to 86400, not '2 min'"},
      {"[catalogue]\nwrite_timeout = -3\n",
       "k.ini:2: 'write_timeout' must be a whole number of seconds from 1 to 86400, not '-3'"},
      {"[catalogue]\nwrite_timeout =\n",
       "k.ini:2: 'write_timeout' must be a whole number of seconds from 1 to 86400, not ''"},
      {"[ftp]\ntls = yes\n", "k.ini:2: 'tls' must be 'required' or 'off', not 'yes'"},
      {"[catalogue]\nca_file = ca.pem\n",
       "k.ini:2: 'ca_file' must be an absolute path, not 'ca.pem'"},
      {"[catalogue]\ntls = off\ntls = required\n", "k.ini:3: 'tls' is set twice in [catalogue]"},
      {"[backup]\ntls = required\n", "k.ini:2: unknown setting 'tls' in [backup]"},
      {"[ftp]\nread_timeout = 99999999999\n",
       "k.ini:2: 'read_timeout' must be a whole number of seconds from 1 to 86400, not "
       "'99999999999'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      parseSiteSettings(c.text, "k.ini");
      ADD_FAILURE() << "accepted";
    } catch (const SiteSettingsError& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
  }
}

TEST(SiteSettings, TheFileIsFoundByAnAbsolutePathOnly) {
#ifdef _WIN32
  GTEST_SKIP() << "on Windows the file lies in %ProgramData%\\KelvoUpdate, not beside the alias "
                  "file";
#endif
  test::TempFolder folder;
  {
    // Beside the alias file, and optional.
    const test::ScopedEnv config("KELVOUPDATE_CONFIG", std::nullopt);
    const test::ScopedEnv aliases("KELVOUPDATE_ALIASES", (folder.path() / "aliases.ini").string());
    EXPECT_EQ(siteSettingsPath(), (folder.path() / "kelvoupdate.ini").string());
    // Without any absolute folder there is no file: the defaults hold.
    {
      const test::ScopedEnv no_aliases("KELVOUPDATE_ALIASES", std::nullopt);
      const test::ScopedEnv no_config_home("XDG_CONFIG_HOME", "relative");
      const test::ScopedEnv no_home("HOME", std::nullopt);
      EXPECT_EQ(siteSettingsPath(), std::nullopt);
      EXPECT_EQ(readSiteSettings().ftpReadTimeout, 120);
    }
    EXPECT_EQ(readSiteSettings().ftpReadTimeout, 120);
    folder.write("kelvoupdate.ini", "[ftp]\nread_timeout = 3\n");
    EXPECT_EQ(readSiteSettings().ftpReadTimeout, 3);
  }
  {
    const test::ScopedEnv config("KELVOUPDATE_CONFIG", "kelvoupdate.ini");
    EXPECT_THROW(siteSettingsPath(), SiteSettingsError);
  }
  {
    const test::ScopedEnv config("KELVOUPDATE_CONFIG",
                                 folder.write("outro.ini", "[ftp]\nread_timeout = x\n").string());
    try {
      readSiteSettings();
      ADD_FAILURE() << "accepted";
    } catch (const SiteSettingsError& e) {
      EXPECT_EQ(std::string(e.what()), (folder.path() / "outro.ini").string() +
                                           ":2: 'read_timeout' must be a whole number of seconds "
                                           "from 1 to 86400, not 'x'");
    }
  }
}

}  // namespace
}  // namespace kelvo
