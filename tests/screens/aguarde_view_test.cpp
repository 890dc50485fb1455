// The wait screen's error screen when the caption names the backup made
// before the scripts: the record's name stays the first line and both lines
// show whole.
#include "screens/aguarde_view.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "access/catalogue/alias_file.h"
#include "screens/modal_driver.h"
#include "screens/uAguarde.h"
#include "screens/unit2.h"
#include "support/temp_folder.h"
#include "update/update_data.h"

namespace kelvo {
namespace {

TEST(AguardeView, TheErrorScreenGrowsForTheBackupLine) {
  test::TempFolder folder;
  AliasFileRegistry registry(folder.write("aliases.ini", "").string());
  UpdateData data(registry);
  Taguarde screen(nullptr, data);
  AguardeView view(screen);
  const std::string record =
      "SCRIPT EM EXECUÇÃO SALVO: SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 M-LOJA.TXT";
  const struct {
    std::string caption;
    QSize size;
    int labelHeight;
  } cases[] = {
      {record, {826, 266}, 16},
      {record + "\nBACKUP DA BASE ANTES DOS SCRIPTS: /var/backups/LOJA_2024-03-05_14-07-09.fbk",
       {826, 282},
       32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    bool shown = false;
    test::whenShown<TForm2>([&](TForm2* form) {
      shown = true;
      EXPECT_EQ(form->Label1->text().toStdString(), c.caption);
      EXPECT_EQ(form->size(), c.size);
      EXPECT_EQ(form->Label1->height(), c.labelHeight);
      EXPECT_LE(form->Label1->sizeHint().height(), form->Label1->height());  // nothing cut off
      form->Button3->click();
    });
    view.showScriptError(c.caption);
    EXPECT_TRUE(shown);
  }
}

}  // namespace
}  // namespace kelvo
