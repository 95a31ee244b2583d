// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/clsDialog.h"

#include "core/platform/Dialogs.h"
#include "core/controls/FileFilter.h"
#include "gui/platform/LocalText.h"

namespace tavrola {

QString clsDialog::ShowOpen(QWidget* Form_hWnd, const QString& Title, const QString& InitDir,
                            const QString& Filter, std::uint32_t Flags) {
    OpenFileRequest request;
    request.title = fromQt(Title);
    request.initialFolder = fromQt(InitDir);
    request.filters = filterPairs(fromQt(Filter));
    request.mustExist = (Flags & OFN_FILEMUSTEXIST) != 0;
    request.owner = Form_hWnd;
    // The path comes back whole: a name may legitimately begin or end with a space.
    return toQt(m_dialogs.openFile(request));
}

} // namespace tavrola
