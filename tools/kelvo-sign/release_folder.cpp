// Fingerprints of a release folder and of the executable inside its archive.
#include "release_folder.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/ascii.h"
#include "platform/error.h"
#include "trust/sha256.h"
#include "update/archive_step.h"

namespace kelvo::sign {

namespace {

struct ArchiveFree {
  void operator()(archive* reader) const { archive_read_free(reader); }
};

// The fingerprint of the member the archiver would extract as the main
// executable: a regular file at the archive's top named Sys_Tavrela.exe in
// any letter case.
FileFingerprint archivedExecutable(const std::string& archive_path) {
  const std::unique_ptr<archive, ArchiveFree> reader(archive_read_new());
  archive_read_support_format_all(reader.get());
  archive_read_support_filter_all(reader.get());
  if (archive_read_open_filename(reader.get(), archive_path.c_str(), 64 * 1024) != ARCHIVE_OK) {
    throw Error("cannot read " + archive_path + ": " + archive_error_string(reader.get()));
  }
  archive_entry* entry = nullptr;
  while (archive_read_next_header(reader.get(), &entry) == ARCHIVE_OK) {
    const char* name = archive_entry_pathname(entry);
    if (name == nullptr || archive_entry_filetype(entry) != AE_IFREG ||
        !equalsNoCase(name, kMainExecutable)) {
      continue;
    }
    Sha256 hasher;
    FileFingerprint print;
    std::vector<char> block(64 * 1024);
    la_ssize_t count = 0;
    while ((count = archive_read_data(reader.get(), block.data(), block.size())) > 0) {
      hasher.update(std::string_view(block.data(), static_cast<std::size_t>(count)));
      print.size += static_cast<std::uint64_t>(count);
    }
    if (count < 0) {
      throw Error("cannot read " + std::string(kMainExecutable) + " in " + archive_path + ": " +
                  archive_error_string(reader.get()));
    }
    print.sha256 = hasher.finish();
    return print;
  }
  throw Error(archive_path + " holds no " + kMainExecutable);
}

}  // namespace

FileFingerprint fileFingerprint(const std::string& path) {
  const std::optional<std::string> digest = sha256OfFile(path);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!digest || error) throw Error("cannot read " + path);
  return {static_cast<std::uint64_t>(size), *digest};
}

ReleaseManifest folderManifest(const std::string& folder, const std::string& program,
                               std::uint64_t serial, std::int64_t expires) {
  ReleaseManifest manifest{program, serial, expires, {}, std::nullopt};
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    const std::string name = item.path().filename().string();
    if (!item.is_regular_file() || name == kManifestName || name == kManifestSignatureName) {
      continue;
    }
    manifest.files.push_back({name, fileFingerprint(item.path().string())});
  }
  std::sort(manifest.files.begin(), manifest.files.end(),
            [](const ManifestFile& a, const ManifestFile& b) { return a.name < b.name; });
  if (manifest.file(kArchive) != nullptr) {
    manifest.executable = archivedExecutable((std::filesystem::path(folder) / kArchive).string());
  }
  return manifest;
}

}  // namespace kelvo::sign
