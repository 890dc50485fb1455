// The core script run's test site.
#include "update/script_run_site.h"

#include "platform/tdatetime.h"
#include "update/update_data.h"

namespace kelvo::test {

void RecordingScriptView::setProgress(int position) {
  progress.push_back(position);
  if (onProgress) onProgress(position);
}

ScriptRunResult ScriptRunSite::run(const std::vector<std::string>& ticked) {
  AliasFileRegistry registry(
      writeCatalogAliasFile(folder, catalog.name(), databases.aliasText()).string());
  UpdateData data(registry);
  data.catalog.Database1.open();
  FailureClock clock;
  clock.now = [] { return encodeDate(2024, 3, 5) + encodeTime(14, 7, 9, 0); };
  clock.settings = FormatSettings::brazilian();
  ScriptRun scripts(data, ticked, clock, backupFolder);
  scripts.publicKeys = publicKeys;
  return scripts.run(view);
}

}  // namespace kelvo::test
