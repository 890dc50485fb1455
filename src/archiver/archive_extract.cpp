// Extraction on libarchive: every format and filter it reads.
#include "archiver/archive_extract.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "platform/error.h"
#include "platform/link_free_folder.h"
#include "platform/new_file.h"
#include "platform/wildcard.h"

namespace kelvo::archiver {

namespace fs = std::filesystem;

namespace {

struct ReaderFree {
  void operator()(archive* a) const { archive_read_free(a); }
};
using Reader = std::unique_ptr<archive, ReaderFree>;

Reader openArchive(const std::string& path) {
  Reader reader(archive_read_new());
  archive_read_support_filter_all(reader.get());
  archive_read_support_format_all(reader.get());
  if (archive_read_open_filename(reader.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK) {
    throw Error("cannot open archive " + path + ": " + archive_error_string(reader.get()));
  }
  return reader;
}

std::string readError(archive* reader, const std::string& path) {
  const char* reason = archive_error_string(reader);
  return "cannot read archive " + path + ": " + (reason ? reason : "unknown error");
}

fs::path destination(const ExtractRequest& request, const std::vector<std::string>& path) {
  fs::path result = request.target;
  for (const std::string& step : path) result /= step;
  return result;
}

// Raises when a folder of the member's PATH that exists already is a link:
// the member would land wherever the link points. Checked before anything is
// written; the writing itself never follows one either.
void refuseLinkedFolders(const ExtractRequest& request, const std::vector<std::string>& path) {
  fs::path folder = request.target;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    folder /= path[i];
    std::error_code error;
    const fs::file_status status = fs::symlink_status(folder, error);
    if (fs::is_symlink(status)) {
      throw Error("member " + destination(request, path).string() +
                  " would be written through the link " + folder.string());
    }
    if (!fs::exists(status)) return;
  }
}

struct Member {
  std::vector<std::string> path;
  bool wanted = false;
};

// Returns the member's path, and whether it is to be extracted; raises when
// a wanted member cannot be extracted safely.
Member examine(archive_entry* entry, const ExtractRequest& request) {
  const char* raw = archive_entry_pathname(entry);
  const std::string name = raw ? raw : "";
  Member member;
  member.path = safeMemberPath(name);
  if (archive_entry_filetype(entry) == AE_IFDIR) return member;
  const std::string_view base =
      member.path.empty() ? std::string_view(name) : std::string_view(member.path.back());
  if (!matchesWildcard(base, request.mask)) return member;
  if (member.path.empty()) throw Error("member " + name + " would be written outside the target");
  if (archive_entry_filetype(entry) != AE_IFREG) {
    throw Error("member " + name + " is not a regular file");
  }
  refuseLinkedFolders(request, member.path);
  member.wanted = true;
  return member;
}

// Opens the member's folders below the target one by one, creating the
// missing ones, and never through a link.
LinkFreeFolder memberFolder(const ExtractRequest& request, const std::vector<std::string>& path) {
  fs::create_directories(request.target);
  LinkFreeFolder folder(request.target);
  for (std::size_t i = 0; i + 1 < path.size(); ++i) folder = folder.open(path[i], true);
  return folder;
}

// Writes the current member's data to PATH below the target: first into a
// fresh file beside it, which then replaces the file of that name in one
// step.
void writeMember(archive* reader, archive_entry* entry, const ExtractRequest& request,
                 const std::vector<std::string>& path) {
  const std::string target = destination(request, path).string();
  try {
    NewFile file = NewFile::createIn(memberFolder(request, path), "kelvo-extract");
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    la_int64_t written = 0;
    // Sparse members leave holes between blocks and at the end: zeros.
    const std::string zeros(64 * 1024, '\0');
    const auto fillTo = [&](la_int64_t end) {
      while (written < end) {
        const auto step = static_cast<std::size_t>(
            std::min<la_int64_t>(end - written, static_cast<la_int64_t>(zeros.size())));
        file.write(std::string_view(zeros.data(), step));
        written += static_cast<la_int64_t>(step);
      }
    };
    for (;;) {
      const int rc = archive_read_data_block(reader, &block, &size, &offset);
      if (rc == ARCHIVE_EOF) break;
      if (rc < ARCHIVE_WARN) {
        const char* reason = archive_error_string(reader);
        throw Error(reason ? reason : "unknown error");
      }
      if (offset < written) throw Error("blocks out of order");
      fillTo(offset);
      file.write(std::string_view(static_cast<const char*>(block), size));
      written += static_cast<la_int64_t>(size);
    }
    if (archive_entry_size_is_set(entry)) fillTo(archive_entry_size(entry));
    const unsigned mode = archive_entry_perm(entry) & 0777;
    file.setPermissions(mode == 0 ? 0644 : mode);
    if (archive_entry_mtime_is_set(entry)) {
      file.setLastWriteTime(archive_entry_mtime(entry), archive_entry_mtime_nsec(entry));
    }
    file.finish();
    file.replace(target);
  } catch (const std::exception& error) {
    throw Error("cannot write " + target + ": " + error.what());
  }
}

}  // namespace

std::vector<std::string> safeMemberPath(std::string_view member) {
  if (member.empty() || member[0] == '/' || member[0] == '\\') return {};
  if (member.size() >= 2 && member[1] == ':') return {};  // a drive
  std::vector<std::string> steps;
  std::size_t start = 0;
  while (start <= member.size()) {
    std::size_t end = member.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = member.size();
    const std::string_view step = member.substr(start, end - start);
    if (step == "..") return {};
    if (!step.empty() && step != ".") steps.emplace_back(step);
    start = end + 1;
  }
  return steps;
}

std::vector<std::string> extractMatching(const ExtractRequest& request) {
  // First pass: check every member before anything is written, so a bad
  // archive leaves the target as it was.
  std::size_t wanted = 0;
  {
    Reader reader = openArchive(request.archive);
    archive_entry* entry = nullptr;
    int rc = ARCHIVE_OK;
    while ((rc = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK ||
           rc == ARCHIVE_WARN) {
      if (examine(entry, request).wanted) ++wanted;
      if (archive_read_data_skip(reader.get()) < ARCHIVE_WARN) {
        throw Error(readError(reader.get(), request.archive));
      }
    }
    if (rc != ARCHIVE_EOF) throw Error(readError(reader.get(), request.archive));
  }
  if (wanted == 0) throw Error("no member of " + request.archive + " matches " + request.mask);

  std::vector<std::string> written;
  Reader reader = openArchive(request.archive);
  archive_entry* entry = nullptr;
  int rc = ARCHIVE_OK;
  while ((rc = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK ||
         rc == ARCHIVE_WARN) {
    const Member member = examine(entry, request);
    if (!member.wanted) continue;
    writeMember(reader.get(), entry, request, member.path);
    written.push_back(destination(request, member.path).string());
  }
  if (rc != ARCHIVE_EOF) throw Error(readError(reader.get(), request.archive));
  return written;
}

}  // namespace kelvo::archiver
