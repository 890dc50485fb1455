// Test archives through libarchive's writer.
#include "archiver/archive_writer.h"

#include <archive.h>
#include <archive_entry.h>

#include <stdexcept>

namespace kelvo::test {

void writeArchive(const std::string& path, const std::vector<ArchiveMember>& members,
                  const std::string& format) {
  archive* writer = archive_write_new();
  const auto check = [&](int rc) {
    if (rc < ARCHIVE_WARN) {
      const std::string reason = archive_error_string(writer);
      archive_write_free(writer);
      throw std::runtime_error("cannot write test archive: " + reason);
    }
  };
  check(archive_write_set_format_by_name(writer, format.c_str()));
  check(archive_write_open_filename(writer, path.c_str()));
  for (const ArchiveMember& member : members) {
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, member.path.c_str());
    archive_entry_set_mtime(entry, 1700000000, 0);
    if (member.symlink) {
      archive_entry_set_filetype(entry, AE_IFLNK);
      archive_entry_set_symlink(entry, member.content.c_str());
      archive_entry_set_perm(entry, 0777);
    } else {
      archive_entry_set_filetype(entry, AE_IFREG);
      archive_entry_set_perm(entry, 0644);
      archive_entry_set_size(entry, static_cast<la_int64_t>(member.content.size()));
    }
    check(archive_write_header(writer, entry));
    if (!member.symlink) {
      archive_write_data(writer, member.content.data(), member.content.size());
    }
    archive_entry_free(entry);
  }
  check(archive_write_close(writer));
  archive_write_free(writer);
}

}  // namespace kelvo::test
