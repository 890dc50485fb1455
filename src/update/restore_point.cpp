// Backups of client databases before their scripts.
#include "update/restore_point.h"

#include <cstdio>
#include <filesystem>

#include "access/interbase/ib_backup.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/new_file.h"
#include "update/failure_record.h"

namespace kelvo {

void requireAbsoluteBackupFolder(const std::optional<std::string>& folder) {
  if (folder && !std::filesystem::path(*folder).is_absolute()) {
    throw Error("A pasta de backup deve ser um caminho absoluto: \"" + *folder + "\"");
  }
}

std::string restorePointName(std::string_view alias, TDateTime when, int copy) {
  const DateParts date = decodeDate(when);
  const TimeParts time = decodeTime(when);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d", date.year, date.month,
                date.day, time.hour, time.minute, time.second);
  std::string name = fileNameSafe(alias) + "_" + stamp;
  if (copy > 1) name += "_" + std::to_string(copy);
  return name + ".fbk";
}

std::string restorePointLine(const std::string& path) {
  return "BACKUP DA BASE ANTES DOS SCRIPTS: " + path;
}

std::string makeRestorePoint(const IbClientApi& api, const std::vector<std::string>& params,
                             const std::string& alias, const std::string& location,
                             const std::string& folder, TDateTime when) {
  try {
    NewFile file = NewFile::createIn(folder, "kelvo-backup");
    backupDatabase(api, params, location, [&](std::string_view bytes) { file.write(bytes); });
    file.finish();
    // Two runs in the same second, or a name planted beforehand, take the
    // next copy number rather than the file already there.
    for (int copy = 1; copy <= 1000; ++copy) {
      const std::string path = joinPath(folder, restorePointName(alias, when, copy));
      if (file.publishAs(path)) return path;
    }
    throw Error("nenhum nome livre para " + restorePointName(alias, when));
  } catch (const std::exception& error) {
    throw Error("Não foi possível fazer o backup da base " + alias + " (" + location +
                ") na pasta " + folder + ": " + error.what() +
                "\nNenhum script desta base foi executado.");
  }
}

}  // namespace kelvo
