// Parameter blocks of attach and transaction start.
#include "access/interbase/ib_parameter_blocks.h"

#include <ibase.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/error.h"

namespace kelvo {

namespace {

// One "name=value" line of a connection's parameters, checked.
struct ParameterItem {
  char code;
  std::string value;  // in the ANSI code page
};

std::vector<ParameterItem> parameterItems(const std::vector<std::string>& lines) {
  static constexpr std::array<std::pair<const char*, char>, 4> kItems{{
      {"user_name", isc_dpb_user_name},
      {"password", isc_dpb_password},
      {"lc_ctype", isc_dpb_lc_ctype},
      {"sql_role_name", isc_dpb_sql_role_name},
  }};
  std::vector<ParameterItem> items;
  for (const std::string& line : lines) {
    if (trimBlanksAndTabs(line).empty()) continue;
    const auto equals = line.find('=');
    const std::string name = lowerAscii(trimBlanksAndTabs(line.substr(0, equals)));
    std::string value =
        equals == std::string::npos ? std::string() : utf8ToAnsi(line.substr(equals + 1));
    const auto item = std::find_if(kItems.begin(), kItems.end(),
                                   [&](const auto& known) { return name == known.first; });
    if (item == kItems.end()) throw Error("Unknown database parameter: " + name);
    if (value.size() > 255) throw Error("Database parameter too long: " + name);
    items.push_back({item->second, std::move(value)});
  }
  return items;
}

void appendItem(std::string& block, const ParameterItem& item) {
  block += item.code;
  block += static_cast<char>(item.value.size());
  block += item.value;
}

}  // namespace

std::string buildDatabaseParameterBlock(const std::vector<std::string>& lines) {
  std::string block(1, static_cast<char>(isc_dpb_version1));
  for (const ParameterItem& item : parameterItems(lines)) appendItem(block, item);
  return block;
}

std::string buildServiceAttachBlock(const std::vector<std::string>& lines) {
  // The service block's login items carry the attach block's codes.
  std::string block{static_cast<char>(isc_spb_version), static_cast<char>(isc_spb_current_version)};
  for (const ParameterItem& item : parameterItems(lines)) {
    if (item.code == isc_dpb_user_name || item.code == isc_dpb_password) appendItem(block, item);
  }
  return block;
}

std::string buildTransactionParameterBlock(const std::vector<std::string>& names) {
  // "no_savepoint" asks the server to keep no undo log for the whole
  // transaction; this server calls that option no_auto_undo.
  static constexpr std::array<std::pair<const char*, char>, 13> kItems{{
      {"consistency", isc_tpb_consistency},
      {"concurrency", isc_tpb_concurrency},
      {"shared", isc_tpb_shared},
      {"protected", isc_tpb_protected},
      {"exclusive", isc_tpb_exclusive},
      {"wait", isc_tpb_wait},
      {"nowait", isc_tpb_nowait},
      {"read", isc_tpb_read},
      {"write", isc_tpb_write},
      {"read_committed", isc_tpb_read_committed},
      {"rec_version", isc_tpb_rec_version},
      {"no_rec_version", isc_tpb_no_rec_version},
      {"no_savepoint", isc_tpb_no_auto_undo},
  }};
  if (names.empty()) return {};
  std::string block(1, static_cast<char>(isc_tpb_version3));
  for (const std::string& raw : names) {
    std::string name = lowerAscii(trimBlanksAndTabs(raw));
    if (name.empty()) continue;
    if (name == "no_auto_undo") name = "no_savepoint";
    const auto item = std::find_if(kItems.begin(), kItems.end(),
                                   [&](const auto& known) { return name == known.first; });
    if (item == kItems.end()) throw Error("Unknown transaction parameter: " + name);
    block += item->second;
  }
  return block.size() == 1 ? std::string() : block;
}

}  // namespace kelvo
