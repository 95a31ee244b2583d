// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/ShutdownFrame.h"

#include "core/platform/Clock.h"
#include "core/settings/SettingsRules.h"
#include "gui/platform/LocalText.h"
#include "gui/widgets/ucTimePicker.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tavrola {

namespace sf = settingsform;

namespace {

template <typename W> W* named(W* w, const char* name, const char* tip = nullptr) {
    w->setObjectName(QString::fromLatin1(name));
    if (tip)
        w->setToolTip(QString::fromUtf8(tip));
    return w;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* tip = nullptr) {
    auto* b = named(new QPushButton(QString::fromUtf8(caption), parent), name, tip);
    b->setAutoDefault(false);
    b->setMinimumSize(120, 32);
    return b;
}

// Labels break lines with "\n"; the window's texts are written with CR LF.
QString labelText(const std::string& text) {
    QString s = toQt(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QTime timeOf(const DateTime& t) {
    return QTime(t.hour, t.minute, t.second);
}

} // namespace

ShutdownFrame::ShutdownFrame(Clock& clock, QWidget* parent)
    : QGroupBox(QStringLiteral("Jadual Shutdown"), parent), m_clock(clock),
      m_hijri(named(new QLineEdit(this), "Tarikh_Takwim2", "Taip -2, -1, -0 atau 0, 1, 2 dan Restart balik.. ")),
      m_enable(named(new QCheckBox(QStringLiteral("Aktifkan Jadual Shutdown (Setiap Hari)"), this),
                     "chkEnableShutdown", "Klik On/Off untuk mengaktibkan Shutdown PC ini...")),
      m_time(named(new ucTimePicker(this), "ucShutdownTime", "Set jam waktu setiap hari untuk Shutdown PC...")),
      m_nightOff(named(new QLineEdit(this), "txtPadam",
                       "Padam skrin: JJ:MM atau waktu solat, cth. ISYAK+60 (kosong: tiada)")),
      m_nightOn(named(new QLineEdit(this), "txtHidup",
                      "Hidup skrin: JJ:MM atau waktu solat, cth. SUBUH-30 (kosong: tiada)")),
      m_status(named(new QLabel(this), "Label9")) {
    setObjectName(QStringLiteral("fraShutdown"));
    auto* hijriCaption = named(new QLabel(QStringLiteral("Pembetulan Takwim Islam"), this), "Label8");
    auto* nightCaption = named(new QLabel(QStringLiteral("Skrin malam"), this), "lblMalam");
    auto* statusCaption = named(new QLabel(QStringLiteral("Status"), this), "Label10");
    auto* saveCaption = named(new QLabel(QStringLiteral("Simpan / Tutup Perubahan"), this), "Label11");
    QPushButton* save = button(this, "cmdSave", "Simpan", "Pastikan simpan / save semua perubahan...");
    QPushButton* close = button(this, "BatalButton", "Tutup");
    QPushButton* backups = button(this, "cmdSandaran", "Sandaran...");

    m_hijri->setFixedWidth(80);
    m_nightOff->setFixedWidth(80);
    m_nightOn->setFixedWidth(80);
    m_time->setFixedSize(m_time->sizeHint().width() * 3 / 2, 28);
    m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 4 + 8);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_status->setWordWrap(true);
    auto* saveRow = new QHBoxLayout;
    saveRow->setSpacing(10);
    for (QPushButton* b : {save, close, backups})
        saveRow->addWidget(b);
    saveRow->addStretch();
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(10);
    grid->setContentsMargins(12, 16, 12, 12);
    grid->setColumnStretch(1, 1);
    grid->addWidget(hijriCaption, 0, 0);
    grid->addWidget(m_hijri, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_enable, 1, 0, 1, 2);
    grid->addWidget(m_time, 2, 0, Qt::AlignLeft);
    // The night's screen times share the shutdown time's row: the window has no room for another.
    auto* night = new QHBoxLayout;
    night->addStretch();
    night->addWidget(nightCaption);
    night->addWidget(m_nightOff);
    night->addWidget(m_nightOn);
    grid->addLayout(night, 2, 1);
    grid->addWidget(statusCaption, 3, 0, Qt::AlignTop);
    grid->addWidget(m_status, 3, 1);
    grid->addWidget(saveCaption, 4, 0, 1, 2);
    grid->addLayout(saveRow, 5, 0, 1, 2);

    connect(m_enable, &QCheckBox::toggled, this, &ShutdownFrame::shutdownToggled);
    connect(save, &QPushButton::clicked, this, &ShutdownFrame::saveClicked);
    connect(close, &QPushButton::clicked, this, &ShutdownFrame::closeClicked);
    connect(backups, &QPushButton::clicked, this, &ShutdownFrame::backupsClicked);
}

void ShutdownFrame::reset() {
    const QSignalBlocker quiet(m_enable);
    for (QLineEdit* t : {m_hijri, m_nightOff, m_nightOn})
        t->clear();
    m_enable->setChecked(false);
    m_time->setValue(timeOf(m_clock.now()));
    m_time->setEnabled(true);
    m_status->clear();
}

void ShutdownFrame::load(const QString& hijri, const QString& nightOff, const QString& nightOn,
                         const std::string& shutdown) {
    m_hijri->setText(hijri);
    m_nightOff->setText(nightOff);
    m_nightOn->setText(nightOn);
    const QSignalBlocker quiet(m_enable);
    m_enable->setChecked(!shutdown.empty());
    m_time->setEnabled(!shutdown.empty());
    if (shutdown.empty()) {
        showStatus(std::string(sf::kShutdownOff));
        return;
    }
    // A value the scheduler can never match keeps the prompt to set a time and save.
    if (const auto hm = sf::storedShutdownTime(shutdown)) {
        m_time->setValue(QTime(hm->hour, hm->minute));
        showStatus(sf::shutdownStatusText(sf::kShutdownEnabled, *hm));
    } else {
        showStatus(std::string(sf::kShutdownPrompt));
    }
}

void ShutdownFrame::shutdownToggled() {
    if (m_enable->isChecked()) {
        m_time->setEnabled(true);
        showStatus(std::string(sf::kShutdownPrompt));
    } else {
        m_time->setEnabled(false);
        m_time->setValue(timeOf(m_clock.now()));
        showStatus(std::string(sf::kShutdownOff));
    }
}

QString ShutdownFrame::hijriText() const {
    return m_hijri->text();
}

QString ShutdownFrame::nightOffText() const {
    return m_nightOff->text().trimmed();
}

QString ShutdownFrame::nightOnText() const {
    return m_nightOn->text().trimmed();
}

bool ShutdownFrame::shutdownOn() const {
    return m_enable->isChecked();
}

HourMinute ShutdownFrame::shutdownTime() const {
    const QTime t = m_time->Value();
    return {t.hour(), t.minute()};
}

void ShutdownFrame::showStatus(const std::string& text) {
    m_status->setText(labelText(text));
}

} // namespace tavrola
