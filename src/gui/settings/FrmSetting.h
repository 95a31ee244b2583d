#pragma once

#include "core/config/ProgramFolder.h"
#include "gui/widgets/clsDialog.h"

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <functional>
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
    // What the window does to the running clock. Every hook is optional; an empty one is skipped.
    struct ClockLink {
        std::function<void(int twips)> setLogoLeft; // logo's left edge, twips from the window's corner
        std::function<void(int twips)> setLogoTop;
        std::function<void(const QString& path)> loadLogo; // the logo control loads this file
        std::function<bool()> scrollRunning;               // tmrScroll active?
        std::function<void(bool run)> setScrollRunning;    // start (true) or stop tmrScroll
        std::function<void()> shutdownTimerOn;             // ShutDwn on
        std::function<void()> nextDisplay;                 // move the clock to the next monitor
        std::function<void()> reloadUpdater;               // unload the data updater, Wait 3 s, load it
        std::function<void()> openBackups;                 // the backup window
    };

    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kWidthTwips = 18345;
    static constexpr int kHeightTwips = 10035;

    FrmSetting(ProgramFolder folder, Clock& clock, Dialogs& dialogs, ClockLink link = {},
               QWidget* parent = nullptr);
    ~FrmSetting() override;

    ClockLink link;

    bool isLoaded() const { return m_loaded; }
    // The load steps, on a window as freshly designed. Also called by showModalFromTray() when needed.
    void Form_Load();
    // The clock's logo step hands over the path it resolved: loads the window first if needed.
    void takeLogoPath(const QString& path);
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
    QLabel* Label10;
    QLabel* Label9;
    QPushButton* cmdSave;
    QPushButton* BatalButton;
    QPushButton* cmdSandaran;
    QLabel* Label11;

    QPushButton* cmd_tmrScroll;
    QPushButton* cmd_updatedabase;
    QPushButton* cmdTukarDisplay;

    // Prayer-time zone for the built-in calculator ([LOKASI] ZON).
    ZoneChooser* zoneChooser;

public slots:
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
    bool m_scrollFallback = true; // strip state when no clock is linked
};

} // namespace tavrola
