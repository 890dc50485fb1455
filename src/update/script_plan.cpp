// The read-only plan of a client database's script update.
#include "update/script_plan.h"

#include "access/catalogue/pega_bde_dados.h"
#include "update/script_catalogue.h"
#include "update/version_store.h"

namespace kelvo {

std::string workListEntry(std::string_view alias) { return "M-" + std::string(alias); }

std::string programmeCode(std::string_view entry) {
  return !entry.empty() && entry.front() == 'M' ? "QUARVESSA" : "";
}

DatabasePlan planDatabase(UpdateData& data, const std::string& alias) {
  DatabasePlan plan;
  plan.alias = alias;
  plan.location = PegaBDEdados(data.registry, alias, "SERVER NAME");
  IbDatabase& database = data.client.IBDatabase1;
  database.setDatabaseName(plan.location);
  database.open();
  try {
    plan.version = VersionStore(data.client.IBQuery1).existingVersion();
    plan.pending = ScriptCatalogue(data.catalog)
                       .pendingVersions(programmeCode(workListEntry(alias)),
                                        plan.version.value_or(kBootstrapVersion));
  } catch (...) {
    database.close();
    throw;
  }
  database.close();
  return plan;
}

}  // namespace kelvo
