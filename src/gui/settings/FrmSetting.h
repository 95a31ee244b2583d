// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"
#include "gui/widgets/clsDialog.h"

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <optional>
#include <string>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tavrola {

class Autostart;
class AutostartBox;
class Clock;
class Dialogs;
struct SettingKey;
class ucTimePicker;
class ZoneChooser;

// The settings window: edits setting.ini and acts on the running clock (logo position and picture,
// the strip, the shutdown timer, the monitor, the data updater).
//
// Life cycle: one instance for the program's life. Form_Load() runs the load steps (at start-up,
// unseen, so the logo takes its stored position); showModalFromTray() shows it modally, loading it
// first only if it is not loaded; closing it (Tutup, the close box, Esc) "unloads" it, so that the
// next opening reads the file again. The window hides on close and is never deleted by it.
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
    const QPixmap& logoPreview() const { return m_logoPicture; }

    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label3;
    QLineEdit* Fontsais1;
    QScrollBar* VolScroll1;
    QLabel* Label2;
    QLineEdit* Text2;
    QLabel* Label4;
    QLineEdit* Fontsais2;
    QScrollBar* VolScroll2;
    QLabel* Label5;
    QLineEdit* Text3;
    QLabel* Label6;
    QLineEdit* Fontsais3;
    QScrollBar* VolScroll3;

    QLabel* Label7;
    QCheckBox* Check1;
    QLabel* CEKME;

    QFrame* Picture1;
    QPushButton* cmdLOGO;
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    QLabel* LblHScroll1;
    QLabel* LblVScroll1;
    QLabel* LlbTarget1;
    QLineEdit* txtPath;

    QGroupBox* fraShutdown;
    QLabel* Label8;
    QLineEdit* Tarikh_Takwim2;
    QCheckBox* chkEnableShutdown;
    ucTimePicker* ucShutdownTime;
    QLabel* lblMalam;
    QLineEdit* txtPadam; // [MALAM] PADAM: the screen sleeps from here ...
    QLineEdit* txtHidup; // ... to HIDUP
    QLabel* Label10;
    QLabel* Label9;
    QPushButton* cmdSave;
    QPushButton* BatalButton;
    QPushButton* cmdSandaran;
    QLabel* Label11;

    QPushButton* cmd_tmrScroll;
    QPushButton* cmd_updatedabase;
    QPushButton* cmdTukarDisplay;

    // --- Start at login ---
    // Adds the "Mula automatik" box under the action buttons; without it the window has none.
    void attachAutostart(Autostart& autostart);
    AutostartBox* chkAutostart = nullptr;
    // --- end of start at login ---

    // Prayer-time zone for the built-in calculator ([LOKASI] ZON).
    ZoneChooser* zoneChooser;

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

public slots:
    // The strip's state as the clock reports it: the caption of cmd_tmrScroll follows it.
    void showScrollRunning(bool running);
    void Check1_Click();
    void chkEnableShutdown_Click();
    void VolScroll1_Change(int value);
    void VolScroll2_Change(int value);
    void VolScroll3_Change(int value);
    void HScroll1_Change(int value);
    void VScroll1_Change(int value);
    void cmd_tmrScroll_Click();
    void cmdLOGO_Click();
    void cmdSave_Click();
    void cmdTukarDisplay_Click();
    void cmd_updatedabase_Click();
    void BatalButton_Click();
    void cmdSandaran_Click();
    // "Jemaah...": the congregation's settings in their own window.
    void cmdJemaah_Click();

protected:
    // Every way of closing the window ends here: that is the unload.
    void done(int result) override;

private:
    void buildControls();
    void layOutWindow();
    void layOutPreview();
    void resetToDesign();
    void loadSize(const SettingKey& key, QLineEdit* box, QScrollBar* slider);
    void loadPosition(const SettingKey& key, QLabel* caption, QScrollBar* slider, void (FrmSetting::*rule)(int));
    void showLogoPicture(const QString& path);
    void setShutdownStatus(const std::string& text);
    bool save(const SettingKey& key, const QString& value);
    void failed(std::string_view text);

    ProgramFolder m_folder;
    Clock& m_clock;
    Dialogs& m_dialogs;
    std::optional<clsDialog> m_fileDialog; // made on first use, kept while loaded
    QPixmap m_logoPicture;
    bool m_loaded = false;
    bool m_loading = false;
    bool m_scrollRunning = true;
    // The clock's logo file and the picture the clock decoded from it.
    QString m_decodedPath;
    QPixmap m_decodedPicture;
    QPushButton* cmdJemaah = nullptr;
};

} // namespace tavrola
