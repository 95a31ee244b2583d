// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's default setting.ini to the file named on the command line. The package ships
// it beside the executable, and an installed copy's first start copies it into the user's data folder,
// so that a new user starts from the defaults without the "restored" message of a missing file.
#include "core/settings/SettingsSchema.h"

#include <fstream>

int main(int argc, char* argv[]) {
    if (argc != 2)
        return 2;
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << tavrola::defaultSettingsText();
    out.close();
    return out ? 0 : 1;
}
