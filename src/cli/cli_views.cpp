// The console views of the preparation and the runs.
#include "cli/cli_views.h"

namespace kelvo::cli {

std::vector<std::string> CliPreparationView::aliases() {
  std::vector<std::string> names;
  for (const Row& row : rows_) names.push_back(row.alias);
  return names;
}

std::vector<std::string> CliPreparationView::tickedAliases() const {
  std::vector<std::string> names;
  for (const Row& row : rows_) {
    if (row.ticked) names.push_back(row.alias);
  }
  return names;
}

UpdateData& CliPreparationView::createWaitScreen() {
  data_ = std::make_unique<UpdateData>(registry_);
  return *data_;
}

CliFileRunView::CliFileRunView(Console& console, TransferDisplay& transfers,
                               std::string main_executable_label, std::function<int()> run_scripts)
    : console_(console),
      transfers_(transfers),
      label_(std::move(main_executable_label)),
      run_scripts_(std::move(run_scripts)) {}

void CliFileRunView::setFileLabel(const std::string& text) {
  file_ = text;
  transfers_.setFile(text);
}

void CliFileRunView::setRowLamp(std::size_t row, RowLamp lamp) {
  if (lamps_.size() <= row) lamps_.resize(row + 1, RowLamp::Current);
  const RowLamp before = lamps_[row];
  lamps_[row] = lamp;
  // Red after orange: the download of the file in hand failed.
  if (before == RowLamp::Downloading && lamp == RowLamp::Failed) {
    console_.note("Falha ao baixar " + file_ + ".");
  }
}

void CliScriptRunView::setProgress(int position) {
  console_.update("Verificando Scripts " + std::to_string(position) + "%");
}

void CliScriptRunView::showScriptError(const std::string& caption) {
  console_.note("ERRO DE SCRIPT AVISAR ORVALIS SISTEMAS");
  console_.note(caption);
}

}  // namespace kelvo::cli
