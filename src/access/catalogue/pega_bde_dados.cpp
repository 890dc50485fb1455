// Alias parameter lookup that never fails: a missing value is empty text.
#include "access/catalogue/pega_bde_dados.h"

#include <exception>
#include <iostream>
#include <vector>

#include "platform/codepage.h"

namespace kelvo {

namespace {

constexpr std::size_t kMaxValueLength = 100;

}  // namespace

std::string PegaBDEdados(AliasRegistry& registry, std::string_view base,
                         std::string_view par) noexcept {
  std::string result;
  if (par.empty() || base.empty()) return result;
  try {
    std::vector<std::string> params;
    registry.GetAliasParams(base, params);
    for (const std::string& line : params) {
      const std::string_view text(line);
      if (text.size() > par.size() && text.starts_with(par) && text[par.size()] == '=') {
        result = utf8Characters(text.substr(par.size() + 1), 0, kMaxValueLength);
      }
    }
  } catch (...) {
    // The caller treats an empty value as "alias not found"; what went wrong
    // inside the registry is of no use to it.
  }
  return result;
}

std::string aliasProblem(AliasRegistry& registry, std::string_view base) noexcept {
  if (base.empty()) return {};
  try {
    std::vector<std::string> params;
    registry.GetAliasParams(base, params);
    return {};
  } catch (const std::exception& error) {
    try {
      std::string problem = error.what();
      std::cerr << problem << std::endl;
      return problem;
    } catch (...) {
      return {};  // out of memory: the operator still gets the main message
    }
  } catch (...) {
    return {};
  }
}

std::string aliasProblem(std::string_view alias) {
  return aliasProblem(systemAliasRegistry(), alias);
}

}  // namespace kelvo
