// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/FrmJemaah.h"

#include "core/AppInfo.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "core/platform/Dialogs.h"
#include "core/settings/SettingsRules.h"
#include "core/settingsmodel/SettingsModel.h"
#include "gui/platform/LocalText.h"
#include "gui/widgets/clsDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavrola {

namespace c = congregation;

namespace {

// A row's caption: the mixed-case spelling the month document uses.
QString rowName(Jemaah j) {
    return j == Jemaah::Jumaat ? QStringLiteral("Jumaat")
                               : toQt(std::string(prayerNames(jemaahPrayer(j)).document));
}

QSpinBox* minutesBox(QWidget* parent, const QString& name) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(0, c::kMaxMinutes);
    s->setSpecialValueText(QStringLiteral("Tiada"));
    s->setSuffix(QStringLiteral(" minit"));
    return s;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

FrmJemaah::FrmJemaah(ProgramFolder folder, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("FrmJemaah"));
    setWindowTitle(QStringLiteral("Jemaah"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Minit hingga iqamah"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Minit skrin solat"), this), 0, 2);
    for (std::size_t i = 0; i < kJemaahCount; ++i) {
        const int row = static_cast<int>(i) + 1;
        grid->addWidget(new QLabel(rowName(static_cast<Jemaah>(i)), this), row, 0);
        const QString key = toQt(std::string(jemaahKey(static_cast<Jemaah>(i))));
        m_iqamah[i] = minutesBox(this, QStringLiteral("txtIqamah_") + key);
        m_prayer[i] = minutesBox(this, QStringLiteral("txtSolat_") + key);
        grid->addWidget(m_iqamah[i], row, 1);
        grid->addWidget(m_prayer[i], row, 2);
    }

    m_message = new QLineEdit(this);
    m_message->setObjectName(QStringLiteral("txtPesan"));
    m_message->setToolTip(QStringLiteral("Pesanan di bawah kiraan detik iqamah..."));
    m_tone = new QCheckBox(QStringLiteral("Bunyi pendek semasa iqamah"), this);
    m_tone->setObjectName(QStringLiteral("chkBunyi"));

    const auto fileRow = [this](const char* caption, QLineEdit*& box, const char* boxName,
                                const char* buttonName) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QString::fromUtf8(caption), this));
        box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(boxName));
        box->setMinimumWidth(320);
        row->addWidget(box, 1);
        QPushButton* choose = button(this, buttonName, "...");
        row->addWidget(choose);
        return std::pair{row, choose};
    };
    const auto [azanRow, cmdAzan] = fileRow("Fail azan", m_azan, "txtAzan", "cmdAzan");
    const auto [subuhRow, cmdAzanSubuh] = fileRow("Fail azan Subuh", m_azanSubuh, "txtAzanSubuh", "cmdAzanSubuh");
    connect(cmdAzan, &QPushButton::clicked, this, &FrmJemaah::cmdAzan_Click);
    connect(cmdAzanSubuh, &QPushButton::clicked, this, &FrmJemaah::cmdAzanSubuh_Click);

    QPushButton* cmdSave = button(this, "cmdSave", "Simpan");
    QPushButton* close = button(this, "BatalButton", "Tutup");
    connect(cmdSave, &QPushButton::clicked, this, &FrmJemaah::cmdSave_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(close);

    auto* root = new QVBoxLayout(this);
    root->addLayout(grid);
    root->addSpacing(8);
    root->addWidget(new QLabel(QStringLiteral("Pesanan semasa kiraan iqamah"), this));
    root->addWidget(m_message);
    root->addWidget(m_tone);
    root->addSpacing(8);
    root->addLayout(azanRow);
    root->addLayout(subuhRow);
    root->addSpacing(8);
    root->addLayout(buttons);

    load();
}

void FrmJemaah::load() {
    const CongregationSettings s = readCongregationSettings(m_folder.settingsFile());
    for (std::size_t i = 0; i < kJemaahCount; ++i) {
        m_iqamah[i]->setValue(s.iqamahMinutes[i]);
        m_prayer[i]->setValue(s.prayerMinutes[i]);
    }
    m_message->setText(toQt(s.message));
    m_tone->setChecked(s.tone);
    const auto shown = [this](const std::string& stored) {
        return stored.empty() ? QString() : pathToQt(resolveLogoPath(stored, m_folder.root()));
    };
    m_azan->setText(shown(s.azanFile));
    m_azanSubuh->setText(shown(s.azanSubuhFile));
}

bool FrmJemaah::saveAll() {
    std::vector<SettingEdit> edits;
    const auto add = [&](std::string_view section, std::string_view key, const QString& value) {
        edits.push_back({std::string(section), std::string(key), fromQt(value)});
    };
    const auto minutes = [](const QSpinBox* box) {
        return box->value() > 0 ? QString::number(box->value()) : QString();
    };
    for (std::size_t i = 0; i < kJemaahCount; ++i)
        add(c::kIqamahSection, jemaahKey(static_cast<Jemaah>(i)), minutes(m_iqamah[i]));
    for (std::size_t i = 0; i < kJemaahCount; ++i)
        add(c::kPrayerSection, jemaahKey(static_cast<Jemaah>(i)), minutes(m_prayer[i]));
    add(c::kIqamahSection, c::kMessageKey, m_message->text());
    add(c::kIqamahSection, c::kToneKey, m_tone->isChecked() ? QStringLiteral("ON") : QStringLiteral("OFF"));
    // Files inside the program folder are kept relative to it, as the logo is.
    const auto stored = [this](const QLineEdit* box) {
        const QString path = box->text().trimmed();
        return path.isEmpty() ? QString() : toQt(storedLogoPath(fromQt(path), m_folder.root()));
    };
    add(c::kAzanSection, c::kAzanKey, stored(m_azan));
    add(c::kAzanSection, c::kAzanSubuhKey, stored(m_azanSubuh));
    const CheckedEdits checked = checkEdits(edits, Editor::Window, m_folder.settingsFile());
    std::string problem;
    for (const RefusedEdit& r : checked.refused)
        problem += (problem.empty() ? "" : "\r\n") + r.key + ": " + r.reason;
    const bool ok = checked.ok() && AddToINI(checked.changes, m_folder.settingsFile());
    if (!ok)
        m_dialogs.message(MessageIcon::Exclamation, std::string(app::kTitle),
                          problem.empty() ? std::string(settingsform::kFailedToSave) : problem, MessageButtons::Ok);
    return ok;
}

void FrmJemaah::cmdSave_Click() {
    saveAll();
}

void FrmJemaah::chooseAudio(QLineEdit* box) {
    clsDialog dialog(m_dialogs);
    const QString chosen = dialog.ShowOpen(
        this, QStringLiteral("Select Azan Audio"), pathToQt(m_folder.root()),
        QStringLiteral("Audio Files(*.mp3;*.wav;*.ogg;*.wma)|*.mp3;*.wav;*.ogg;*.wma|All Files (*.*)|*.*|"),
        clsDialog::OFN_FILEMUSTEXIST);
    if (!chosen.isEmpty())
        box->setText(chosen);
}

void FrmJemaah::cmdAzan_Click() {
    chooseAudio(m_azan);
}

void FrmJemaah::cmdAzanSubuh_Click() {
    chooseAudio(m_azanSubuh);
}

} // namespace tavrola
