// The shared data members: the central login is set as they are created.
#include "update/update_data.h"

#include "access/interbase/ib_client_library.h"

namespace kelvo {

UpdateData::UpdateData(AliasRegistry& registry, std::shared_ptr<const IbClientApi> api)
    : registry(registry), catalog(registry), client(api ? std::move(api) : loadIbClientLibrary()) {
  setCatalogLogin(catalog.Database1);
}

}  // namespace kelvo
