// The preparation the main screen runs when it is first shown: it finds the
// archiver, checks the working folder, reads the client database's alias and
// opens the central catalogue and every client database once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "access/catalogue/alias_registry.h"
#include "update/update_data.h"

namespace kelvo {

// What the preparation needs of the screen that runs it.
class PreparationView {
 public:
  virtual ~PreparationView() = default;

  // Stores the folder that holds the archiver (the screen's PROGR).
  virtual void setProgramFolder(const std::string& folder) = 0;
  // Returns true when the operator confirmed on the confirmation screen.
  virtual bool confirmed() = 0;
  // Frees the confirmation screen once it has been read.
  virtual void releaseConfirmation() = 0;
  // Shows TEXT in a plain modal box; returns once the operator dismissed it.
  virtual void showMessage(const std::string& text) = 0;
  // Closes the screen shortly after the current message (its one-shot timer).
  virtual void closeSoon() = 0;
  // Enables or disables the button that starts the update.
  virtual void setUpdateEnabled(bool enabled) = 0;
  // Shows TEXT as the main executable's label, in green: it will be updated.
  virtual void showMainExecutable(const std::string& text) = 0;
  // Appends ALIAS as an unticked row of the alias list.
  virtual void addAlias(const std::string& alias) = 0;
  // Returns the rows of the alias list, in order.
  virtual std::vector<std::string> aliases() = 0;
  // Creates the wait screen (owned by the screen) and returns its data
  // members; throws when it cannot be created.
  virtual UpdateData& createWaitScreen() = 0;
  // Ticks row ROW of the alias list.
  virtual void tickAlias(std::size_t row) = 0;
  // Shows PROMPT in the status bar and puts the focus on the update button.
  virtual void showReady(const std::string& prompt) = 0;
  // Sends the operator to ADDRESS, where the archiver can be fetched: the
  // shell opens it in the default browser. A front end without a desktop
  // tells the address instead.
  virtual void openDownloadPage(const std::string& address);
};

// How a preparation ended.
enum class PreparationOutcome {
  NotConfirmed,
  ArchiverMissing,
  MainExecutableMissing,
  SettingsFileMissing,
  AliasUnknown,
  CatalogueUnreachable,
  ClientDatabaseUnreachable,
  Ready,
};

// Runs the preparation in the working folder, asking ALIASES for each
// client database's location. Every expected failure is shown through VIEW,
// disables the update button and asks the screen to close; the outcome says
// which. Unexpected failures (registry, unreadable settings file, wait
// screen not created) are thrown.
PreparationOutcome prepare(PreparationView& view, AliasRegistry& aliases);

// Returns the alias named by the first line of the settings file PATH: its
// characters 15 to 44 in the ANSI code page, blanks and control characters
// trimmed. Throws Error when the file cannot be read.
std::string readSettingsAlias(const std::string& path);

// Returns the message shown when ALIAS has no database location, followed on
// a second line by the alias registry's PROBLEM with it, when there is one.
std::string aliasNotFoundMessage(std::string_view alias, std::string_view problem = {});

}  // namespace kelvo
