// The registry stand-in and the archivers of a test machine.
#include "support/site_machine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/services.h"

namespace kelvo::test {

SiteMachine::SiteMachine()
    : registry_env_("KELVOUPDATE_REGISTRY", (machine_.path() / "registry.reg").string()) {}

std::string SiteMachine::path(const std::string& name) const {
  return (machine_.path() / name).string();
}

void SiteMachine::registryNames(const std::string& folder) const {
  // A .reg export doubles every backslash inside a string value.
  std::string escaped;
  for (const char c : path(folder)) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  machine_.write("registry.reg",
                 "Windows Registry Editor Version 5.00\r\n\r\n"
                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
                 "\"ProgramFilesDir\"=\"" +
                     escaped + "\"\r\n");
}

void SiteMachine::installArchiver(const std::string& folder) const {
  const std::string install = sourceFolder() + "/scripts/install-archiver '" + path(folder) +
                              "' '" + std::getenv("KELVO_BINARY_DIR") + "'";
  EXPECT_EQ(std::system(install.c_str()), 0) << install;
}

void SiteMachine::placeArchiverStandIn(const std::string& folder) const {
  std::filesystem::create_directories(machine_.path() / folder / "winrar");
  machine_.write(folder + "/winrar/winrar.exe", "archiver");
}

}  // namespace kelvo::test
