// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace tavrola {

// The program's icon, drawn here at 16, 32 and 48 pixels so nothing has to ship beside the program.
QIcon appIcon();

} // namespace tavrola
