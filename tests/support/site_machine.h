// The machine around a site's working folder: the registry stand-in
// (KELVOUPDATE_REGISTRY, for the object's lifetime) naming the program-files
// folder, and the archiver below it.
#pragma once

#include <string>

#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace kelvo::test {

class SiteMachine {
 public:
  // An empty machine folder; the registry stand-in is not written yet.
  SiteMachine();

  // Returns the absolute path of NAME below the machine folder (NAME itself
  // when it is absolute).
  std::string path(const std::string& name) const;
  // Writes the registry stand-in naming FOLDER (below the machine folder, or
  // absolute) as ProgramFilesDir.
  void registryNames(const std::string& folder) const;
  // Installs the real archiver program below FOLDER (scripts/install-archiver),
  // where the archive step starts it.
  void installArchiver(const std::string& folder) const;
  // Places a file named as the archiver below FOLDER: enough for the
  // preparation, which only looks for it.
  void placeArchiverStandIn(const std::string& folder) const;

 protected:
  TempFolder machine_;

 private:
  ScopedEnv registry_env_;
};

}  // namespace kelvo::test
