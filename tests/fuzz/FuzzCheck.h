// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: a failed check aborts, so libFuzzer keeps the input.
#pragma once

#include <cstdlib>

namespace tavrola::fuzz {

inline void require(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace tavrola::fuzz
