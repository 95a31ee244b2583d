// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"
#include "gui/widgets/clsDialog.h"

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tavrola {

class Autostart;
class AutostartBox;
class Clock;
class Dialogs;
class LogoPlacement;
class ShutdownFrame;
class TitleRow;
class ZoneChooser;
struct SettingEdit;

// The settings window: edits setting.ini and acts on the running clock (logo position and picture,
// the strip, the shutdown timer, the monitor, the data updater).
//
// Life cycle: one instance for the program's life. Form_Load() runs the load steps (at start-up,
// unseen, so the logo takes its stored position); showModalFromTray() shows it modally, loading it
// first only if it is not loaded; closing it (Tutup, the close box, Esc) "unloads" it, so that the
// next opening reads the file again. The window hides on close and is never deleted by it.
//
// Its parts: three title rows (the two titles and the place), the clock mode, the place the times
// are computed for, the lower frame (Hijri correction, shutdown, night screen, Simpan), the logo's
// preview and placement, and the actions on the running clock.
class FrmSetting : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 18345;
    static constexpr int kHeightTwips = 10035;

    FrmSetting(ProgramFolder folder, Clock& clock, Dialogs& dialogs, QWidget* parent = nullptr);
    ~FrmSetting() override;

    bool isLoaded() const { return m_loaded; }
    // The load steps, on a window as freshly designed. Also called by showModalFromTray() when needed.
    void Form_Load();
    // The clock's logo step hands over the path it resolved and the picture it decoded from it:
    // loads the window first if needed.
    void takeLogoPath(const QString& path, const QPixmap& picture = {});
    // The tray's "&Settings": load if not loaded, then show modally until the user closes it.
    // A second call while it is open only brings it to the front (returns -1).
    int showModalFromTray();

    // The picture cmdLOGO shows; null when it shows none.
    const QPixmap& logoPreview() const;

    // Adds the "Mula automatik" box under the action buttons; without it the window has none.
    void attachAutostart(Autostart& autostart);
    // Shows "Urus dari telefon..." beside "Jemaah...": the program can serve the phone page.
    void offerPhonePanel();

signals:
    // What the window asks of the running clock and the rest of the program.
    void logoLeftChanged(int twips); // the logo's left edge, twips from the designed window's corner
    void logoTopChanged(int twips);
    void logoFileChosen(const QString& path);
    void scrollRunningRequested(bool run);
    void shutdownChecksRequested(bool on);
    void nextDisplayRequested();
    // Unload the data updater, wait, load it again; the button stays off until this returns.
    void updaterReloadRequested(double waitSeconds);
    void backupsRequested();
    void phonePanelRequested();
    void announcementsRequested(); // "Pengumuman...": the announcements' own window

public slots:
    // The strip's state as the clock reports it: the caption of cmd_tmrScroll follows it.
    void showScrollRunning(bool running);

protected:
    // Every way of closing the window ends here: that is the unload.
    void done(int result) override;

private slots:
    void clockModeClicked();
    void scrollClicked();
    void chooseLogo();
    void save();
    void reloadUpdater();
    void openJemaah();

private:
    void buildControls();
    void layOutWindow();
    void resetToDesign();
    void failed(std::string_view text);
    std::vector<SettingEdit> edits() const;

    ProgramFolder m_folder;
    Clock& m_clock;
    Dialogs& m_dialogs;
    std::optional<clsDialog> m_fileDialog; // made on first use, kept while loaded
    bool m_loaded = false;
    bool m_loading = false;
    bool m_scrollRunning = true;

    TitleRow* m_title1 = nullptr;
    TitleRow* m_title2 = nullptr;
    TitleRow* m_place = nullptr;
    QLabel* m_clockModeCaption = nullptr;
    QCheckBox* m_clockMode = nullptr;
    QLabel* m_storedClockMode = nullptr;
    QPushButton* m_jemaah = nullptr;
    QPushButton* m_phone = nullptr;
    QPushButton* m_announcements = nullptr;
    ZoneChooser* m_zone = nullptr;
    ShutdownFrame* m_lower = nullptr;
    LogoPlacement* m_logo = nullptr;
    QPushButton* m_scroll = nullptr;
    QPushButton* m_updateDatabase = nullptr;
    QPushButton* m_nextDisplay = nullptr;
    AutostartBox* m_autostart = nullptr;
};

} // namespace tavrola
