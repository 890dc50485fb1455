// The failure-record search of the start-up gate.
#include "update/failure_gate.h"

#include <algorithm>

#include "platform/ascii.h"
#include "platform/files.h"

namespace kelvo {

namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return upperAscii(x) < upperAscii(y); });
}

}  // namespace

std::vector<std::string> workingFolderNames(std::string_view mask) {
  std::vector<std::string> names;
  for (std::string& name : findEntries(mask)) {
    if (name.empty() || name.front() == '.') continue;
    names.push_back(std::move(name));
  }
  return names;
}

std::vector<std::string> failureRecords() {
  std::vector<std::string> names = workingFolderNames(kFailureRecordMask);
  std::stable_sort(names.begin(), names.end(), lessIgnoringCase);
  return names;
}

}  // namespace kelvo
