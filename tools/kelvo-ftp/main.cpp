// kelvo-ftp: runs FTP commands against a server in one session, with the
// client and the settings the updater uses, for support staff checking a
// server from a shell. See usage() for the commands.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "access/ftp/ftp_client.h"
#include "access/ftp/listing_item_text.h"
#include "platform/error.h"
#include "platform/file_flush.h"
#include "platform/native_path.h"
#include "update/deployment.h"

namespace {

const char* const kUsageUpToUser =
    "usage: kelvo-ftp [--active] [--user NAME] [--password TEXT] [--events] HOST PORT COMMAND...\n"
    "\n"
    "Connects and logs in as the updater does (passive unless --active, binary\n"
    "transfers), then runs the commands in order in one session:\n"
    "  list            prints the raw listing lines, then one parsed item per\n"
    "                  line: raw line index, kind, size, date, name\n"
    "  size NAME       prints the size the server gives for NAME (-1: none)\n"
    "  get NAME DEST   downloads NAME into the local file DEST\n"
    "  cd FOLDER       changes the server's current folder\n"
    "A failing command prints its error on standard error and the next one\n"
    "still runs. --events prints the status and work events on standard error.\n"
    "The user name defaults to the updater's (";
const char* const kUsageAfterUser =
    "), the password to \"\".\n"
    "Exit status: 0 when every command succeeded, 1 when one failed or the\n"
    "connection could not be made, 2 for a wrong command line.\n";
const std::string kUsage = kUsageUpToUser + std::string(kelvo::kFtpUser) + kUsageAfterUser;

struct Command {
  std::string name;
  std::vector<std::string> arguments;
};

struct Options {
  bool passive = true;
  bool events = false;
  std::string user = kelvo::kFtpUser;
  std::string password;
  std::string host;
  int port = 0;
  std::vector<Command> commands;
};

// Returns the count of arguments COMMAND takes, or -1 for an unknown one.
int argumentCount(const std::string& command) {
  if (command == "list") return 0;
  if (command == "size" || command == "cd") return 1;
  if (command == "get") return 2;
  return -1;
}

bool readPort(const std::string& text, int& port) {
  if (text.empty() || text.size() > 5 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  port = std::stoi(text);
  return port > 0 && port <= 65535;
}

// Reads the command line into OPTIONS; returns false after a complaint.
bool readOptions(int argc, char** argv, Options& options) {
  int i = 1;
  for (; i < argc && std::string(argv[i]).starts_with("--"); ++i) {
    const std::string arg = argv[i];
    if (arg == "--active") {
      options.passive = false;
    } else if (arg == "--events") {
      options.events = true;
    } else if ((arg == "--user" || arg == "--password") && i + 1 < argc) {
      (arg == "--user" ? options.user : options.password) = argv[++i];
    } else {
      std::cerr << "error: unknown option " << arg << "\n";
      return false;
    }
  }
  if (argc - i < 3) {
    std::cerr << "error: HOST, PORT and at least one command are needed\n";
    return false;
  }
  options.host = argv[i++];
  if (!readPort(argv[i++], options.port)) {
    std::cerr << "error: PORT must be a number from 1 to 65535\n";
    return false;
  }
  while (i < argc) {
    Command command{argv[i++], {}};
    const int count = argumentCount(command.name);
    if (count < 0) {
      std::cerr << "error: unknown command " << command.name << "\n";
      return false;
    }
    if (argc - i < count) {
      std::cerr << "error: " << command.name << " needs " << count << " argument(s)\n";
      return false;
    }
    for (int k = 0; k < count; ++k) command.arguments.emplace_back(argv[i++]);
    options.commands.push_back(std::move(command));
  }
  return true;
}

void printItems(const kelvo::DirectoryListing& listing) {
  for (const kelvo::ListingItem& item : listing.items()) {
    std::cout << kelvo::listingItemText(item) << '\n';
  }
}

void list(kelvo::FtpClient& client) {
  std::vector<std::string> lines;
  client.List(lines);
  for (const std::string& line : lines) std::cout << line << '\n';
  try {
    printItems(client.DirectoryListing());
  } catch (const kelvo::Error&) {
    // The items made before the parse stopped are kept; show them too.
    printItems(client.DirectoryListing());
    throw;
  }
}

void run(kelvo::FtpClient& client, const Command& command) {
  if (command.name == "list") {
    list(client);
  } else if (command.name == "size") {
    std::cout << client.Size(command.arguments[0]) << '\n';
  } else if (command.name == "get") {
    client.Get(command.arguments[0], command.arguments[1]);
    // A lone download is durable at once: its folder is flushed as well.
    kelvo::flushFolder(kelvo::utf8Text(kelvo::filePath(command.arguments[1]).parent_path()));
  } else if (command.name == "cd") {
    client.ChangeDir(command.arguments[0]);
  }
}

void reportEvents(kelvo::FtpClient& client) {
  client.OnStatus = [](kelvo::FtpClient&, kelvo::TFtpStatus status, const std::string& text) {
    std::cerr << "status " << static_cast<int>(status) << ": " << text << '\n';
  };
  client.OnWorkBegin = [](kelvo::FtpClient&, kelvo::TWorkMode, std::int64_t expected) {
    std::cerr << "work begin " << expected << '\n';
  };
  client.OnWork = [](kelvo::FtpClient&, kelvo::TWorkMode, std::int64_t count) {
    std::cerr << "work " << count << '\n';
  };
  client.OnWorkEnd = [](kelvo::FtpClient&, kelvo::TWorkMode) { std::cerr << "work end\n"; };
}

// Returns TEXT without its final line breaks (a reply's text ends in one).
std::string withoutFinalBreaks(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--help") {
      std::cout << kUsage;
      return 0;
    }
  }
  Options options;
  if (!readOptions(argc, argv, options)) {
    std::cerr << kUsage;
    return 2;
  }
  kelvo::FtpClient client;
  if (options.events) reportEvents(client);
  client.setHost(options.host);
  client.setPort(static_cast<std::uint16_t>(options.port));
  client.setUsername(options.user);
  client.setPassword(options.password);
  client.setPassive(options.passive);
  try {
    client.Connect();
    client.setTransferType(kelvo::FtpTransferType::Binary);
  } catch (const kelvo::Error& e) {
    std::cerr << "error: " << withoutFinalBreaks(e.what()) << '\n';
    return 1;
  }
  bool failed = false;
  for (const Command& command : options.commands) {
    try {
      run(client, command);
    } catch (const kelvo::Error& e) {
      std::cout.flush();
      std::cerr << "error: " << command.name << ": " << withoutFinalBreaks(e.what()) << '\n';
      failed = true;
    }
  }
  if (client.Connected()) client.Disconnect();
  return failed ? 1 : 0;
}
