// Extraction on libarchive: every format and filter it reads.
#include "archiver/archive_extract.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/error.h"
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
  member.wanted = true;
  return member;
}

fs::path destination(const ExtractRequest& request, const std::vector<std::string>& path) {
  fs::path result = request.target;
  for (const std::string& step : path) result /= step;
  return result;
}

// Writes the current member's data to TARGET: first into a fresh file
// beside it, which then replaces TARGET in one step.
void writeMember(archive* reader, archive_entry* entry, const fs::path& target) {
  fs::create_directories(target.parent_path().empty() ? fs::path(".") : target.parent_path());
  std::string temp = target.string() + ".kelvo-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw Error("cannot create " + target.string() + ": " + std::strerror(errno));
  const auto fail = [&](const std::string& reason) {
    close(fd);
    unlink(temp.c_str());
    throw Error("cannot write " + target.string() + ": " + reason);
  };
  const void* block = nullptr;
  size_t size = 0;
  la_int64_t offset = 0;
  la_int64_t written = 0;
  for (;;) {
    const int rc = archive_read_data_block(reader, &block, &size, &offset);
    if (rc == ARCHIVE_EOF) break;
    if (rc < ARCHIVE_WARN) fail(archive_error_string(reader));
    if (offset != written && lseek(fd, offset, SEEK_SET) < 0) fail(std::strerror(errno));
    const char* data = static_cast<const char*>(block);
    for (size_t done = 0; done < size;) {
      const ssize_t n = write(fd, data + done, size - done);
      if (n < 0) fail(std::strerror(errno));
      done += static_cast<size_t>(n);
    }
    written = offset + static_cast<la_int64_t>(size);
  }
  // Sparse members end in a hole: give the file its full length.
  if (archive_entry_size_is_set(entry) && ftruncate(fd, archive_entry_size(entry)) != 0) {
    fail(std::strerror(errno));
  }
  mode_t mode = archive_entry_perm(entry) & 0777;
  if (mode == 0) mode = 0644;
  fchmod(fd, mode);
  if (archive_entry_mtime_is_set(entry)) {
    const timespec times[2] = {{archive_entry_mtime(entry), archive_entry_mtime_nsec(entry)},
                               {archive_entry_mtime(entry), archive_entry_mtime_nsec(entry)}};
    futimens(fd, times);
  }
  if (close(fd) != 0) {
    unlink(temp.c_str());
    throw Error("cannot write " + target.string() + ": " + std::strerror(errno));
  }
  if (rename(temp.c_str(), target.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    unlink(temp.c_str());
    throw Error("cannot replace " + target.string() + ": " + reason);
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
    const fs::path target = destination(request, member.path);
    writeMember(reader.get(), entry, target);
    written.push_back(target.string());
  }
  if (rc != ARCHIVE_EOF) throw Error(readError(reader.get(), request.archive));
  return written;
}

}  // namespace kelvo::archiver
