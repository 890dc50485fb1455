// The console views of the preparation and the runs.
#include "cli/cli_views.h"

namespace kelvo::cli {

CliFileRunView::CliFileRunView(Console& console, CliScriptRunView& scripts, FormatSettings settings)
    : console_(console), scripts_(scripts), transfers_(console, std::move(settings)) {}

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
