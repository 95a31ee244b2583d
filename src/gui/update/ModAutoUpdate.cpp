// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/update/ModAutoUpdate.h"

#include "core/settings/SettingsSchema.h"
#include "core/platform/Clock.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Shell.h"
#include "core/update/UpdateCheck.h"
#include "gui/update/FrmAutoUpdate.h"

#include <exception>

namespace tavrola {

ModAutoUpdate::ModAutoUpdate(HttpClient& http, Shell& shell, Dialogs& dialogs, const Clock& clock,
                             std::filesystem::path settingsFile, std::string updateHost, QObject* parent)
    : QObject(parent), m_http(http), m_shell(shell), m_dialogs(dialogs), m_clock(clock),
      m_settingsFile(std::move(settingsFile)), m_updateHost(std::move(updateHost)) {}

ModAutoUpdate::~ModAutoUpdate() {
    // The reply must never reach a module that is gone.
    if (m_fetching)
        m_http.cancel(m_request);
    delete m_window.data();
}

std::string ModAutoUpdate::CurrentVersion() {
    return std::to_string(app::kVersionMajor) + "." + std::to_string(app::kVersionMinor) + "." +
           std::to_string(app::kVersionRevision);
}

bool ModAutoUpdate::CheckForUpdates(bool silent) {
    if (m_checkWaiting) {
        m_silent = m_silent && silent;
        return false;
    }
    m_checkWaiting = true;
    m_silent = silent;
    FetchManifest([this](bool fetched) { finishCheck(fetched); });
    return true;
}

bool ModAutoUpdate::RunAutomaticCheck() {
    if (m_updateChecked)
        return false;
    std::string autoCheck = std::string(settings::kAutoCheck.readDefault);
    try {
        autoCheck = readSetting(settings::kAutoCheck, m_settingsFile);
    } catch (const std::exception&) {
        // An unreadable setting leaves the check on, as a missing one does.
    }
    if (!update::automaticCheckAllowed(false, autoCheck))
        return false;
    m_updateChecked = true;
    try {
        writeSetting(settings::kLastCheck, update::lastCheckText(m_clock.now()), m_settingsFile);
    } catch (const std::exception&) {
        // Nothing reads LASTCHECK; failing to write it must not stop the check.
    }
    CheckForUpdates(true);
    return true;
}

void ModAutoUpdate::FetchManifest(std::function<void(bool fetched)> then) {
    // Callers arriving while a request is out share its reply rather than sending another.
    m_fetchWaiters.push_back(std::move(then));
    if (m_fetching)
        return;
    m_fetching = true;
    m_request = m_http.get(update::manifestRequest(m_updateHost), [this](const HttpResponse& r) {
        m_fetching = false;
        bool fetched = false;
        try {
            if (auto values = update::manifestFromReply(r)) {
                m_latestVersion = std::move(values->latestVersion);
                m_downloadUrl = std::move(values->downloadUrl);
                m_changeNotes = std::move(values->changeNotes);
                fetched = true;
            }
        } catch (const std::exception&) {
            fetched = false;
        }
        const auto waiters = std::move(m_fetchWaiters);
        m_fetchWaiters.clear();
        for (const auto& then : waiters)
            then(fetched);
    });
}

void ModAutoUpdate::finishCheck(bool fetched) {
    const bool silent = m_silent;
    m_checkWaiting = false;
    bool shown = false;
    try {
        switch (update::decide(fetched, m_latestVersion, CurrentVersion())) {
        case update::Outcome::CannotCheck:
            if (!silent)
                m_dialogs.message(MessageIcon::Exclamation, update::kBoxTitle, update::kCannotCheck);
            break;
        case update::Outcome::UpToDate:
            if (!silent)
                m_dialogs.message(MessageIcon::Information, update::kBoxTitle,
                                  update::upToDateMessage(CurrentVersion()));
            break;
        case update::Outcome::Newer:
            showUpdateWindow();
            shown = true;
            break;
        }
    } catch (const std::exception& e) {
        m_dialogs.message(MessageIcon::Critical, update::kBoxTitle, update::checkErrorMessage(e.what()));
        shown = false;
    }
    emit checkFinished(shown);
}

void ModAutoUpdate::showUpdateWindow() {
    // One update window at a time: a later check refreshes the open one.
    if (!m_window) {
        m_window = new FrmAutoUpdate(*this);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_window->Form_Load();
    // Modal for the user, but shown without a nested event loop so the clock keeps running.
    m_window->setWindowModality(Qt::ApplicationModal);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool ModAutoUpdate::OpenDownloadPage() {
    const auto address = update::downloadAddress(m_downloadUrl, m_latestVersion);
    if (!address) {
        m_dialogs.message(MessageIcon::Exclamation, update::kBoxTitle, update::kNoDownloadUrl);
        return false;
    }
    if (!m_shell.openAddress(*address)) {
        m_dialogs.message(MessageIcon::Critical, update::kBoxTitle,
                          update::browserErrorMessage("no program could open " + *address));
        return false;
    }
    return true;
}

} // namespace tavrola
