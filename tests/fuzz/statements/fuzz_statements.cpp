// libFuzzer target for the statement reader: any script, any terminator,
// read to the end twice (the terminator carries over), must neither crash,
// hang nor deliver text that is not in the script.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scripts/script_lines.h"
#include "scripts/statement_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte picks the starting terminator.
  static const char* const kTerminators[] = {";", "^", "GO", "!!", "/", "*", "'", "--"};
  if (size == 0) return 0;
  const std::string terminator = kTerminators[data[0] % 8];
  const std::string script(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::vector<std::string> lines = kelvo::splitScriptLines(script);

  kelvo::StatementReader reader;
  reader.setTerminator(terminator);
  // INPUT never touches the disk here: every file holds one fixed statement.
  reader.setInputFileLoader(
      [](const std::string&) { return std::vector<std::string>{"DELETE FROM FROM_INPUT;"}; });
  for (int pass = 0; pass < 2; ++pass) {
    reader.start(lines);
    std::size_t delivered = 0;
    try {
      while (auto statement = reader.next()) {
        // Every statement consumes script text or input text; more
        // statements than characters would mean a reader going in circles.
        if (++delivered > script.size() * 20 + 100) __builtin_trap();
        if (statement->kind == kelvo::StatementKind::stmtERR) reader.stop();
      }
    } catch (const kelvo::Error&) {
      if (!reader.stopped()) __builtin_trap();
    }
  }
  return 0;
}
