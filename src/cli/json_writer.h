// A small writer of one JSON value, for --json.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::cli {

class JsonWriter {
 public:
  void beginObject() { open('{'); }
  void endObject() { close('}'); }
  void beginArray() { open('['); }
  void endArray() { close(']'); }
  // The name of the next member of the enclosing object.
  void key(std::string_view name);
  void value(std::string_view text);
  void value(const char* text) { value(std::string_view(text)); }
  void value(bool flag);
  void value(std::int64_t number);
  void null();

  // Returns the text written so far.
  const std::string& text() const { return text_; }

 private:
  void separate();
  void open(char bracket);
  void close(char bracket);

  std::string text_;
  std::vector<bool> first_;  // per open bracket: no member written yet
  bool after_key_ = false;
};

}  // namespace kelvo::cli
