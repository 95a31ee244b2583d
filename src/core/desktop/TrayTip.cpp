// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/desktop/TrayTip.h"

namespace tavrola {

std::string trayTipText(std::string_view title, std::string_view version) {
    std::string tip(title);
    tip += " Versi : ";
    tip += version;
    if (tip.size() > kTrayTipMax)
        tip.resize(kTrayTipMax);
    return tip;
}

} // namespace tavrola
