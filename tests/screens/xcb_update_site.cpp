// The site of the whole-update sessions on X11.
#include "screens/xcb_update_site.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "access/catalogue/desembaralha.h"
#include "platform/codepage.h"
#include "platform/hex_text.h"
#include "screens/xcb_session.h"
#include "support/services.h"

namespace kelvo::test {

namespace fs = std::filesystem;

namespace {

const char kPassword[] = "secret";

std::string aliasFile(const TempFolder& folder, const ScratchCatalog& catalog,
                      const MainScreenMachine& machine) {
  return writeCatalogAliasFile(
             folder, catalog.name(),
             "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=" + machine.client_database + "\n")
      .string();
}

}  // namespace

std::string brazilianLocaleFolder() {
  const fs::path folder = fs::path(std::getenv("KELVO_BINARY_DIR")) / "locales";
  if (!fs::exists(folder / "pt_BR.UTF-8" / "LC_NUMERIC")) {
    fs::create_directories(folder);
    const std::string command =
        "localedef -i pt_BR -f UTF-8 '" + (folder / "pt_BR.UTF-8").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }
  return folder.string();
}

XcbUpdateSite::XcbUpdateSite(long rate, double hold)
    : aliases_env_("KELVOUPDATE_ALIASES", aliasFile(settings_, catalog_, machine)),
      locale_path_env_("LOCPATH", brazilianLocaleFolder()),
      locale_env_("LC_ALL", "pt_BR.UTF-8") {
  const std::string start = sourceFolder() + "/tests/services/update_ftp.start '" +
                            server_.path().string() + "' " + kPassword + " " +
                            std::to_string(rate) + " " + std::to_string(hold);
  EXPECT_EQ(std::system(start.c_str()), 0) << start;
  const std::string password(kPassword);
  const std::string scrambled =
      utf16ToUtf8(Embaralha(std::u16string(password.begin(), password.end()), 2));
  catalog_.execute("INSERT INTO principal (senha_ftp) VALUES (CONVERT(X'" + toHex(scrambled) +
                   "' USING utf8mb4))");
  std::string port = fileText(server_.path() / "port");
  while (!port.empty() && (port.back() == '\n' || port.back() == '\r')) port.pop_back();
  machine.work.write("atualiza.cfg", "127.0.0.1\r\n" + port + "\r\n");
}

XcbUpdateSite::~XcbUpdateSite() {
  const pid_t pid = std::atoi(fileText(server_.path() / "pid").c_str());
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 50 && kill(pid, 0) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

fs::path XcbUpdateSite::served(const std::string& name) const {
  return server_.path() / "files" / "quarvessa" / name;
}

std::string XcbUpdateSite::serverFile(const std::string& name) const {
  return (server_.path() / name).string();
}

}  // namespace kelvo::test
