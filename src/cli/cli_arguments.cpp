// Parsing the command line and the help text.
#include "cli/cli_arguments.h"

#include <optional>

#ifndef KELVOUPDATE_VERSION
#define KELVOUPDATE_VERSION "0"
#endif

namespace kelvo::cli {

namespace {

constexpr const char* kConfirmation = "--confirmo-aplicativos-fechados";

std::optional<Command> commandNamed(const std::string& word) {
  if (word == "status") return Command::Status;
  if (word == "preview") return Command::Preview;
  if (word == "run") return Command::Run;
  if (word == "help") return Command::Help;
  return std::nullopt;
}

}  // namespace

Arguments parseArguments(const std::vector<std::string>& args) {
  Arguments parsed;
  std::optional<Command> command;
  bool asked_help = false;
  bool asked_version = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      asked_help = true;
    } else if (arg == "--version") {
      asked_version = true;
    } else if (arg == "--json") {
      parsed.json = true;
    } else if (arg == kConfirmation) {
      parsed.confirmed = true;
    } else if (arg == "--pasta" || arg.rfind("--pasta=", 0) == 0) {
      if (arg == "--pasta") {
        if (i + 1 >= args.size()) throw UsageError("a opção --pasta precisa de uma pasta");
        parsed.folder = args[++i];
      } else {
        parsed.folder = arg.substr(8);
      }
      if (parsed.folder.empty()) throw UsageError("a opção --pasta precisa de uma pasta");
    } else if (!arg.empty() && arg.front() == '-') {
      throw UsageError("opção desconhecida: " + arg);
    } else if (command) {
      throw UsageError("apenas um comando por vez; sobrou: " + arg);
    } else if (!(command = commandNamed(arg))) {
      throw UsageError("comando desconhecido: " + arg);
    }
  }
  if (asked_help || asked_version) {
    Arguments asked;
    asked.command = asked_help ? Command::Help : Command::Version;
    return asked;
  }
  if (!command) throw UsageError("falta o comando (status, preview ou run)");
  parsed.command = *command;
  if (parsed.json && parsed.command == Command::Run) {
    throw UsageError("a opção --json vale para status e preview");
  }
  if (parsed.confirmed && parsed.command != Command::Run) {
    throw UsageError(std::string("a opção ") + kConfirmation + " vale apenas para run");
  }
  return parsed;
}

std::string usageText() {
  return "Uso: kelvoupdate COMANDO [--pasta PASTA] [opções]\n"
         "\n"
         "Atualiza os arquivos e a base de dados do sistema na pasta do Sys_Tavrela.exe,\n"
         "sem tela, com as mesmas regras do atualiza_quarvessa.\n"
         "\n"
         "Comandos:\n"
         "  status    registros de falha, alias do Sys_Info.INI, Winrar, versão de cada\n"
         "            base e número de scripts pendentes. Apenas lê.\n"
         "  preview   o que status mostra e o que a atualização faria: arquivos a baixar\n"
         "            (e por quê), nomes recusados, extração do Sys_Tavrela.exe e scripts\n"
         "            na ordem de execução. Não altera nada.\n"
         "  run       a atualização completa. Exige --confirmo-aplicativos-fechados.\n"
         "\n"
         "Opções:\n"
         "  --pasta PASTA                     trabalha em PASTA (padrão: a pasta atual)\n"
         "  --json                            status e preview como um objeto JSON\n"
         "  --confirmo-aplicativos-fechados   declara que todos os aplicativos, inclusive\n"
         "                                    os dos terminais, foram fechados\n"
         "  --help                            mostra este texto\n"
         "  --version                         mostra a versão\n"
         "\n"
         "Códigos de saída:\n"
         "  0   sucesso\n"
         "  1   atualização finalizada com erros: feche os aplicativos e tente de novo\n"
         "  2   não foi possível estabelecer conexão ftp\n"
         "  3   erro de script: necessário contactar Orvalis Sistemas\n"
         "  4   recusado: há registro de falha de script (SCRIPT_ERRO*) na pasta\n"
         "  5   pasta ou base não preparada (Winrar, Sys_Tavrela.exe, Sys_Info.INI, alias,\n"
         "      MYSQL da internet ou base do cliente)\n"
         "  64  linha de comando inválida, ou run sem --confirmo-aplicativos-fechados\n"
         "  130 interrompida (Ctrl-C ou SIGTERM): a transferência em curso foi\n"
         "      abandonada e o script em curso desfeito; nada ficou pela metade\n"
         "  70  erro inesperado\n"
         "\n"
         "Progresso e mensagens vão para a saída de erro; o relatório e a linha final,\n"
         "para a saída padrão.\n";
}

std::string versionText() { return std::string("kelvoupdate ") + KELVOUPDATE_VERSION + "\n"; }

}  // namespace kelvo::cli
