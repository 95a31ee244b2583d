// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/ZoneChooser.h"

#include "core/files/ProgramFolder.h"
#include "core/prayerdata/OfficialTables.h"
#include "core/prayerdata/PrayerLocationSettings.h"
#include "core/prayerdata/Zones.h"
#include "core/settings/SettingsSchema.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>

namespace tavrola {

namespace {

QString view(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const SettingKey* const kCoordinateKeys[] = {&settings::kLatitude, &settings::kLongitude, &settings::kTimeZone};
const char* const kFieldNames[] = {"txtLatitud", "txtLongitud", "txtZonWaktu"};

} // namespace

ZoneChooser::ZoneChooser(QWidget* parent)
    : QWidget(parent), m_box(new QComboBox(this)), m_problem(new QLabel(this)),
      m_official(new QPushButton(QStringLiteral("Jadual rasmi..."), this)), m_officialResult(new QLabel(this)) {
    setObjectName(QStringLiteral("ZoneChooser"));
    m_box->setObjectName(QStringLiteral("cboZon"));
    auto* caption = new QLabel(QStringLiteral("ZON WAKTU SOLAT"), this);
    caption->setBuddy(m_box);

    auto* model = new QStandardItemModel(m_box);
    auto* coordinates = new QStandardItem(QStringLiteral("Koordinat (LATITUD, LONGITUD)"));
    coordinates->setData(QString(), Qt::UserRole);
    model->appendRow(coordinates);
    std::string_view state;
    for (const Zone& zone : allZones()) {
        if (zone.state != state) {
            state = zone.state;
            // A state's name heads its zones and cannot be chosen itself.
            auto* heading = new QStandardItem(view(state).toUpper());
            heading->setFlags(Qt::NoItemFlags);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            model->appendRow(heading);
        }
        auto* item = new QStandardItem(QStringLiteral("   ") + view(zone.code) + QStringLiteral("  ") +
                                       view(zone.districts));
        item->setData(view(zone.code), Qt::UserRole);
        item->setToolTip(view(zone.districts));
        model->appendRow(item);
    }
    m_box->setModel(model);
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_box->setMinimumContentsLength(28);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(m_box, 0, 1, 1, 3);
    auto* fields = new QHBoxLayout;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(kFieldNames[i]));
        m_fields[i]->setPlaceholderText(view(kCoordinateKeys[i]->key));
        m_fields[i]->setToolTip(view(kCoordinateKeys[i]->key));
        m_fields[i]->setMaxLength(16);
        fields->addWidget(m_fields[i]);
        connect(m_fields[i], &QLineEdit::textChanged, this, &ZoneChooser::showProblems);
    }
    grid->addLayout(fields, 1, 1, 1, 3);
    m_problem->setObjectName(QStringLiteral("lblKoordinat"));
    m_problem->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    m_problem->setWordWrap(true);
    grid->addWidget(m_problem, 2, 1, 1, 3);
    m_official->setObjectName(QStringLiteral("cmdJadualRasmi"));
    m_official->setToolTip(QStringLiteral("Salin jadual waktu solat setahun dari JAKIM (e-Solat JSON atau CSV) "
                                          "untuk zon ini ke dbase/rasmi"));
    grid->addWidget(m_official, 0, 4);
    m_officialResult->setObjectName(QStringLiteral("lblJadualRasmi"));
    m_officialResult->setWordWrap(true);
    m_officialResult->hide();
    grid->addWidget(m_officialResult, 3, 1, 1, 4);
    grid->setColumnStretch(1, 1);
    connect(m_official, &QPushButton::clicked, this, &ZoneChooser::chooseOfficialTable);
    connect(m_box, &QComboBox::currentIndexChanged, this, &ZoneChooser::showProblems);
    select(view(kDefaultZoneCode));
}

ZoneChooser::~ZoneChooser() = default;

void ZoneChooser::showProblems() {
    const bool typed = code().isEmpty();
    // A table is one zone's; typed coordinates have none.
    m_official->setEnabled(!typed);
    for (QLineEdit* field : m_fields)
        field->setEnabled(typed);
    const QString why = problem();
    m_problem->setText(why);
    m_problem->setVisible(!why.isEmpty());
}

QString ZoneChooser::problem() const {
    if (!code().isEmpty())
        return {};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const std::string why = coordinateProblem(*kCoordinateKeys[i], fromQt(m_fields[i]->text()));
        if (!why.empty())
            return view(kCoordinateKeys[i]->key) + QStringLiteral(": ") + toQt(why);
    }
    if (m_fields[0]->text().trimmed().isEmpty() || m_fields[1]->text().trimmed().isEmpty())
        return QStringLiteral("Isi LATITUD dan LONGITUD, atau pilih zon");
    return {};
}

void ZoneChooser::select(const QString& code) {
    const int at = m_box->findData(code, Qt::UserRole);
    m_box->setCurrentIndex(at >= 0 ? at : m_box->findData(view(kDefaultZoneCode), Qt::UserRole));
}

void ZoneChooser::load(const std::filesystem::path& iniPath) {
    // The calculator's own reading: what is shown here is what the clock computes for.
    const PrayerPlace place = readPrayerPlace(iniPath);
    m_officialFolder = ProgramFolder(iniPath.parent_path()).officialTablesFolder();
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const SettingKey& key = *kCoordinateKeys[i];
        m_shownText[i] = toQt(GetFromINI(key.section, key.key, "", iniPath));
        m_fields[i]->setText(m_shownText[i]);
    }
    select(place.zone ? view(place.zone->code) : QString());
    m_shown = code();
    showProblems();
}

void ZoneChooser::addChanges(std::vector<IniChange>& changes) const {
    if (code() != m_shown)
        changes.push_back(
            {std::string(settings::kZone.section), std::string(settings::kZone.key), fromQt(code())});
    if (!code().isEmpty())
        return;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i]->text() != m_shownText[i])
            changes.push_back({std::string(kCoordinateKeys[i]->section), std::string(kCoordinateKeys[i]->key),
                               fromQt(m_fields[i]->text().trimmed())});
}

void ZoneChooser::markSaved() {
    m_shown = code();
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_shownText[i] = m_fields[i]->text();
}

QString ZoneChooser::code() const {
    return m_box->currentData(Qt::UserRole).toString();
}

void ZoneChooser::chooseOfficialTable() {
    if (!m_dialogs) {
        if (!m_ownDialogs)
            m_ownDialogs = std::make_unique<QtDialogs>(this);
        m_dialogs = m_ownDialogs.get();
    }
    OpenFileRequest request;
    request.title = "Jadual rasmi " + fromQt(code());
    request.filters = {{"Jadual e-Solat (*.json, *.csv)", "*.json;*.csv"}, {"Semua fail (*.*)", "*.*"}};
    request.owner = this;
    const std::string file = m_dialogs->openFile(request);
    if (!file.empty())
        importOfficialTable(QString::fromLocal8Bit(file));
}

bool ZoneChooser::importOfficialTable(const QString& file) {
    const Zone* zone = findZone(fromQt(code()));
    OfficialImport result;
    if (!zone)
        result.message = "Pilih zon dahulu: jadual rasmi ialah untuk satu zon";
    else if (m_officialFolder.empty())
        result.message = "Jadual rasmi tidak disalin: tiada folder program";
    else
        result = tavrola::importOfficialTable(pathFromQt(file), m_officialFolder, *zone);
    m_officialResult->setText(toQt(result.message));
    m_officialResult->setStyleSheet(result.ok ? QStringLiteral("color: rgb(0, 128, 0);")
                                              : QStringLiteral("color: rgb(255, 0, 0);"));
    m_officialResult->show();
    return result.ok;
}

} // namespace tavrola
