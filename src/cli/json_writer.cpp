// JSON text.
#include "cli/json_writer.h"

#include "platform/json_text.h"

namespace kelvo::cli {

void JsonWriter::separate() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (first_.empty()) return;
  if (!first_.back()) text_ += ',';
  first_.back() = false;
}

void JsonWriter::open(char bracket) {
  separate();
  text_ += bracket;
  first_.push_back(true);
}

void JsonWriter::close(char bracket) {
  first_.pop_back();
  text_ += bracket;
}

void JsonWriter::key(std::string_view name) {
  separate();
  text_ += jsonString(name) + ':';
  after_key_ = true;
}

void JsonWriter::value(std::string_view text) {
  separate();
  text_ += jsonString(text);
}

void JsonWriter::value(bool flag) {
  separate();
  text_ += flag ? "true" : "false";
}

void JsonWriter::value(std::int64_t number) {
  separate();
  text_ += std::to_string(number);
}

void JsonWriter::null() {
  separate();
  text_ += "null";
}

}  // namespace kelvo::cli
