// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/FrmSetting.h"

#include "core/AppInfo.h"
#include "core/desktop/TwipScale.h"
#include "core/files/IniFile.h"
#include "core/platform/Clock.h"
#include "core/platform/Dialogs.h"
#include "core/settings/SettingsRules.h"
#include "core/settings/SettingsSchema.h"
#include "core/settingsmodel/SettingsModel.h"
#include "gui/platform/LocalText.h"
#include "gui/settings/AutostartBox.h"
#include "gui/settings/FrmJemaah.h"
#include "gui/settings/LogoPlacement.h"
#include "gui/settings/ShutdownFrame.h"
#include "gui/settings/TitleRow.h"
#include "gui/settings/ZoneChooser.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaMethod>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace tavrola {

namespace sf = settingsform;

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* tip = nullptr) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    if (tip)
        b->setToolTip(QString::fromUtf8(tip));
    b->setAutoDefault(false);
    return b;
}

// The preview shows the designed window's twips at the usual 96 dots per inch.
constexpr TwipScale kWindowScale{};

} // namespace

FrmSetting::FrmSetting(ProgramFolder folder, Clock& clock, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_clock(clock), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("FrmSetting"));
    setWindowTitle(QStringLiteral("SETTINGS"));
    setFixedSize(kWindowScale.toPixelsX(kWidthTwips), kWindowScale.toPixelsY(kHeightTwips));
    buildControls();
    layOutWindow();
    resetToDesign();

    connect(m_clockMode, &QCheckBox::toggled, this, &FrmSetting::clockModeClicked);
    connect(m_logo, &LogoPlacement::leftChanged, this, &FrmSetting::logoLeftChanged);
    connect(m_logo, &LogoPlacement::topChanged, this, &FrmSetting::logoTopChanged);
    connect(m_logo, &LogoPlacement::chooseRequested, this, &FrmSetting::chooseLogo);
    connect(m_scroll, &QPushButton::clicked, this, &FrmSetting::scrollClicked);
    connect(m_lower, &ShutdownFrame::saveClicked, this, &FrmSetting::save);
    connect(m_lower, &ShutdownFrame::closeClicked, this, &QDialog::reject);
    connect(m_lower, &ShutdownFrame::backupsClicked, this, &FrmSetting::backupsRequested);
    connect(m_nextDisplay, &QPushButton::clicked, this, &FrmSetting::nextDisplayRequested);
    connect(m_updateDatabase, &QPushButton::clicked, this, &FrmSetting::reloadUpdater);
    connect(m_jemaah, &QPushButton::clicked, this, &FrmSetting::openJemaah);
    connect(m_phone, &QPushButton::clicked, this, &FrmSetting::phonePanelRequested);
    connect(m_announcements, &QPushButton::clicked, this, &FrmSetting::announcementsRequested);
}

FrmSetting::~FrmSetting() = default;

void FrmSetting::buildControls() {
    const int title = sf::kTitleMaxLength;
    m_title1 = new TitleRow(this, {"TAJUK 1", "Label1", "Text1", "Taipkan Tajuk (1)...", "Size font", "Label3",
                                   "Fontsais1", "VolScroll1", title});
    m_title2 = new TitleRow(this, {"TAJUK 2", "Label2", "Text2", "Taipkan Tajuk (2)...", "Size font", "Label4",
                                   "Fontsais2", "VolScroll2", title});
    m_place = new TitleRow(this, {"TEMPAT", "Label5", "Text3", "Taipkan Tempat acara...", "Size font", "Label6",
                                  "Fontsais3", "VolScroll3", 0});

    m_clockModeCaption = new QLabel(QStringLiteral("12 / 24 Hour"), this);
    m_clockModeCaption->setObjectName(QStringLiteral("Label7"));
    m_clockMode = new QCheckBox(this);
    m_clockMode->setObjectName(QStringLiteral("Check1"));
    m_clockMode->setToolTip(QStringLiteral("Klik dapatkan jam 12 / 24..."));
    m_storedClockMode = new QLabel(this);
    m_storedClockMode->setObjectName(QStringLiteral("CEKME"));
    m_jemaah = button(this, "cmdJemaah", "Jemaah...", "Iqamah, skrin solat dan azan...");
    m_phone = button(this, "cmdTelefon", "Urus dari telefon...", "Urus jam ini dari telefon di rangkaian masjid...");
    m_phone->hide();
    m_announcements = button(this, "cmdPengumuman", "Pengumuman...", "Pengumuman dan gambar di skrin jam...");

    m_zone = new ZoneChooser(this);
    m_lower = new ShutdownFrame(m_clock, this);
    m_logo = new LogoPlacement(this);

    m_scroll = button(this, "cmd_tmrScroll", "Hentikan Skcrol", "Hentikan / jalankan skrol Waktu Solat...");
    m_updateDatabase = button(this, "cmd_updatedabase", "Kemaskini database Waktu Solat",
                              "Klik untuk kemaskini Database di internet...");
    m_nextDisplay = button(this, "cmdTukarDisplay", "Tukar Display", "Tukar Multi-Display (Monitor)...");
    m_nextDisplay->setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
}

void FrmSetting::layOutWindow() {
    auto* titles = new QGridLayout;
    titles->setHorizontalSpacing(8);
    titles->setVerticalSpacing(4);
    titles->setColumnStretch(0, 1);
    m_title1->addTo(titles, 0);
    m_title2->addTo(titles, 3);
    m_place->addTo(titles, 6);

    auto* clockMode = new QHBoxLayout;
    clockMode->addWidget(m_clockModeCaption);
    clockMode->addSpacing(12);
    clockMode->addWidget(m_clockMode);
    clockMode->addSpacing(12);
    clockMode->addWidget(m_storedClockMode);
    clockMode->addStretch();
    clockMode->addWidget(m_phone);
    clockMode->addWidget(m_announcements);
    clockMode->addWidget(m_jemaah);
    m_storedClockMode->setMinimumWidth(40);
    m_storedClockMode->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* left = new QVBoxLayout;
    left->addLayout(titles);
    left->addSpacing(4);
    left->addLayout(clockMode);
    left->addSpacing(8);
    left->addWidget(m_zone);
    left->addSpacing(16);
    left->addWidget(m_lower);
    left->addStretch();

    auto* actions = new QHBoxLayout;
    actions->setSpacing(10);
    for (QPushButton* b : {m_scroll, m_updateDatabase, m_nextDisplay}) {
        b->setMinimumHeight(36);
        actions->addWidget(b);
    }
    auto* right = new QVBoxLayout;
    right->setObjectName(QStringLiteral("rightColumn"));
    right->addWidget(m_logo);
    right->addSpacing(12);
    right->addLayout(actions);
    right->addStretch();

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(14, 14, 14, 14);
    root->setSpacing(18);
    root->addLayout(left, 1);
    root->addLayout(right);
}

// The window as designed, before any load step: what a freshly loaded window starts from.
void FrmSetting::resetToDesign() {
    for (TitleRow* row : {m_title1, m_title2, m_place})
        row->reset();
    m_logo->reset();
    {
        const QSignalBlocker quiet(m_clockMode);
        m_clockMode->setChecked(false);
    }
    m_clockMode->setText(QStringLiteral("12 Hours"));
    m_storedClockMode->clear();
    m_lower->reset();
    m_scroll->setText(QStringLiteral("Hentikan Skcrol"));
    m_updateDatabase->setEnabled(true);
    m_fileDialog.reset();
}

void FrmSetting::Form_Load() {
    const auto ini = m_folder.settingsFile();
    const auto read = [&](const SettingKey& key) { return toQt(readSetting(key, ini)); };
    resetToDesign();
    m_loading = true;
    m_zone->load(ini);

    // 1. Clock mode; checking the box runs its click rule, which stores "1" again.
    const bool h24 = readSetting(settings::kClockMode, ini) == "1";
    m_clockMode->setChecked(h24);
    m_clockMode->setText(h24 ? QStringLiteral("24 Hours") : QStringLiteral("12 Hours"));
    // 2-8. Hijri correction, night screen, titles and sizes; the boxes cut over-long text to their limits.
    const QString hijri = read(settings::kHijriCorrection);
    const QString nightOff = read(settings::kNightOff);
    const QString nightOn = read(settings::kNightOn);
    m_title1->load(read(settings::kTitle01), read(settings::kTitleSize));
    m_title2->load(read(settings::kTitle02), read(settings::kTitle02Size));
    m_place->load(read(settings::kPlace), read(settings::kPlaceSize));
    // 9-10. Logo position: moves the clock's logo when within the sliders' range.
    m_logo->loadTop(read(settings::kLogoTop));
    m_logo->loadLeft(read(settings::kLogoLeft));
    // 11. Logo picture.
    const std::string logo = readSetting(settings::kLogo, ini);
    const bool relative = logo.size() >= 2 && logo[0] == '.' && (logo[1] == '\\' || logo[1] == '/');
    m_logo->setPath(relative ? QDir::toNativeSeparators(pathToQt(resolveLogoPath(logo, m_folder.root())))
                             : toQt(logo));
    emit logoFileChosen(m_logo->path());
    // 12. The raw clock mode.
    m_storedClockMode->setText(toQt(GetFromINI(settings::kClockMode.section, settings::kClockMode.key, "", ini)));
    // 13. Preview.
    m_logo->showPicture(m_logo->path());
    // 14. Daily shutdown.
    m_lower->load(hijri, nightOff, nightOn, shutdownTimeValue(readSetting(settings::kShutdownTime, ini)));

    m_loading = false;
    m_loaded = true;
}

void FrmSetting::takeLogoPath(const QString& path, const QPixmap& picture) {
    m_logo->takeDecoded(path, picture);
    if (!m_loaded)
        Form_Load();
    m_logo->setPath(path);
}

const QPixmap& FrmSetting::logoPreview() const {
    return m_logo->picture();
}

void FrmSetting::showScrollRunning(bool running) {
    m_scrollRunning = running;
    m_scroll->setText(toQt(sf::scrollButtonCaption(running)));
}

int FrmSetting::showModalFromTray() {
    if (isVisible()) {
        raise();
        activateWindow();
        return -1;
    }
    if (!m_loaded)
        Form_Load();
    return exec();
}

void FrmSetting::done(int result) {
    m_loaded = false;
    QDialog::done(result);
}

void FrmSetting::failed(std::string_view text) {
    m_dialogs.message(MessageIcon::Exclamation, std::string(app::kTitle), std::string(text), MessageButtons::Ok);
}

void FrmSetting::clockModeClicked() {
    const bool h24 = m_clockMode->isChecked();
    m_clockMode->setText(h24 ? QStringLiteral("24 Hours") : QStringLiteral("12 Hours"));
    const bool ok = writeSetting(settings::kClockMode, h24 ? "1" : "0", m_folder.settingsFile());
    // Loading only stores the value it just read; a failure there is no news to the user.
    if (!ok && !m_loading)
        failed(sf::kFailedToSave);
}

void FrmSetting::scrollClicked() {
    m_scrollRunning = !m_scrollRunning;
    // The clock answers through showScrollRunning() before this returns.
    emit scrollRunningRequested(m_scrollRunning);
    m_scroll->setText(toQt(sf::scrollButtonCaption(m_scrollRunning)));
    if (!writeSetting(settings::kScroll, m_scrollRunning ? "ON" : "OFF", m_folder.settingsFile()))
        failed(sf::kFailedToSave);
}

void FrmSetting::chooseLogo() {
    if (!m_fileDialog)
        m_fileDialog.emplace(m_dialogs);
    const QString chosen = m_fileDialog->ShowOpen(
        this, QStringLiteral("Select Logo Image"), pathToQt(m_folder.root()),
        QStringLiteral("Images Files(*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif|All Files (*.*)|*.*|"),
        clsDialog::OFN_FILEMUSTEXIST);
    if (chosen.isEmpty())
        return;
    m_logo->setPath(chosen);
    emit logoFileChosen(chosen);
    m_logo->showPicture(chosen);
}

std::vector<SettingEdit> FrmSetting::edits() const {
    std::vector<SettingEdit> out;
    const auto add = [&](const SettingKey& key, const QString& value) {
        out.push_back({std::string(key.section), std::string(key.key), fromQt(value)});
    };
    add(settings::kTitle01, m_title1->text());
    add(settings::kTitleSize, m_title1->sizeText());
    add(settings::kTitle02, m_title2->text());
    add(settings::kTitle02Size, m_title2->sizeText());
    add(settings::kPlace, m_place->text());
    add(settings::kPlaceSize, m_place->sizeText());
    add(settings::kLogoLeft, m_logo->leftText());
    add(settings::kLogoTop, m_logo->topText());
    add(settings::kHijriCorrection, m_lower->hijriText());
    // The night keys are written only when set, or to clear them: a file without them stays so.
    for (const auto& [key, value] : {std::pair{settings::kNightOff, m_lower->nightOffText()},
                                     std::pair{settings::kNightOn, m_lower->nightOnText()}})
        if (!value.isEmpty() || !readSetting(key, m_folder.settingsFile()).empty())
            add(key, value);
    add(settings::kLogo, toQt(storedLogoPath(fromQt(m_logo->path()), m_folder.root())));
    std::vector<IniChange> place;
    m_zone->addChanges(place); // the place: only what the user changed
    for (IniChange& c : place)
        out.push_back({std::move(c.section), std::move(c.key), std::move(c.value)});
    add(settings::kShutdownTime,
        m_lower->shutdownOn() ? toQt(sf::shutdownTimeText(m_lower->shutdownTime())) : QString());
    return out;
}

void FrmSetting::save() {
    // A place the calculator cannot use is refused as a whole, with its reason, before anything is written.
    if (const QString why = m_zone->problem(); !why.isEmpty()) {
        failed(fromQt(why));
        return;
    }
    const std::vector<SettingEdit> wanted = edits();
    const CheckedEdits checked = checkEdits(wanted, Editor::Window, m_folder.settingsFile());
    if (!checked.ok()) {
        std::string text;
        for (const RefusedEdit& r : checked.refused) {
            const auto it = std::find_if(wanted.begin(), wanted.end(),
                                         [&](const SettingEdit& e) { return e.key == r.key && e.section == r.section; });
            text += (text.empty() ? "" : "\r\n") + r.key + "=" + (it != wanted.end() ? it->value : "") +
                    " tidak sah (" + r.reason + ")";
        }
        failed(text);
        return;
    }
    // One write: everything saved, or nothing and one message.
    const bool shutdownOn = m_lower->shutdownOn();
    const HourMinute hm = m_lower->shutdownTime();
    if (AddToINI(checked.changes, m_folder.settingsFile())) {
        m_zone->markSaved();
        // Only a cleared time is "off": after a failed write the scheduler still holds the old one.
        m_lower->showStatus(shutdownOn ? sf::shutdownStatusText(sf::kShutdownSaved, hm)
                                       : std::string(sf::kShutdownOff));
    } else {
        failed(shutdownOn ? sf::kFailedToSaveShutdown : sf::kFailedToSave);
    }
    if (shutdownOn)
        emit shutdownChecksRequested(true);
}

void FrmSetting::reloadUpdater() {
    if (!isSignalConnected(QMetaMethod::fromSignal(&FrmSetting::updaterReloadRequested)))
        return;
    // The reload waits with the event loop running: a second click meanwhile would nest another.
    QPointer<QPushButton> b = m_updateDatabase;
    b->setEnabled(false);
    emit updaterReloadRequested(3.0);
    if (b)
        b->setEnabled(true);
}

void FrmSetting::attachAutostart(Autostart& autostart) {
    if (m_autostart)
        return;
    m_autostart = new AutostartBox(autostart, m_dialogs, this);
    if (auto* right = findChild<QVBoxLayout*>(QStringLiteral("rightColumn")))
        right->insertWidget(right->count() - 1, m_autostart); // above the closing stretch
}

void FrmSetting::offerPhonePanel() {
    m_phone->show();
}

void FrmSetting::openJemaah() {
    FrmJemaah jemaah(m_folder, m_dialogs, this);
    jemaah.exec();
}

} // namespace tavrola
