// The statement reader: divides script lines into statements, extracts each
// statement's words and recognises its kind. Pure text processing.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "scripts/statement_kind.h"

namespace kelvo {

// A script the reader cannot read on: "Invalid Comment", or the error of an
// INPUT file that cannot be read. TEXT is the unread rest of the statement.
class StatementReaderError : public Error {
 public:
  StatementReaderError(const std::string& message, std::string text)
      : Error(message), text_(std::move(text)) {}
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

class StatementReader {
 public:
  // Where a statement starts: the script's name (as given to start()) or an
  // INPUT file's name, and the line there, counted from 1.
  struct Position {
    std::string source;
    std::size_t line = 0;
  };

  // Returns the lines of the INPUT file NAME; raises an Error on failure.
  using InputFileLoader = std::function<std::vector<std::string>(const std::string& name)>;

  // TERMINATOR ends statements until SET TERM changes it.
  explicit StatementReader(std::string terminator = ";");

  // The current terminator; it survives start().
  const std::string& terminator() const { return terminator_; }
  // Raises an Error for an empty terminator, which would end every statement
  // before its first character.
  void setTerminator(std::string terminator);

  // Replaces how INPUT files are read (the default reads them from disk).
  void setInputFileLoader(InputFileLoader loader) { load_input_ = std::move(loader); }

  // Starts reading SCRIPT from its first line, with nothing pending, no input
  // lines and the stopped flag clear. SCRIPT must outlive the reading;
  // SOURCE names it in position().
  void start(const std::vector<std::string>& script, std::string source = {});

  // Returns the next statement, or nothing when the lines and the pending
  // text are exhausted or the reader was stopped. Statements of the kinds
  // stmtEMPTY and stmtINPUT are handled here and never returned; after a
  // stmtTERM the reader already uses the new terminator. A statement it does
  // not recognise comes back as stmtERR. Raises StatementReaderError.
  std::optional<Statement> next();

  // Ends the reading: next() returns nothing until the next start().
  void stop() { stopped_ = true; }
  bool stopped() const { return stopped_; }

  // Returns where the statement last returned by next() starts; after a
  // StatementReaderError, where the unreadable statement or comment starts.
  Position position() const;

 private:
  // Where the next line comes from: the INPUT files (innermost first), then
  // the script.
  struct LineSource {
    std::vector<std::string> lines;
    std::size_t next = 0;
    std::size_t source = 0;  // index into sources_
  };
  // The line that starts at OFFSET of the pending text.
  struct LineMark {
    std::size_t offset;
    std::size_t source;
    std::size_t line;
  };

  bool linesRemain() const;
  const std::string* takeLine(LineMark& mark);
  bool readMore();
  bool pendingBlank() const;
  void skipBlanks();
  void skipLeadingComments();
  void scanStatement(Statement& statement);
  bool atTerminator(std::size_t at) const;
  bool moduleComplete() const;
  std::size_t endToken(std::size_t from, std::size_t to, bool last);
  void addToken(std::string token);
  void applyModuleRule();
  void openInput(const Statement& statement);
  void compactPending();

  std::string terminator_;
  InputFileLoader load_input_;
  const std::vector<std::string>* script_ = nullptr;
  std::size_t script_next_ = 0;
  std::vector<LineSource> inputs_;
  std::string pending_;  // read text; the pending part starts at head_
  std::size_t head_ = 0;
  std::vector<std::string>* tokens_ = nullptr;  // the statement being scanned
  bool module_ = false;
  bool stopped_ = false;
  std::vector<std::string> sources_;
  std::vector<LineMark> marks_;
  std::size_t statement_start_ = 0;
};

}  // namespace kelvo
