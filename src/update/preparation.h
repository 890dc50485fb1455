// The preparation the main screen runs when it is first shown: it finds the
// archiver, checks the working folder, reads the client database's alias and
// opens the central catalogue and every client database once.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "access/catalogue/alias_registry.h"
#include "update/prepared_site.h"
#include "update/site_settings.h"

namespace kelvo {

// What the preparation shows on the screen that runs it. The preparation
// decides everything itself; the view only shows.
class PreparationView {
 public:
  virtual ~PreparationView() = default;

  // The folder that holds the archiver was found (the screen's PROGR).
  virtual void setProgramFolder(const std::string& folder) = 0;
  // The confirmation screen has been read and may be freed.
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
  // The data members exist (the wait screen's creation): the screen builds
  // what shows them. Throws when that cannot be done.
  virtual void createWaitScreen(UpdateData& data) = 0;
  // Ticks row ROW of the alias list.
  virtual void tickAlias(std::size_t row) = 0;
  // Shows PROMPT in the status bar and puts the focus on the update button.
  virtual void showReady(const std::string& prompt) = 0;
  // Sends the operator to ADDRESS, where the archiver can be fetched: the
  // shell opens it in the default browser. A front end without a desktop
  // tells the address instead.
  virtual void openDownloadPage(const std::string& address);
};

// Runs the preparation in the working folder, CONFIRMED telling whether the
// operator confirmed that every application is closed, asking ALIASES for
// each client database's location and loading the client library API (the
// system's when null). Every expected failure is shown through VIEW,
// disables the update button and asks the screen to close; the site's
// outcome says which. Unexpected failures (registry, unreadable settings
// file, client library missing) are thrown.
// SETTINGS gives the catalogue connection its waits.
PreparedSite prepare(PreparationView& view, AliasRegistry& aliases, bool confirmed,
                     std::shared_ptr<const IbClientApi> api = nullptr,
                     const SiteSettings& settings = {});

// Returns the alias named by the first line of the settings file PATH: its
// characters 15 to 44 in the ANSI code page, blanks and control characters
// trimmed. Throws Error when the file cannot be read.
std::string readSettingsAlias(const std::string& path);

// Returns the alias that FIRST_LINE (the settings file's first line, its
// bytes in the ANSI code page, without the line end) names.
std::string settingsAliasOfLine(std::string_view firstLine);

// Returns the message shown when ALIAS has no database location, followed on
// a second line by the alias registry's PROBLEM with it, when there is one.
std::string aliasNotFoundMessage(std::string_view alias, std::string_view problem = {});

}  // namespace kelvo
