// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppInfo.h"
#include "core/platform/HttpClient.h"
#include "gui/update/FrmAutoUpdate.h"

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tavrola {

class Clock;
class Dialogs;
class Shell;

// The check for a newer release against the maker's manifest. The manifest is fetched without
// blocking; the check's answer (a box, or the update window) follows when the reply arrives.
class ModAutoUpdate : public QObject {
    Q_OBJECT
public:
    ModAutoUpdate(HttpClient& http, Shell& shell, Dialogs& dialogs, const Clock& clock,
                  std::filesystem::path settingsFile, std::string updateHost = app::kUpdateHost,
                  QObject* parent = nullptr);
    ~ModAutoUpdate() override;

    // Starts a check. Silent: only a newer version is shown. While a check is waiting for its reply
    // another one joins it (and makes it answer when either is not silent). True when a request
    // was started.
    bool CheckForUpdates(bool silent);

    // The automatic check (frmtray's one-shot tmrUpdateCheck calls it): at most once per run,
    // unless AUTOCHECK is off; writes LASTCHECK and checks silently. True when it checked.
    bool RunAutomaticCheck();

    // Asks for the manifest; `then` gets whether it was read and named a version. The kept
    // values change only on success.
    void FetchManifest(std::function<void(bool fetched)> then);

    // Opens the download page of LatestVersion in the browser; false (after its box) when there
    // is no usable web address or the browser could not be asked.
    bool OpenDownloadPage();

    static std::string CurrentVersion();
    const std::string& LatestVersion() const { return m_latestVersion; }
    const std::string& DownloadUrl() const { return m_downloadUrl; }
    const std::string& ChangeNotes() const { return m_changeNotes; }
    bool UpdateChecked() const { return m_updateChecked; }
    bool checkPending() const { return m_fetching; }
    Dialogs& dialogs() const { return m_dialogs; }

    // The update window while it is open, else null.
    FrmAutoUpdate* updateWindow() const { return m_window; }

signals:
    // A check has given its answer; windowShown when the update window was opened.
    void checkFinished(bool windowShown);

private:
    void finishCheck(bool fetched);
    void showUpdateWindow();

    HttpClient& m_http;
    Shell& m_shell;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    std::filesystem::path m_settingsFile;
    std::string m_updateHost;

    std::string m_latestVersion;
    std::string m_downloadUrl;
    std::string m_changeNotes;

    bool m_updateChecked = false;
    bool m_fetching = false;
    bool m_checkWaiting = false;
    bool m_silent = true;
    HttpClient::RequestId m_request = 0;
    std::vector<std::function<void(bool)>> m_fetchWaiters;
    QPointer<FrmAutoUpdate> m_window;
};

} // namespace tavrola
