// The central catalogue's upgrade scripts: how many released scripts of a
// programme are newer than a version, which ones in version order, and the
// text of each.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "access/catalogue/catalog_connection.h"

namespace kelvo {

// Returns where the central catalogue is, for messages: the host, port and
// database its alias "Check" names in REGISTRY.
std::string catalogueAddress(AliasRegistry& registry);

// Returns VALUE with every apostrophe doubled, ready to stand between two
// apostrophes in a statement. A value without one comes back unchanged.
std::string sqlQuoted(std::string_view value);

// Returns the statement counting the released scripts of PROGRAMA whose
// version sorts after VERSAO (column "ct").
std::string pendingCountStatement(std::string_view programa, std::string_view versao);

// Returns the statement listing (programa, versao) of those scripts in
// version order.
std::string pendingListStatement(std::string_view programa, std::string_view versao);

// Returns the statement reading the text of the released script (PROGRAMA,
// VERSAO), and its signature (column assinatura) WITH_SIGNATURE.
std::string scriptTextStatement(std::string_view programa, std::string_view versao,
                                bool with_signature = false);

// A script as the catalogue stores it.
struct ScriptSource {
  std::string texto;       // the stored bytes, unconverted
  std::string assinatura;  // its signature in hex (empty when not read or null)
};

// A script's identity, (programa, versao), as the catalogue compares it:
// ASCII letters folded, trailing blanks ignored. Rows sharing it hold one
// script, applied once.
struct ScriptKey {
  std::string programa;
  std::string versao;
  bool operator==(const ScriptKey&) const = default;
};

// Returns the key of LIST's current row.
ScriptKey currentScriptKey(CatalogQuery& list);

// The catalogue side of one client database's update, on the queries of
// CATALOG: Query3 counts, Query2 holds the pending list, Table2 reads texts.
class ScriptCatalogue {
 public:
  explicit ScriptCatalogue(CatalogConnection& catalog) : catalog_(catalog) {}

  // Returns the number of released scripts of PROGRAMA newer than VERSAO.
  std::int64_t pendingCount(std::string_view programa, std::string_view versao);

  // Opens the pending list (Query2) on its first row, or at its end when no
  // script qualifies, and leaves it open.
  void openPendingList(std::string_view programa, std::string_view versao);

  // Returns the pending list, to walk with eof(), next() and fieldByName().
  CatalogQuery& pendingList() { return catalog_.Query2; }

  // Returns the text of the pending list's current script as lines: the
  // stored bytes read in the ANSI code page and divided at CR LF, lone CR
  // and lone LF. Only a released row supplies the text. An empty text, or a
  // script no longer there (or no longer released), gives no lines.
  std::vector<std::string> scriptText();

  // Returns the pending list's current script as stored, its signature
  // with it when WITH_SIGNATURE (a build without keys never reads that
  // column). A script no longer there gives an empty text.
  ScriptSource scriptSource(bool with_signature);

  // Returns the versions of the released scripts of PROGRAMA newer than
  // VERSAO, in the order a run applies them (one per script, however many
  // rows share it), through the pending list, which is closed afterwards.
  std::vector<std::string> pendingVersions(std::string_view programa, std::string_view versao);

  // Closes the pending list.
  void closePendingList() { catalog_.Query2.close(); }

 private:
  CatalogConnection& catalog_;
};

}  // namespace kelvo
