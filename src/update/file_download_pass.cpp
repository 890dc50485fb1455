// The marking and download passes over the listing's lines.
#include <exception>

#include "platform/files.h"
#include "update/file_marking.h"
#include "update/file_names.h"
#include "update/file_update_run.h"

namespace kelvo {

void FileUpdateRun::markRows(const std::vector<std::string>& lines) {
  // Each line is paired with the entry read from it: header, total and blank
  // lines give no entry.
  std::vector<std::optional<ListingItem>> entries =
      entriesByLine(lines.size(), ftp_.DirectoryListing());

  for (std::size_t i = 0; i < lines.size(); ++i) {
    Row row{lines[i], std::move(entries[i])};
    view_.addRow(row.line);
    const bool needed = row.item && marksRed(markVerdict(*row.item, settings_).verdict);
    view_.setRowLamp(i, needed ? RowLamp::Failed : RowLamp::Current);
    rows_.push_back(std::move(row));
  }
  view_.repaintRows();
}

void FileUpdateRun::downloadRows() {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!rows_[i].item) continue;  // a line of no entry: nothing to fetch
    downloadRow(i, *rows_[i].item);
    // Once the connection is gone (the operator left, or the server hung
    // up) every further request could only fail.
    if (error_ && !ftp_.Connected()) break;
  }
}

void FileUpdateRun::downloadRow(std::size_t row, const ListingItem& item) {
  const std::string& name = item.fileName;
  view_.setFileLabel(name);
  if (!isSafeFileName(name)) {
    refuseName(row, name);
    return;
  }
  const std::int64_t size = ftp_.Size(name);
  view_.setBytesToTransfer(static_cast<std::uint32_t>(size));
  if (!PrecisaBaixar(name, item.modifiedDate, settings_)) return;
  needed_ = true;
  try {
    view_.setRowLamp(row, RowLamp::Downloading);
    view_.repaintRows();
    const std::string local = joinPath(".", name);
    ftp_.Get(name, local, true);
    // A time that cannot be set only means the file is fetched again.
    setFileLastWriteTime(local, item.modifiedDate);
    view_.setRowLamp(row, RowLamp::Current);
    view_.repaintRows();
  } catch (const std::exception& e) {
    view_.setRowLamp(row, RowLamp::Failed);
    view_.repaintRows();
    error_ = true;
    view_.showInformation(e.what());
  }
}

// A server name that could reach outside the working folder is never
// written; the row fails and the operator is told which name it was.
void FileUpdateRun::refuseName(std::size_t row, const std::string& name) {
  view_.setRowLamp(row, RowLamp::Failed);
  view_.repaintRows();
  error_ = true;
  view_.showInformation("Nome de arquivo recusado, não será gravado nesta pasta: \"" + name +
                        "\".");
}

}  // namespace kelvo
