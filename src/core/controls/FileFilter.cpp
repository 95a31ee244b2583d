// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controls/FileFilter.h"

namespace tavrola {

std::string toWindowsFilter(std::string_view filter) {
    std::string out(filter);
    for (char& c : out) {
        if (c == '|')
            c = '\0';
    }
    if (out.empty() || out.back() != '\0')
        out.push_back('\0');
    return out;
}

FilterPairs filterPairs(std::string_view filter) {
    // Read the Windows form so that both forms of the input give the same list.
    const std::string nul = toWindowsFilter(filter);
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t i = 0; i < nul.size(); ++i) {
        if (nul[i] == '\0') {
            items.push_back(nul.substr(start, i - start));
            start = i + 1;
        }
    }
    FilterPairs pairs;
    for (std::size_t i = 0; i + 1 < items.size(); i += 2) {
        if (items[i].empty() && items[i + 1].empty())
            break; // the double NUL that ends the list
        if (!items[i + 1].empty())
            pairs.emplace_back(items[i], items[i + 1]);
    }
    return pairs;
}

std::string toQtNameFilter(const FilterPairs& pairs) {
    std::string out;
    for (const auto& [description, patterns] : pairs) {
        std::string qtPatterns;
        std::size_t start = 0;
        while (start <= patterns.size()) {
            std::size_t end = patterns.find(';', start);
            if (end == std::string::npos)
                end = patterns.size();
            std::string p = patterns.substr(start, end - start);
            const auto a = p.find_first_not_of(' ');
            p = a == std::string::npos ? std::string() : p.substr(a, p.find_last_not_of(' ') - a + 1);
            if (p == "*.*")
                p = "*";
            if (!p.empty()) {
                if (!qtPatterns.empty())
                    qtPatterns += ' ';
                qtPatterns += p;
            }
            start = end + 1;
        }
        if (qtPatterns.empty())
            continue;
        if (!out.empty())
            out += ";;";
        out += description + " (" + qtPatterns + ")";
    }
    return out;
}

} // namespace tavrola
