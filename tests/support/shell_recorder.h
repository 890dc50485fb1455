// A recording stand-in for the desktop's "open" command (xdg-open), first on
// PATH for one scope.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace kelvo::test {

class ShellRecorder {
 public:
  ShellRecorder() {
    const auto script = folder_.write(
        "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + record_.string() + ".tmp'\nmv '" +
                        record_.string() + ".tmp' '" + record_.string() + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  }

  // Returns what the stand-in was asked to open, one target a line, waiting
  // up to 5 s for it ("" when nothing was opened).
  std::string opened() const {
    for (int i = 0; i < 100 && !std::filesystem::exists(record_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::filesystem::exists(record_) ? readFile(record_) : std::string();
  }

  // Returns true when anything was opened within WAIT.
  bool anythingOpenedWithin(std::chrono::milliseconds wait) const {
    std::this_thread::sleep_for(wait);
    return std::filesystem::exists(record_);
  }

 private:
  TempFolder folder_;
  std::filesystem::path record_ = folder_.path() / "opened.txt";
  ScopedEnv path_{"PATH", folder_.path().string() + ":" +
                              (std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin")};
};

}  // namespace kelvo::test
