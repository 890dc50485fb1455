// kelvo-statements: reads a script (ANSI code page) on standard input and
// writes each statement the reader delivers as one JSON object per line:
//   {"kind":"stmtDDL","text":"...","tokens":["..."]}
// A reader error is written as {"error":"TEXT","text":"..."} and ends the
// output (exit code 1). Option --term X sets the starting terminator.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "platform/codepage.h"
#include "platform/json_text.h"
#include "scripts/script_lines.h"
#include "scripts/statement_reader.h"

namespace {

using kelvo::jsonString;

void writeError(const std::string& message, const std::string& text) {
  std::cout << "{\"error\":" << jsonString(message) << ",\"text\":" << jsonString(text) << "}\n";
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
      std::cout << "{\"kind\":\"" << kelvo::statementKindName(statement->kind)
                << "\",\"text\":" << jsonString(statement->text) << ",\"tokens\":[";
      for (std::size_t t = 0; t < statement->tokens.size(); ++t) {
        std::cout << (t > 0 ? "," : "") << jsonString(statement->tokens[t]);
      }
      std::cout << "]}\n";
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
