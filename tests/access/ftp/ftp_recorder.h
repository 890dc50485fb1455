// Records what an FTP client reports through its events, for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "access/ftp/ftp_client.h"

namespace kelvo::test {

struct FtpRecorder {
  std::vector<int> statuses;
  std::vector<std::string> texts;
  std::vector<std::int64_t> work;  // counts of the work events, in order
  int begins = 0;
  int ends = 0;

  explicit FtpRecorder(FtpClient& client) {
    client.OnStatus = [this](FtpClient&, TFtpStatus s, const std::string& t) {
      statuses.push_back(s);
      texts.push_back(t);
    };
    client.OnWorkBegin = [this](FtpClient&, TWorkMode, std::int64_t expected) {
      ++begins;
      work.clear();
      if (expected != 0) work.push_back(-1);  // flags a wrong expected count
    };
    client.OnWork = [this](FtpClient&, TWorkMode, std::int64_t count) { work.push_back(count); };
    client.OnWorkEnd = [this](FtpClient&, TWorkMode) { ++ends; };
  }

  void clear() {
    statuses.clear();
    texts.clear();
  }
};

}  // namespace kelvo::test
