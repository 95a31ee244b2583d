// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the update manifest's scanner and the version comparison. The input's first three lines
// are versions, its fourth a member name; the rest is the manifest text. The comparison must be an
// order (else the clock could offer the version it runs, or an older one, as an update) in which a
// missing part counts as 0.
#include "core/update/UpdateManifest.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

using namespace tavrola;
using fuzz::require;

namespace {

std::string_view nextLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view v[] = {nextLine(rest), nextLine(rest), nextLine(rest)}, name = nextLine(rest);
    for (std::string_view x : v) {
        require(CompareVersions(x, x) == 0 && CompareVersions(std::string(x) + ".0", x) == 0 &&
                CompareVersions(std::string(x) + ".1", x) == 1);
        for (std::string_view y : v) {
            const int xy = CompareVersions(x, y);
            require(xy >= -1 && xy <= 1 && CompareVersions(y, x) == -xy);
            for (std::string_view z : v)
                if (const int yz = CompareVersions(y, z); xy >= 0 && yz >= 0)
                    require(CompareVersions(x, z) == std::max(xy, yz));
        }
    }
    // The scanner on any text: values are text of the manifest, without a quotation mark.
    const ManifestValues m = readManifest(rest);
    for (const std::string& value : {m.latestVersion, m.downloadUrl, m.changeNotes, GetManifestValue(rest, name)})
        require(value.find('"') == std::string::npos &&
                (value.empty() || rest.find(value) != std::string_view::npos));
    return 0;
}
