// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/FrmSetting.h"

#include "core/desktop/TwipScale.h"

#include "core/AppInfo.h"
#include "core/clock/NightRules.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "core/platform/Clock.h"
#include "core/platform/Dialogs.h"
#include "core/settings/SettingsRules.h"
#include "gui/platform/LocalText.h"
#include "gui/settings/AutostartBox.h"
#include "gui/settings/FrmJemaah.h"
#include "gui/settings/ZoneChooser.h"
#include "gui/widgets/ucTimePicker.h"

#include <QCheckBox>
#include <QDir>
#include <QMetaMethod>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace tavrola {

namespace sf = settingsform;

namespace {

constexpr int kPreviewWidth = 620;
constexpr int kPreviewHeight = 500;
constexpr int kBarThickness = 17;
constexpr int kPreviewLabelRow = 20;

template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* label(QWidget* parent, const char* name, const char* caption) {
    return named(new QLabel(QString::fromUtf8(caption), parent), name);
}

QLineEdit* textBox(QWidget* parent, const char* name, const char* tip, int maxLength = 0) {
    auto* t = named(new QLineEdit(parent), name);
    t->setToolTip(QString::fromUtf8(tip));
    if (maxLength > 0)
        t->setMaxLength(maxLength);
    return t;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* tip = nullptr) {
    auto* b = named(new QPushButton(QString::fromUtf8(caption), parent), name);
    if (tip)
        b->setToolTip(QString::fromUtf8(tip));
    b->setAutoDefault(false);
    return b;
}

QScrollBar* slider(QWidget* parent, const char* name, Qt::Orientation o, int min, int max) {
    auto* s = named(new QScrollBar(o, parent), name);
    s->setRange(min, max);
    s->setValue(min);
    return s;
}

// Labels break lines with "\n"; the window's texts are written with CR LF.
QString labelText(const std::string& text) {
    QString s = toQt(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

// The preview shows the designed window's twips at the usual 96 dots per inch.
constexpr TwipScale kPreviewScale{};

} // namespace

FrmSetting::FrmSetting(ProgramFolder folder, Clock& clock, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_clock(clock), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("FrmSetting"));
    setWindowTitle(QStringLiteral("SETTINGS"));
    setFixedSize(kPreviewScale.toPixelsX(kWidthTwips), kPreviewScale.toPixelsY(kHeightTwips));
    buildControls();
    layOutWindow();
    layOutPreview();
    resetToDesign();

    connect(Check1, &QCheckBox::toggled, this, &FrmSetting::Check1_Click);
    connect(chkEnableShutdown, &QCheckBox::toggled, this, &FrmSetting::chkEnableShutdown_Click);
    connect(VolScroll1, &QScrollBar::valueChanged, this, &FrmSetting::VolScroll1_Change);
    connect(VolScroll2, &QScrollBar::valueChanged, this, &FrmSetting::VolScroll2_Change);
    connect(VolScroll3, &QScrollBar::valueChanged, this, &FrmSetting::VolScroll3_Change);
    connect(HScroll1, &QScrollBar::valueChanged, this, &FrmSetting::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &FrmSetting::VScroll1_Change);
    connect(cmd_tmrScroll, &QPushButton::clicked, this, &FrmSetting::cmd_tmrScroll_Click);
    connect(cmdLOGO, &QPushButton::clicked, this, &FrmSetting::cmdLOGO_Click);
    connect(cmdSave, &QPushButton::clicked, this, &FrmSetting::cmdSave_Click);
    connect(cmdTukarDisplay, &QPushButton::clicked, this, &FrmSetting::cmdTukarDisplay_Click);
    connect(cmd_updatedabase, &QPushButton::clicked, this, &FrmSetting::cmd_updatedabase_Click);
    connect(BatalButton, &QPushButton::clicked, this, &FrmSetting::BatalButton_Click);
    connect(cmdSandaran, &QPushButton::clicked, this, &FrmSetting::cmdSandaran_Click);
    connect(cmdJemaah, &QPushButton::clicked, this, &FrmSetting::cmdJemaah_Click);
}

FrmSetting::~FrmSetting() = default;

void FrmSetting::buildControls() {
    const int title = sf::kTitleMaxLength;
    const int size = sf::kSizeMaxLength;
    Label1 = label(this, "Label1", "TAJUK 1");
    Text1 = textBox(this, "Text1", "Taipkan Tajuk (1)...", title);
    Label3 = label(this, "Label3", "Size font");
    Fontsais1 = textBox(this, "Fontsais1", "Numbor sahaja...", size);
    VolScroll1 = slider(this, "VolScroll1", Qt::Vertical, sf::kSizeMin, sf::kSizeMax);
    Label2 = label(this, "Label2", "TAJUK 2");
    Text2 = textBox(this, "Text2", "Taipkan Tajuk (2)...", title);
    Label4 = label(this, "Label4", "Size font");
    Fontsais2 = textBox(this, "Fontsais2", "Numbor sahaja...", size);
    VolScroll2 = slider(this, "VolScroll2", Qt::Vertical, sf::kSizeMin, sf::kSizeMax);
    Label5 = label(this, "Label5", "TEMPAT");
    Text3 = textBox(this, "Text3", "Taipkan Tempat acara...");
    Label6 = label(this, "Label6", "Size font");
    Fontsais3 = textBox(this, "Fontsais3", "Numbor sahaja...", size);
    VolScroll3 = slider(this, "VolScroll3", Qt::Vertical, sf::kSizeMin, sf::kSizeMax);

    Label7 = label(this, "Label7", "12 / 24 Hour");
    Check1 = named(new QCheckBox(this), "Check1");
    Check1->setToolTip(QStringLiteral("Klik dapatkan jam 12 / 24..."));
    CEKME = label(this, "CEKME", "");

    Picture1 = named(new QFrame(this), "Picture1");
    Picture1->setFrameStyle(QFrame::Box | QFrame::Plain);
    cmdLOGO = button(Picture1, "cmdLOGO", "LOGO", "Pilih Logo berformat GIF / GIF Animation sahaja...");
    HScroll1 = slider(Picture1, "HScroll1", Qt::Horizontal, sf::kPositionMin, sf::kPositionMax);
    VScroll1 = slider(Picture1, "VScroll1", Qt::Vertical, sf::kPositionMin, sf::kPositionMax);
    LblHScroll1 = label(Picture1, "LblHScroll1", "");
    LblVScroll1 = label(Picture1, "LblVScroll1", "");
    LlbTarget1 = label(Picture1, "LlbTarget1", "+");
    txtPath = textBox(this, "txtPath", "");

    fraShutdown = named(new QGroupBox(QStringLiteral("Jadual Shutdown"), this), "fraShutdown");
    Label8 = label(fraShutdown, "Label8", "Pembetulan Takwim Islam");
    Tarikh_Takwim2 = textBox(fraShutdown, "Tarikh_Takwim2", "Taip -2, -1, -0 atau 0, 1, 2 dan Restart balik.. ");
    chkEnableShutdown = named(new QCheckBox(QStringLiteral("Aktifkan Jadual Shutdown (Setiap Hari)"), fraShutdown),
                              "chkEnableShutdown");
    chkEnableShutdown->setToolTip(QStringLiteral("Klik On/Off untuk mengaktibkan Shutdown PC ini..."));
    ucShutdownTime = named(new ucTimePicker(fraShutdown), "ucShutdownTime");
    ucShutdownTime->setToolTip(QStringLiteral("Set jam waktu setiap hari untuk Shutdown PC..."));
    lblMalam = label(fraShutdown, "lblMalam", "Skrin malam");
    txtPadam =
        textBox(fraShutdown, "txtPadam", "Padam skrin: JJ:MM atau waktu solat, cth. ISYAK+60 (kosong: tiada)");
    txtHidup =
        textBox(fraShutdown, "txtHidup", "Hidup skrin: JJ:MM atau waktu solat, cth. SUBUH-30 (kosong: tiada)");
    Label10 = label(fraShutdown, "Label10", "Status");
    Label9 = label(fraShutdown, "Label9", "");
    cmdSave = button(fraShutdown, "cmdSave", "Simpan", "Pastikan simpan / save semua perubahan...");
    BatalButton = button(fraShutdown, "BatalButton", "Tutup");
    cmdSandaran = button(fraShutdown, "cmdSandaran", "Sandaran...");
    Label11 = label(fraShutdown, "Label11", "Simpan / Tutup Perubahan");

    cmd_tmrScroll = button(this, "cmd_tmrScroll", "Hentikan Skcrol", "Hentikan / jalankan skrol Waktu Solat...");
    cmd_updatedabase = button(this, "cmd_updatedabase", "Kemaskini database Waktu Solat",
                              "Klik untuk kemaskini Database di internet...");
    cmdTukarDisplay = button(this, "cmdTukarDisplay", "Tukar Display", "Tukar Multi-Display (Monitor)...");
    cmdTukarDisplay->setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));

    cmdJemaah = button(this, "cmdJemaah", "Jemaah...", "Iqamah, skrin solat dan azan...");
}

void FrmSetting::layOutWindow() {
    auto* titles = new QGridLayout;
    titles->setHorizontalSpacing(8);
    titles->setVerticalSpacing(4);
    titles->setColumnStretch(0, 1);
    int row = 0;
    const auto addTitle = [&](QLabel* name, QLineEdit* text, QLabel* sizeName, QLineEdit* sizeBox, QScrollBar* s) {
        sizeBox->setFixedWidth(44);
        s->setFixedSize(kBarThickness, 48);
        titles->addWidget(name, row, 0);
        titles->addWidget(sizeName, row, 1);
        titles->addWidget(text, row + 1, 0);
        titles->addWidget(sizeBox, row + 1, 1);
        titles->addWidget(s, row, 2, 2, 1, Qt::AlignBottom);
        titles->setRowMinimumHeight(row + 2, 14); // a gap before the next title
        row += 3;
    };
    addTitle(Label1, Text1, Label3, Fontsais1, VolScroll1);
    addTitle(Label2, Text2, Label4, Fontsais2, VolScroll2);
    addTitle(Label5, Text3, Label6, Fontsais3, VolScroll3);

    auto* clockMode = new QHBoxLayout;
    clockMode->addWidget(Label7);
    clockMode->addSpacing(12);
    clockMode->addWidget(Check1);
    clockMode->addSpacing(12);
    clockMode->addWidget(CEKME);
    clockMode->addStretch();
    clockMode->addWidget(cmdJemaah);
    CEKME->setMinimumWidth(40);
    CEKME->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    Tarikh_Takwim2->setFixedWidth(80);
    txtPadam->setFixedWidth(80);
    txtHidup->setFixedWidth(80);
    ucShutdownTime->setFixedSize(ucShutdownTime->sizeHint().width() * 3 / 2, 28);
    Label9->setMinimumHeight(Label9->fontMetrics().lineSpacing() * 4 + 8);
    Label9->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label9->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label9->setWordWrap(true);
    auto* saveRow = new QHBoxLayout;
    saveRow->setSpacing(10);
    for (QPushButton* b : {cmdSave, BatalButton, cmdSandaran}) {
        b->setMinimumSize(120, 32);
        saveRow->addWidget(b);
    }
    saveRow->addStretch();
    auto* shutdown = new QGridLayout(fraShutdown);
    shutdown->setVerticalSpacing(10);
    shutdown->setContentsMargins(12, 16, 12, 12);
    shutdown->setColumnStretch(1, 1);
    shutdown->addWidget(Label8, 0, 0);
    shutdown->addWidget(Tarikh_Takwim2, 0, 1, Qt::AlignLeft);
    shutdown->addWidget(chkEnableShutdown, 1, 0, 1, 2);
    shutdown->addWidget(ucShutdownTime, 2, 0, Qt::AlignLeft);
    // The night's screen times share the shutdown time's row: the window has no room for another.
    auto* night = new QHBoxLayout;
    night->addStretch();
    night->addWidget(lblMalam);
    night->addWidget(txtPadam);
    night->addWidget(txtHidup);
    shutdown->addLayout(night, 2, 1);
    shutdown->addWidget(Label10, 3, 0, Qt::AlignTop);
    shutdown->addWidget(Label9, 3, 1);
    shutdown->addWidget(Label11, 4, 0, 1, 2);
    shutdown->addLayout(saveRow, 5, 0, 1, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(titles);
    left->addSpacing(4);
    left->addLayout(clockMode);
    // Prayer-time zone
    zoneChooser = new ZoneChooser(this);
    left->addSpacing(8);
    left->addWidget(zoneChooser);
    // end of prayer-time zone
    left->addSpacing(16);
    left->addWidget(fraShutdown);
    left->addStretch();

    Picture1->setFixedSize(kPreviewWidth, kPreviewHeight);
    auto* actions = new QHBoxLayout;
    actions->setSpacing(10);
    for (QPushButton* b : {cmd_tmrScroll, cmd_updatedabase, cmdTukarDisplay}) {
        b->setMinimumHeight(36);
        actions->addWidget(b);
    }
    auto* right = new QVBoxLayout;
    right->setObjectName(QStringLiteral("rightColumn"));
    right->addWidget(Picture1);
    right->addWidget(txtPath);
    right->addSpacing(12);
    right->addLayout(actions);
    right->addStretch();

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(14, 14, 14, 14);
    root->setSpacing(18);
    root->addLayout(left, 1);
    root->addLayout(right);
}

void FrmSetting::layOutPreview() {
    // The preview keeps the clock's twips one to one (15 per pixel): the "+" marker sits where the
    // logo's corner is and leaves the preview for positions beyond it.
    const int w = kPreviewWidth;
    const int h = kPreviewHeight;
    const int barsTop = h - kPreviewLabelRow - kBarThickness;
    cmdLOGO->setGeometry(0, 0, w - kBarThickness, barsTop);
    VScroll1->setGeometry(w - kBarThickness, 0, kBarThickness, barsTop);
    HScroll1->setGeometry(0, barsTop, w - kBarThickness, kBarThickness);
    LblHScroll1->setGeometry(4, h - kPreviewLabelRow, 160, kPreviewLabelRow);
    LblVScroll1->setGeometry(w - 164, h - kPreviewLabelRow, 160, kPreviewLabelRow);
    LblVScroll1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LlbTarget1->setAlignment(Qt::AlignCenter);
    QFont f = LlbTarget1->font();
    f.setBold(true);
    LlbTarget1->setFont(f);
    LlbTarget1->resize(LlbTarget1->sizeHint());
    LlbTarget1->setAttribute(Qt::WA_TransparentForMouseEvents);
    LlbTarget1->raise();
}

// The window as designed, before any load step: what a freshly loaded window starts from.
void FrmSetting::resetToDesign() {
    const QList<QObject*> quiet{Check1, chkEnableShutdown, VolScroll1, VolScroll2, VolScroll3, HScroll1, VScroll1};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QObject* o : quiet)
        blockers.push_back(std::make_unique<QSignalBlocker>(o));
    for (QLineEdit* t :
         {Text1, Fontsais1, Text2, Fontsais2, Text3, Fontsais3, Tarikh_Takwim2, txtPath, txtPadam, txtHidup})
        t->clear();
    for (QScrollBar* s : {VolScroll1, VolScroll2, VolScroll3})
        s->setValue(sf::kSizeMin);
    HScroll1->setValue(sf::kPositionMin);
    VScroll1->setValue(sf::kPositionMin);
    LblHScroll1->clear();
    LblVScroll1->clear();
    LlbTarget1->move(0, 0);
    Check1->setChecked(false);
    Check1->setText(QStringLiteral("12 Hours"));
    CEKME->clear();
    m_logoPicture = QPixmap();
    cmdLOGO->setIcon(QIcon());
    chkEnableShutdown->setChecked(false);
    const DateTime now = m_clock.now();
    ucShutdownTime->setValue(QTime(now.hour, now.minute, now.second));
    ucShutdownTime->setEnabled(true);
    Label9->clear();
    cmd_tmrScroll->setText(QStringLiteral("Hentikan Skcrol"));
    cmd_updatedabase->setEnabled(true);
    m_fileDialog.reset();
}

void FrmSetting::Form_Load() {
    const auto ini = m_folder.settingsFile();
    resetToDesign();
    m_loading = true;
    zoneChooser->load(ini); // prayer-time zone

    // 1. Clock mode; checking the box runs its click rule, which stores "1" again.
    if (readSetting(settings::kClockMode, ini) == "1") {
        Check1->setChecked(true);
        Check1->setText(QStringLiteral("24 Hours"));
    } else {
        Check1->setChecked(false);
        Check1->setText(QStringLiteral("12 Hours"));
    }
    // 2-8. Hijri correction, titles and sizes; the boxes cut over-long text to their limits.
    Tarikh_Takwim2->setText(toQt(readSetting(settings::kHijriCorrection, ini)));
    txtPadam->setText(toQt(readSetting(settings::kNightOff, ini)));
    txtHidup->setText(toQt(readSetting(settings::kNightOn, ini)));
    Text1->setText(toQt(readSetting(settings::kTitle01, ini)));
    loadSize(settings::kTitleSize, Fontsais1, VolScroll1);
    Text2->setText(toQt(readSetting(settings::kTitle02, ini)));
    loadSize(settings::kTitle02Size, Fontsais2, VolScroll2);
    Text3->setText(toQt(readSetting(settings::kPlace, ini)));
    loadSize(settings::kPlaceSize, Fontsais3, VolScroll3);
    // 9-10. Logo position: moves the clock's logo when within the sliders' range.
    loadPosition(settings::kLogoTop, LblVScroll1, VScroll1, &FrmSetting::VScroll1_Change);
    loadPosition(settings::kLogoLeft, LblHScroll1, HScroll1, &FrmSetting::HScroll1_Change);
    // 11. Logo picture.
    const std::string logo = readSetting(settings::kLogo, ini);
    const bool relative = logo.size() >= 2 && logo[0] == '.' && (logo[1] == '\\' || logo[1] == '/');
    txtPath->setText(relative ? QDir::toNativeSeparators(pathToQt(resolveLogoPath(logo, m_folder.root())))
                              : toQt(logo));
    emit logoFileChosen(txtPath->text());
    // 12. The raw clock mode.
    CEKME->setText(toQt(GetFromINI(settings::kClockMode.section, settings::kClockMode.key, "", ini)));
    // 13. Preview.
    showLogoPicture(txtPath->text());
    // 14. Daily shutdown.
    const std::string t = shutdownTimeValue(readSetting(settings::kShutdownTime, ini));
    if (!t.empty()) {
        chkEnableShutdown->setChecked(true);
        // A value the scheduler can never match keeps the prompt to set a time and save.
        if (const auto hm = sf::storedShutdownTime(t)) {
            ucShutdownTime->setValue(QTime(hm->hour, hm->minute));
            setShutdownStatus(sf::shutdownStatusText(sf::kShutdownEnabled, *hm));
        }
        ucShutdownTime->setEnabled(true);
    } else {
        chkEnableShutdown->setChecked(false);
        ucShutdownTime->setEnabled(false);
        setShutdownStatus(std::string(sf::kShutdownOff));
    }

    m_loading = false;
    m_loaded = true;
}

void FrmSetting::loadSize(const SettingKey& key, QLineEdit* box, QScrollBar* s) {
    box->setText(toQt(readSetting(key, m_folder.settingsFile())));
    // The number is read from the box, after its limit cut the text ("100" is "10" by now).
    if (const auto v = sf::sliderPositionFor(fromQt(box->text()), s->minimum(), s->maximum()))
        s->setValue(*v);
}

void FrmSetting::loadPosition(const SettingKey& key, QLabel* caption, QScrollBar* s,
                              void (FrmSetting::*rule)(int)) {
    caption->setText(toQt(readSetting(key, m_folder.settingsFile())));
    const auto v = sf::sliderPositionFor(fromQt(caption->text()), s->minimum(), s->maximum());
    if (!v)
        return;
    // A stored 0 equals the slider's start and raises no change, yet the logo must still go there.
    if (s->value() == *v)
        (this->*rule)(*v);
    else
        s->setValue(*v);
}

void FrmSetting::takeLogoPath(const QString& path, const QPixmap& picture) {
    if (!picture.isNull()) {
        m_decodedPath = QDir::fromNativeSeparators(path);
        m_decodedPicture = picture;
    }
    if (!m_loaded)
        Form_Load();
    txtPath->setText(path);
}

void FrmSetting::showScrollRunning(bool running) {
    m_scrollRunning = running;
    cmd_tmrScroll->setText(toQt(sf::scrollButtonCaption(running)));
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

void FrmSetting::showLogoPicture(const QString& path) {
    // Whatever the button cannot show (missing file, not a picture) leaves its picture as it was.
    // The clock's own logo is not decoded a second time.
    QPixmap picture;
    if (!m_decodedPath.isEmpty() && QDir::fromNativeSeparators(path) == m_decodedPath)
        picture = m_decodedPicture;
    else if (path.isEmpty() || !picture.load(path) || picture.isNull())
        return;
    m_logoPicture = picture;
    cmdLOGO->setIcon(QIcon(picture));
    // Shown at its own size, or shrunk to fit the button.
    const QSize room = (cmdLOGO->size() - QSize(16, 16)).expandedTo(QSize(1, 1));
    QSize shown = picture.size();
    if (shown.width() > room.width() || shown.height() > room.height())
        shown.scale(room, Qt::KeepAspectRatio);
    cmdLOGO->setIconSize(shown);
}

void FrmSetting::setShutdownStatus(const std::string& text) {
    Label9->setText(labelText(text));
}

void FrmSetting::failed(std::string_view text) {
    m_dialogs.message(MessageIcon::Exclamation, std::string(app::kTitle), std::string(text), MessageButtons::Ok);
}

bool FrmSetting::save(const SettingKey& key, const QString& value) {
    const bool ok = writeSetting(key, fromQt(value), m_folder.settingsFile());
    if (!ok)
        failed(sf::kFailedToSave);
    return ok;
}

void FrmSetting::Check1_Click() {
    const bool h24 = Check1->isChecked();
    Check1->setText(h24 ? QStringLiteral("24 Hours") : QStringLiteral("12 Hours"));
    const bool ok = writeSetting(settings::kClockMode, h24 ? "1" : "0", m_folder.settingsFile());
    // Loading only stores the value it just read; a failure there is no news to the user.
    if (!ok && !m_loading)
        failed(sf::kFailedToSave);
}

void FrmSetting::chkEnableShutdown_Click() {
    if (chkEnableShutdown->isChecked()) {
        ucShutdownTime->setEnabled(true);
        setShutdownStatus(std::string(sf::kShutdownPrompt));
    } else {
        ucShutdownTime->setEnabled(false);
        const DateTime now = m_clock.now();
        ucShutdownTime->setValue(QTime(now.hour, now.minute, now.second));
        setShutdownStatus(std::string(sf::kShutdownOff));
    }
}

void FrmSetting::VolScroll1_Change(int value) {
    Fontsais1->setText(QString::number(value));
}
void FrmSetting::VolScroll2_Change(int value) {
    Fontsais2->setText(QString::number(value));
}
void FrmSetting::VolScroll3_Change(int value) {
    Fontsais3->setText(QString::number(value));
}

void FrmSetting::HScroll1_Change(int value) {
    emit logoLeftChanged(value);
    LlbTarget1->move(kPreviewScale.toPixelsX(value), LlbTarget1->y());
    LblHScroll1->setText(QString::number(value));
}

void FrmSetting::VScroll1_Change(int value) {
    emit logoTopChanged(value);
    LlbTarget1->move(LlbTarget1->x(), kPreviewScale.toPixelsY(value));
    LblVScroll1->setText(QString::number(value));
}

void FrmSetting::cmd_tmrScroll_Click() {
    m_scrollRunning = !m_scrollRunning;
    // The clock answers through showScrollRunning() before this returns.
    emit scrollRunningRequested(m_scrollRunning);
    cmd_tmrScroll->setText(toQt(sf::scrollButtonCaption(m_scrollRunning)));
    save(settings::kScroll, m_scrollRunning ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void FrmSetting::cmdLOGO_Click() {
    if (!m_fileDialog)
        m_fileDialog.emplace(m_dialogs);
    const QString chosen = m_fileDialog->ShowOpen(
        this, QStringLiteral("Select Logo Image"), pathToQt(m_folder.root()),
        QStringLiteral("Images Files(*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif|All Files (*.*)|*.*|"),
        clsDialog::OFN_FILEMUSTEXIST);
    if (chosen.isEmpty())
        return;
    txtPath->setText(chosen);
    emit logoFileChosen(chosen);
    showLogoPicture(chosen);
}

void FrmSetting::cmdSave_Click() {
    // A place the calculator cannot use is refused as a whole, with its reason, before anything is written.
    if (const QString why = zoneChooser->problem(); !why.isEmpty()) {
        failed(fromQt(why));
        return;
    }
    // So is a night time the clock could not read; both empty is "off".
    for (const auto& [key, box] :
         {std::pair{settings::kNightOff, txtPadam}, std::pair{settings::kNightOn, txtHidup}}) {
        std::string reason;
        const std::string value = fromQt(box->text().trimmed());
        if (!value.empty() && !parseNightTime(value, reason)) {
            failed(std::string(key.key) + "=" + value + " tidak sah (" + reason + ")");
            return;
        }
    }
    std::vector<IniChange> changes;
    const auto add = [&](const SettingKey& key, const QString& value) {
        changes.push_back({std::string(key.section), std::string(key.key), fromQt(value)});
    };
    add(settings::kTitle01, Text1->text());
    add(settings::kTitleSize, Fontsais1->text());
    add(settings::kTitle02, Text2->text());
    add(settings::kTitle02Size, Fontsais2->text());
    add(settings::kPlace, Text3->text());
    add(settings::kPlaceSize, Fontsais3->text());
    add(settings::kLogoLeft, LblHScroll1->text());
    add(settings::kLogoTop, LblVScroll1->text());
    add(settings::kHijriCorrection, Tarikh_Takwim2->text());
    // The night keys are written only when set, or to clear them: a file without them stays so.
    for (const auto& [key, box] :
         {std::pair{settings::kNightOff, txtPadam}, std::pair{settings::kNightOn, txtHidup}})
        if (!box->text().trimmed().isEmpty() || !readSetting(key, m_folder.settingsFile()).empty())
            add(key, box->text().trimmed());
    add(settings::kLogo, toQt(storedLogoPath(fromQt(txtPath->text()), m_folder.root())));
    zoneChooser->addChanges(changes); // the place: only what the user changed
    const bool shutdownOn = chkEnableShutdown->isChecked();
    const QTime t = ucShutdownTime->Value();
    const HourMinute hm{t.hour(), t.minute()};
    add(settings::kShutdownTime, shutdownOn ? toQt(sf::shutdownTimeText(hm)) : QString());

    // One write: everything saved, or nothing and one message.
    const bool ok = AddToINI(changes, m_folder.settingsFile());
    if (ok) {
        zoneChooser->markSaved();
        // Only a cleared time is "off": after a failed write the scheduler still holds the old one.
        setShutdownStatus(shutdownOn ? sf::shutdownStatusText(sf::kShutdownSaved, hm)
                                     : std::string(sf::kShutdownOff));
    } else {
        failed(shutdownOn ? sf::kFailedToSaveShutdown : sf::kFailedToSave);
    }
    if (shutdownOn)
        emit shutdownChecksRequested(true);
}

void FrmSetting::cmdTukarDisplay_Click() {
    emit nextDisplayRequested();
}

void FrmSetting::cmd_updatedabase_Click() {
    if (!isSignalConnected(QMetaMethod::fromSignal(&FrmSetting::updaterReloadRequested)))
        return;
    // The reload waits with the event loop running: a second click meanwhile would nest another.
    QPointer<QPushButton> b = cmd_updatedabase;
    b->setEnabled(false);
    emit updaterReloadRequested(3.0);
    if (b)
        b->setEnabled(true);
}

void FrmSetting::BatalButton_Click() {
    reject();
}

void FrmSetting::cmdSandaran_Click() {
    emit backupsRequested();
}

// --- Start at login ----------------------------------------------------------------------------
void FrmSetting::attachAutostart(Autostart& autostart) {
    if (chkAutostart)
        return;
    chkAutostart = new AutostartBox(autostart, m_dialogs, this);
    if (auto* right = findChild<QVBoxLayout*>(QStringLiteral("rightColumn")))
        right->insertWidget(right->count() - 1, chkAutostart); // above the closing stretch
}
// --- end of start at login -----------------------------------------------------------------------

void FrmSetting::cmdJemaah_Click() {
    FrmJemaah jemaah(m_folder, m_dialogs, this);
    jemaah.exec();
}

} // namespace tavrola
