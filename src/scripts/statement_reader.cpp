// The statement reader, one function per rule of the script dialect.
#include "scripts/statement_reader.h"

#include <algorithm>

#include "platform/ascii.h"
#include "scripts/script_lines.h"
#include "scripts/statement_classifier.h"

namespace kelvo {

namespace {

// INPUT files may name further INPUT files; this bounds a file that names
// itself, which would otherwise be read forever.
constexpr std::size_t kMaxInputDepth = 16;

bool isWord(const std::string& token, const char* word) { return upperAscii(token) == word; }

// Returns NAME without one leading and one trailing apostrophe or double quote.
std::string withoutQuotes(std::string name) {
  const auto quote = [](char c) { return c == '\'' || c == '"'; };
  if (!name.empty() && quote(name.front())) name.erase(0, 1);
  if (!name.empty() && quote(name.back())) name.pop_back();
  return name;
}

}  // namespace

StatementReader::StatementReader(std::string terminator)
    : terminator_(std::move(terminator)), load_input_(loadScriptFile) {}

void StatementReader::setTerminator(std::string terminator) {
  if (terminator.empty()) throw Error("The statement terminator must not be empty");
  terminator_ = std::move(terminator);
}

void StatementReader::start(const std::vector<std::string>& script, std::string source) {
  sources_.assign(1, std::move(source));
  marks_.clear();
  statement_start_ = 0;
  script_ = &script;
  script_next_ = 0;
  inputs_.clear();
  pending_.clear();
  head_ = 0;
  module_ = false;
  stopped_ = false;
}

// ---- Reading lines ---------------------------------------------------------

bool StatementReader::linesRemain() const {
  for (const LineSource& input : inputs_) {
    if (input.next < input.lines.size()) return true;
  }
  return script_ != nullptr && script_next_ < script_->size();
}

const std::string* StatementReader::takeLine(LineMark& mark) {
  while (!inputs_.empty()) {
    LineSource& input = inputs_.back();
    if (input.next < input.lines.size()) {
      mark = LineMark{0, input.source, input.next + 1};
      return &input.lines[input.next++];
    }
    inputs_.pop_back();
  }
  if (script_ != nullptr && script_next_ < script_->size()) {
    mark = LineMark{0, 0, script_next_ + 1};
    return &(*script_)[script_next_++];
  }
  return nullptr;
}

StatementReader::Position StatementReader::position() const {
  const auto after = std::upper_bound(
      marks_.begin(), marks_.end(), statement_start_,
      [](std::size_t offset, const LineMark& mark) { return offset < mark.offset; });
  if (after == marks_.begin()) return {};
  const LineMark& mark = *(after - 1);
  return Position{sources_[mark.source], mark.line};
}

bool StatementReader::pendingBlank() const {
  return std::all_of(pending_.begin() + static_cast<std::ptrdiff_t>(head_), pending_.end(),
                     isBlankOrControl);
}

// Appends the next line, preceded by CR LF, and goes on while everything
// pending is blank and lines remain. Returns false when no line was left.
bool StatementReader::readMore() {
  bool blank = pendingBlank();
  bool read = false;
  do {
    LineMark mark{};
    const std::string* line = takeLine(mark);
    if (line == nullptr) break;
    pending_ += "\r\n";
    mark.offset = pending_.size();
    marks_.push_back(mark);
    pending_ += *line;
    read = true;
    blank = blank && std::all_of(line->begin(), line->end(), isBlankOrControl);
  } while (blank && linesRemain());
  return read;
}

void StatementReader::skipBlanks() {
  while (head_ < pending_.size() && isBlankOrControl(pending_[head_])) ++head_;
}

// Drops what earlier statements consumed once it is at least half the buffer,
// so that a long line of many statements is not copied over and over.
void StatementReader::compactPending() {
  if (head_ > 0 && head_ * 2 >= pending_.size()) {
    pending_.erase(0, head_);
    // The last line that began in the dropped part now begins at 0.
    const auto after = std::upper_bound(
        marks_.begin(), marks_.end(), head_,
        [](std::size_t offset, const LineMark& mark) { return offset < mark.offset; });
    if (after - marks_.begin() > 1) marks_.erase(marks_.begin(), after - 1);
    for (LineMark& mark : marks_) mark.offset = mark.offset > head_ ? mark.offset - head_ : 0;
    head_ = 0;
  }
}

// ---- Leading comments ------------------------------------------------------

void StatementReader::skipLeadingComments() {
  skipBlanks();
  while (pending_.compare(head_, 2, "/*") == 0) {
    std::size_t searched_from = head_;
    std::size_t close = std::string::npos;
    while ((close = pending_.find("*/", searched_from)) == std::string::npos) {
      searched_from = pending_.size() - 1;  // a "*" may end the text read so far
      if (!readMore()) {
        stopped_ = true;
        throw StatementReaderError("Invalid Comment", pending_.substr(head_));
      }
    }
    head_ = close + 2;
    skipBlanks();
    if (head_ == pending_.size()) {
      readMore();
      skipBlanks();
    }
  }
}

// ---- Scanning ---------------------------------------------------------------

bool StatementReader::atTerminator(std::size_t at) const {
  return pending_.compare(at, terminator_.size(), terminator_) == 0;
}

// A procedure or trigger body read without SET TERM ends after END; or
// after ALTER TRIGGER name ACTIVE; (or INACTIVE;).
bool StatementReader::moduleComplete() const {
  const std::vector<std::string>& tokens = *tokens_;
  const std::size_t count = tokens.size();
  if (count >= 2 && isWord(tokens[count - 2], "END") && tokens[count - 1] == ";") return true;
  return count == 5 && isWord(tokens[0], "ALTER") && isWord(tokens[1], "TRIGGER") &&
         (isWord(tokens[3], "ACTIVE") || isWord(tokens[3], "INACTIVE")) && tokens[4] == ";";
}

// Ends the token that runs from FROM to TO. Unless it is the LAST token (the
// one the terminator ends, which is upper-cased), the blanks after it join
// it. Returns where the next token starts.
std::size_t StatementReader::endToken(std::size_t from, std::size_t to, bool last) {
  std::size_t end = to;
  if (!last) {
    while (end < pending_.size() && isBlankOrControl(pending_[end])) ++end;
  }
  std::string token(trimBlanksAndControls(std::string_view(pending_).substr(from, end - from)));
  if (!token.empty()) addToken(last ? upperAscii(token) : std::move(token));
  return end;
}

void StatementReader::addToken(std::string token) {
  std::vector<std::string>& tokens = *tokens_;
  if (module_) {
    const bool end_of_body = isWord(token, "END;");
    const bool trigger_switch = tokens.size() == 3 && isWord(tokens[0], "ALTER") &&
                                isWord(tokens[1], "TRIGGER") &&
                                (isWord(token, "ACTIVE;") || isWord(token, "INACTIVE;"));
    if (end_of_body || trigger_switch) {
      tokens.push_back(end_of_body ? token.substr(0, 3) : token.substr(0, token.size() - 1));
      tokens.emplace_back(";");
      return;
    }
  }
  tokens.push_back(std::move(token));
  applyModuleRule();
}

// CREATE or ALTER of a PROCEDURE or TRIGGER under the ";" terminator: the
// body's own semicolons must not end the statement.
void StatementReader::applyModuleRule() {
  const std::vector<std::string>& tokens = *tokens_;
  if (tokens.size() == 2 && terminator_ == ";" &&
      (isWord(tokens[0], "CREATE") || isWord(tokens[0], "ALTER")) &&
      (isWord(tokens[1], "PROCEDURE") || isWord(tokens[1], "TRIGGER"))) {
    module_ = true;
  }
}

void StatementReader::scanStatement(Statement& statement) {
  tokens_ = &statement.tokens;
  module_ = false;
  bool in_string = false;
  bool in_name = false;
  bool in_comment = false;
  const std::size_t start = head_;
  std::size_t token = head_;
  std::size_t i = head_;
  for (;;) {
    if (i >= pending_.size()) {
      token = endToken(token, i, false);
      if (!readMore()) {  // the last statement needs no terminator
        statement.text = pending_.substr(start, i - start);
        head_ = i;
        return;
      }
      continue;
    }
    if (!in_string && !in_name && !in_comment) {
      if (!module_ && atTerminator(i)) {
        endToken(token, i, true);
        statement.text = pending_.substr(start, i - start);
        head_ = i + terminator_.size();
        return;
      }
      if (module_ && moduleComplete()) {
        // The text loses the body's final semicolon. The character after it
        // (normally the CR of the line break) is dropped only when it is
        // blank: dropping anything else would cut the next statement.
        statement.text = pending_.substr(start, i - start);
        statement.text.pop_back();
        head_ = isBlankOrControl(pending_[i]) ? i + 1 : i;
        module_ = false;
        return;
      }
    }
    const char c = pending_[i];
    if (!in_string && !in_name && c == '/') {
      if (i + 1 < pending_.size() && pending_[i + 1] == '*') in_comment = true;
      if (i > start && pending_[i - 1] == '*') in_comment = false;
    }
    if (!in_comment) {
      if (c == ' ' && !in_string && !in_name) {
        i = token = endToken(token, i + 1, false);
        continue;
      }
      const bool quote = (c == '"' && !in_string) || (c == '\'' && !in_name);
      if (quote) {
        bool& inside = c == '"' ? in_name : in_string;
        inside = !inside;
        if (!inside) {  // closing ends the token
          i = token = endToken(token, i + 1, false);
          continue;
        }
      }
    }
    ++i;
  }
}

// ---- Statements ------------------------------------------------------------

void StatementReader::openInput(const Statement& statement) {
  const std::string name = withoutQuotes(statement.tokens[1]);
  if (inputs_.size() >= kMaxInputDepth) {
    stopped_ = true;
    throw StatementReaderError("INPUT files nested too deeply: " + name, statement.text);
  }
  try {
    std::vector<std::string> lines = load_input_(name);
    sources_.push_back(name);
    inputs_.push_back(LineSource{std::move(lines), 0, sources_.size() - 1});
  } catch (const Error& error) {
    stopped_ = true;
    throw StatementReaderError(error.what(), statement.text);
  }
}

std::optional<Statement> StatementReader::next() {
  while (!stopped_) {
    if (pendingBlank() && !linesRemain()) return std::nullopt;
    if (pendingBlank()) readMore();
    compactPending();
    skipBlanks();
    statement_start_ = head_;
    skipLeadingComments();
    statement_start_ = head_;
    Statement statement;
    scanStatement(statement);
    tokens_ = nullptr;
    statement.kind = classifyStatement(statement.tokens);
    switch (statement.kind) {
      case StatementKind::stmtEMPTY:
        continue;
      case StatementKind::stmtINPUT:
        openInput(statement);
        continue;
      case StatementKind::stmtTERM:
        terminator_ = statement.tokens[2];
        return statement;
      case StatementKind::stmtSET: {
        std::string words;
        for (std::size_t i = 1; i < statement.tokens.size(); ++i) {
          if (i > 1) words += ' ';
          words += statement.tokens[i];
        }
        statement.text = std::move(words);
        return statement;
      }
      default:
        return statement;
    }
  }
  return std::nullopt;
}

}  // namespace kelvo
