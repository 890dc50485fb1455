// The wait screen: shown during the script run, and the holder of the data
// members every run uses (catalogue and client connections, script runner).
#pragma once

#include <QDialog>
#include <memory>

#include "update/update_data.h"

namespace kelvo {

class Taguarde : public QDialog {
  Q_OBJECT

 public:
  // Creates the screen owned by OWNER and its data members; the central
  // login is set here. Raises when the client library cannot be loaded.
  explicit Taguarde(QWidget* owner, AliasRegistry& registry = systemAliasRegistry(),
                    std::shared_ptr<const IbClientApi> api = nullptr);
  ~Taguarde() override;

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  UpdateData data;
  CatalogDatabase& Database1 = data.catalog.Database1;
  IbDatabase& IBDatabase1 = data.client.IBDatabase1;

 private:
  int tag_ = 0;
};

}  // namespace kelvo
