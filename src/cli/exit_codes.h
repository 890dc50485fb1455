// The exit codes of kelvoupdate, as --help documents them.
#pragma once

namespace kelvo::cli {

enum ExitCode : int {
  kExitSuccess = 0,      // done (run: "Atualização finalizada com sucesso.")
  kExitRetry = 1,        // finished with errors: close the applications and try again
  kExitConnection = 2,   // the FTP connection could not be made (as the screens)
  kExitSupport = 3,      // a script failed: contact support
  kExitRefused = 4,      // a failure record in the folder refuses the update
  kExitPreparation = 5,  // the folder or a database is not ready (preparation failed)
  // stopped by SIGINT or SIGTERM (Ctrl-C or the console closing on Windows)
  // before it ended: the shell's number for an interrupted program
  kExitInterrupted = 130,
  kExitUsage = 64,       // wrong command line, or run without the confirmation
  kExitUnexpected = 70,  // an error the update does not expect
};

}  // namespace kelvo::cli
