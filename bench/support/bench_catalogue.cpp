// The benchmarks' catalogue connection.
#include "support/bench_catalogue.h"

#include <mysql.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace kelvo::bench {

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string readValue(const std::filesystem::path& state, const std::string& key) {
  std::ifstream in(state / key);
  std::string value;
  std::getline(in, value);
  if (value.empty()) throw std::runtime_error("missing " + (state / key).string());
  return value;
}

BenchCatalogue::BenchCatalogue(const std::filesystem::path& state) : handle_(mysql_init(nullptr)) {
  if (!mysql_real_connect(
          handle_, "127.0.0.1", readValue(state, "setup_user").c_str(),
          readValue(state, "setup_password").c_str(), readValue(state, "database").c_str(),
          static_cast<unsigned>(std::stoul(readValue(state, "port"))), nullptr, 0)) {
    const std::string message = mysql_error(handle_);
    mysql_close(handle_);
    throw std::runtime_error(message);
  }
}

BenchCatalogue::~BenchCatalogue() { mysql_close(handle_); }

void BenchCatalogue::run(const std::string& sql) {
  if (mysql_real_query(handle_, sql.data(), sql.size()) != 0) {
    throw std::runtime_error(mysql_error(handle_));
  }
}

}  // namespace kelvo::bench
