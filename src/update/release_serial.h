// The serial of the last release this site accepted, kept in the site's
// state folder beside its settings file (never in the working folder, which
// the update server fills), so that an older signed release is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvo {

// Returns the file that keeps the serial: kelvoupdate-state/release-serial
// beside the site settings file, or nothing when no absolute folder for
// that file is known.
std::optional<std::string> releaseSerialPath();

// Returns the serial kept at PATH, 0 when there is none yet; raises
// kelvo::Error when the file cannot be read or holds no serial.
std::uint64_t readAcceptedSerial(const std::string& path);

// Keeps SERIAL at PATH, creating its folder; the file is replaced whole, so
// a run cut off never leaves half a number. Raises kelvo::Error on failure.
void storeAcceptedSerial(const std::string& path, std::uint64_t serial);

}  // namespace kelvo
