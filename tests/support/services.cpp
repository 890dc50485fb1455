// Looks up values that tests/services/*.start scripts write into their state folders.
#include "support/services.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kelvo::test {

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') {
    throw std::runtime_error(std::string("environment variable ") + name +
                             " is not set; run the test through ctest");
  }
  return value;
}

}  // namespace

std::string serviceFolder(const std::string& name) {
  return environment("KELVO_SERVICES") + "/" + name;
}

std::string serviceValue(const std::string& name, const std::string& key) {
  const std::string path = serviceFolder(name) + "/" + key;
  std::ifstream in(path);
  if (!in) {
    throw std::runtime_error("service '" + name + "' has not published '" + key + "' (" + path +
                             "); is its fixture running?");
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string value = text.str();
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r' || value.back() == ' ')) {
    value.pop_back();
  }
  return value;
}

std::string sourceFolder() { return environment("KELVO_SOURCE_DIR"); }

}  // namespace kelvo::test
