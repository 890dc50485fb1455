// The main screen as the preparation sees it.
#pragma once

#include "update/preparation.h"

namespace kelvo {

class Tfrmkelvoupdate;

class MainScreenPreparationView : public PreparationView {
 public:
  explicit MainScreenPreparationView(Tfrmkelvoupdate& screen) : screen_(screen) {}

  void setProgramFolder(const std::string& folder) override;
  void releaseConfirmation() override;
  void showMessage(const std::string& text) override;
  void closeSoon() override;
  void setUpdateEnabled(bool enabled) override;
  void showMainExecutable(const std::string& text) override;
  void addAlias(const std::string& alias) override;
  void createWaitScreen(UpdateData& data) override;
  void tickAlias(std::size_t row) override;
  void showReady(const std::string& prompt) override;

 private:
  Tfrmkelvoupdate& screen_;
};

}  // namespace kelvo
