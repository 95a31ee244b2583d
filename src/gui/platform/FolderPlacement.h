// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"

#include <QString>

namespace tavrola {

// Where the program's files live; the one place that decides.
//
// A portable copy (a build, or an unpacked folder the user can write to) keeps everything beside
// the executable. An installed copy (its folder not writable, or marked by the package with the
// file named by kInstalledMarker) reads its fonts and artwork from its own folder and keeps
// setting.ini, dbase/, backup/ and log/ in the user's data folder, which the first start makes,
// copying any setting.ini and database shipped beside the executable as the user's defaults.
struct FolderPlacement {
    static constexpr const char* kInstalledMarker = "installed";

    ProgramFolder folder;
    bool installed = false;
    bool firstStart = false; // installed, and this start made the user's data folder
};

FolderPlacement placeProgramFolder(const QString& programDir, const QString& userDataDir);
// The running program: its own folder and the user's data folder (QStandardPaths::AppDataLocation).
FolderPlacement placeRunningProgram();

} // namespace tavrola
