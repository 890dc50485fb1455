// Reads what a started test service published about itself (port, socket, ...).
#pragma once

#include <string>

namespace kelvo::test {

// Returns the text of the value KEY published by service NAME (for example
// "port"), trimmed; fails the test with a clear message when it is missing.
std::string serviceValue(const std::string& name, const std::string& key);

// Returns the folder that holds service NAME's published values and files.
std::string serviceFolder(const std::string& name);

// Returns the project's source folder (for fixtures under tests/data).
std::string sourceFolder();

}  // namespace kelvo::test
