// What the script application run would do to one client database, read
// without changing anything: its version and the scripts it would apply.
// Also the run's work-list entry and programme code, which both use.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "update/update_data.h"

namespace kelvo {

// Returns the work-list entry of ALIAS: "M-" followed by the alias.
std::string workListEntry(std::string_view alias);

// Returns the programme code the scripts of ENTRY are filed under
// ("QUARVESSA" for an entry beginning with "M"), or empty text for none.
std::string programmeCode(std::string_view entry);

struct DatabasePlan {
  std::string alias;
  std::string location;  // the alias's "SERVER NAME"
  // The version read; none when VERSAO is missing (the run creates it,
  // holding kBootstrapVersion, and starts from there).
  std::optional<std::string> version;
  // The versions of the scripts the run would apply, in order.
  std::vector<std::string> pending;
};

// Reads the plan of ALIAS's client database through DATA's client
// connection (opened and closed again) and its open central catalogue.
// Creates nothing and executes no script; raises what the reads raise.
DatabasePlan planDatabase(UpdateData& data, const std::string& alias);

}  // namespace kelvo
