// Failures the preparation does not expect: through the real start-up
// sequence they end the process with exit code 1 after an error box.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>

#include "program/Atualiza_Quarvessa.h"
#include "screens/main_screen_support.h"
#include "screens/modal_driver.h"
#include "screens/unit1.h"

namespace kelvo {
namespace {

using test::MainScreenMachine;
using test::MessageAnswerer;
using test::SeenMessage;

// Runs the program in MACHINE's working folder, ticking both boxes and
// pressing "&Continuar  " when CONFIRM, else "&Sair". Returns the exit code.
int runProgram(MainScreenMachine& machine, bool confirm, std::vector<SeenMessage>& seen) {
  test::WorkingFolder cwd(machine.work.path());
  MessageAnswerer answerer(seen);
  test::whenShown<TForm1>([confirm](TForm1* form) {
    if (!confirm) {
      form->Button3->click();
      return;
    }
    form->CheckBox1->click();
    form->CheckBox2->click();
    form->BitBtn1->click();
  });
  return Atualiza_Quarvessa(*qApp);
}

TEST(UnexpectedPreparationError, UnreadableRegistryEndsWithCode1EvenUnconfirmed) {
  MainScreenMachine machine;
  std::filesystem::remove(machine.path("registry.reg"));
  std::vector<SeenMessage> seen;
  EXPECT_EQ(runProgram(machine, false, seen), 1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "The system cannot find the file specified.\n(registry file " +
                              machine.path("registry.reg") + ")");
  EXPECT_EQ(seen[0].title, "KelvoUpdate");
  EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
}

TEST(UnexpectedPreparationError, AValueOfAnotherTypeEndsWithCode1) {
  MainScreenMachine machine;
  test::TempFolder registry;
  const auto file = registry.write(
      "registry.reg",
      "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"
      "CurrentVersion]\n\"ProgramFilesDir\"=hex(7):43,00,00,00,00,00\n");
  test::ScopedEnv env("KELVOUPDATE_REGISTRY", file.string());
  std::vector<SeenMessage> seen;
  EXPECT_EQ(runProgram(machine, true, seen), 1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "The configuration registry key could not be read.");
}

TEST(UnexpectedPreparationError, AWaitScreenThatCannotBeCreatedEndsWithCode1) {
  MainScreenMachine machine;
  test::ScopedEnv library("KELVOUPDATE_FBCLIENT", "/nonexistent/libfbclient.so.2");
  std::vector<SeenMessage> seen;
  EXPECT_EQ(runProgram(machine, true, seen), 1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text,
            "InterBase library /nonexistent/libfbclient.so.2 not found in the path. Please "
            "install InterBase to use this functionality");
}

}  // namespace
}  // namespace kelvo
