// The benchmarks' way into the MariaDB server a bench/*/run script started:
// its published values and a plain connection for filling tables.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct st_mysql;

namespace kelvo::bench {

// Returns the median of VALUES (the upper one of an even count).
double median(std::vector<double> values);

// Returns the first line of STATE/KEY (a value the service published);
// throws when it is missing or empty.
std::string readValue(const std::filesystem::path& state, const std::string& key);

// A connection to the published catalogue database, as its demo login.
class BenchCatalogue {
 public:
  // Connects; throws with the server's message on failure.
  explicit BenchCatalogue(const std::filesystem::path& state);
  ~BenchCatalogue();
  BenchCatalogue(const BenchCatalogue&) = delete;
  BenchCatalogue& operator=(const BenchCatalogue&) = delete;

  // Runs SQL; throws with the server's message on failure.
  void run(const std::string& sql);

 private:
  st_mysql* handle_;
};

}  // namespace kelvo::bench
