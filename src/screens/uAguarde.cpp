// The wait screen and its data members.
#include "screens/uAguarde.h"

namespace kelvo {

Taguarde::Taguarde(QWidget* owner, AliasRegistry& registry, std::shared_ptr<const IbClientApi> api)
    : QDialog(owner), data(registry, std::move(api)) {
  setWindowTitle("Aviso");
}

Taguarde::~Taguarde() = default;

}  // namespace kelvo
