// kelvo-statements: reads a script (ANSI code page) on standard input and
// writes each statement the reader delivers as one JSON object per line:
//   {"kind":"stmtDDL","text":"...","tokens":["..."]}
// A reader error is written as {"error":"TEXT","text":"..."} and ends the
// output (exit code 1). Option --term X sets the starting terminator.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/codepage.h"
#include "scripts/script_lines.h"
#include "scripts/statement_reader.h"

namespace {

// Members keep the order they are written in.
using Json = nlohmann::ordered_json;

void writeLine(const Json& json) {
  std::cout << json.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
}

void writeError(const std::string& message, const std::string& text) {
  writeLine({{"error", message}, {"text", text}});
}

}  // namespace

int main(int argc, char** argv) {
  std::string terminator = ";";
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--term" && i + 1 < argc) {
      terminator = argv[++i];
    } else {
      std::cerr << "usage: kelvo-statements [--term TERMINATOR] < script.sql\n";
      return 2;
    }
  }
  const std::string input((std::istreambuf_iterator<char>(std::cin)),
                          std::istreambuf_iterator<char>());
  const std::vector<std::string> lines = kelvo::splitScriptLines(kelvo::ansiToUtf8(input));
  try {
    kelvo::StatementReader reader(";");
    reader.setTerminator(terminator);
    reader.start(lines);
    while (auto statement = reader.next()) {
      if (statement->kind == kelvo::StatementKind::stmtERR) {
        writeError("Invalid statement", statement->text);
        return 1;
      }
      writeLine({{"kind", kelvo::statementKindName(statement->kind)},
                 {"text", statement->text},
                 {"tokens", statement->tokens}});
    }
  } catch (const kelvo::StatementReaderError& error) {
    writeError(error.what(), error.text());
    return 1;
  } catch (const kelvo::Error& error) {
    writeError(error.what(), "");
    return 1;
  }
  return 0;
}
