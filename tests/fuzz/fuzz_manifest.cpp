// Fuzzes the update manifest's scanner and the version comparison. The input's first three lines
// are versions a, b and c, its fourth a member name; the rest is the manifest text.
// The comparison must be a total order (reflexive, antisymmetric, transitive on the triple) in
// which missing parts count as 0; a scanned value is text of the manifest without a quotation mark.
#include "core/update/UpdateManifest.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace tavrola;

namespace {

void require(bool ok) {
    if (!ok)
        std::abort();
}

std::string_view nextLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    return line;
}

void checkOrder(std::string_view x, std::string_view y, std::string_view z) {
    const int xy = CompareVersions(x, y), yz = CompareVersions(y, z), xz = CompareVersions(x, z);
    if (xy >= 0 && yz >= 0)
        require(xz == (xy > 0 || yz > 0 ? 1 : 0));
}

void checkValue(std::string_view text, const std::string& value) {
    require(value.find('"') == std::string::npos);
    require(value.empty() || text.find(value) != std::string_view::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view a = nextLine(rest), b = nextLine(rest), c = nextLine(rest), name = nextLine(rest);
    const std::string_view text = rest;

    const std::string_view v[] = {a, b, c};
    for (std::string_view x : v) {
        require(CompareVersions(x, x) == 0);
        require(CompareVersions(std::string(x) + ".0", x) == 0);
        require(CompareVersions(std::string(x) + ".1", x) == 1);
        for (std::string_view y : v) {
            const int r = CompareVersions(x, y);
            require(r >= -1 && r <= 1 && CompareVersions(y, x) == -r);
        }
    }
    int order[] = {0, 1, 2};
    do
        checkOrder(v[order[0]], v[order[1]], v[order[2]]);
    while (std::next_permutation(order, order + 3));

    for (std::string_view n : {std::string_view("version"), std::string_view("download"), name}) {
        const std::string plain = ExtractJsonString(text, n);
        checkValue(text, plain);
        const std::string dollar = ExtractJsonString(text, "$" + std::string(n));
        checkValue(text, dollar);
        require(GetManifestValue(text, n) == (dollar.empty() ? plain : dollar));
    }
    const ManifestValues m = readManifest(text);
    require(m.latestVersion == GetManifestValue(text, "version"));
    const std::string download = GetManifestValue(text, "download");
    require(m.downloadUrl == (download.empty() ? GetManifestValue(text, "url") : download));
    checkValue(text, m.changeNotes);
    return 0;
}
