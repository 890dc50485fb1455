// The command line, the JSON text and the exit code of the final status.
#include "cli/cli_arguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/run_command.h"
#include "update/site_update.h"

namespace kelvo::cli {
namespace {

using ::testing::HasSubstr;

Arguments parse(std::vector<std::string> args) { return parseArguments(args); }

TEST(CliArguments, CommandsFolderAndSwitches) {
  const Arguments run = parse({"run", "--pasta", "/srv/loja", "--confirmo-aplicativos-fechados"});
  EXPECT_EQ(run.command, Command::Run);
  EXPECT_EQ(run.folder, "/srv/loja");
  EXPECT_TRUE(run.confirmed);
  const Arguments preview = parse({"--json", "--pasta=C:\\Loja", "preview"});
  EXPECT_EQ(preview.command, Command::Preview);
  EXPECT_EQ(preview.folder, "C:\\Loja");
  EXPECT_TRUE(preview.json);
  EXPECT_FALSE(parse({"status"}).confirmed);
  // Help and version win over everything else on the line.
  EXPECT_EQ(parse({"run", "--help"}).command, Command::Help);
  EXPECT_EQ(parse({"--version", "status"}).command, Command::Version);
}

TEST(CliArguments, WhatCannotBeUnderstoodIsAUsageError) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"atualizar"},
                                             {"status", "preview"},
                                             {"status", "--pasta"},
                                             {"status", "--pasta="},
                                             {"status", "--verbose"},
                                             {"run", "--json"},
                                             {"preview", "--confirmo-aplicativos-fechados"}}) {
    EXPECT_THROW(parseArguments(args), UsageError) << ::testing::PrintToString(args);
  }
}

TEST(CliArguments, HelpDocumentsEveryExitCode) {
  const std::string help = usageText();
  for (const char* code : {"  0 ", "  1 ", "  2 ", "  3 ", "  4 ", "  5 ", "  64 ", "  70 "}) {
    EXPECT_THAT(help, HasSubstr(code));
  }
  EXPECT_THAT(versionText(), ::testing::StartsWith("kelvoupdate "));
}

WholeUpdateResult finished(std::optional<FinalStatus> status) {
  WholeUpdateResult result;
  result.preparation = PreparationOutcome::Ready;
  result.update.emplace();
  result.update->status = status;
  return result;
}

TEST(CliExitCodes, TheUpdatesResultDecides) {
  WholeUpdateResult refused;
  refused.failureRecords = {"SCRIPT_ERRO_X.TXT"};
  refused.preparation = PreparationOutcome::Ready;  // the gate comes first
  WholeUpdateResult unconfirmed;
  WholeUpdateResult unprepared;
  unprepared.preparation = PreparationOutcome::CatalogueUnreachable;
  const struct {
    WholeUpdateResult result;
    int code;
  } cases[] = {
      {finished(FinalStatus::Success), 0},
      {finished(FinalStatus::Retry), 1},
      {finished(std::nullopt), 2},
      {finished(FinalStatus::Support), 3},
      {finished(FinalStatus::Interrupted), 130},
      {refused, 4},
      {unprepared, 5},
      {unconfirmed, 64},
  };
  for (const auto& c : cases) EXPECT_EQ(updateExitCode(c.result), c.code);
}

}  // namespace
}  // namespace kelvo::cli
