// The wait screen as the script run sees it.
#pragma once

#include "update/script_run.h"

namespace kelvo {

class Taguarde;

class AguardeView : public ScriptRunView {
 public:
  explicit AguardeView(Taguarde& screen) : screen_(screen) {}

  void setProgressMaximum(int maximum) override;
  void setProgress(int position) override;
  void showScriptError(const std::string& caption) override;
  void pause(int milliseconds) override;
  void showRunError(const std::string& text) override;
  void closeScreen() override;

 private:
  Taguarde& screen_;
};

}  // namespace kelvo
