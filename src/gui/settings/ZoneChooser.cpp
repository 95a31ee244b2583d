#include "gui/settings/ZoneChooser.h"

#include "core/config/IniFile.h"
#include "core/config/SettingsSchema.h"
#include "core/prayerdata/Zones.h"
#include "gui/platform/LocalText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStandardItemModel>

namespace tavrola {

namespace {

QString view(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ZoneChooser::ZoneChooser(QWidget* parent) : QWidget(parent), m_box(new QComboBox(this)) {
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

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(caption);
    row->addWidget(m_box, 1);
    select(view(kDefaultZoneCode));
}

void ZoneChooser::select(const QString& code) {
    const int at = m_box->findData(code, Qt::UserRole);
    m_box->setCurrentIndex(at >= 0 ? at : m_box->findData(view(kDefaultZoneCode), Qt::UserRole));
}

void ZoneChooser::load(const std::filesystem::path& iniPath) {
    // Read without a default, so that opening the window never adds the key.
    const auto read = [&](const SettingKey& key) { return GetFromINI(key.section, key.key, "", iniPath); };
    const std::string stored = read(settings::kZone);
    const Zone* zone = findZone(stored);
    if (zone)
        select(view(zone->code));
    else if (stored.find_first_not_of(" \t") == std::string::npos &&
             (!read(settings::kLatitude).empty() || !read(settings::kLongitude).empty()))
        select(QString());
    else
        select(view(kDefaultZoneCode));
    m_shown = code();
}

bool ZoneChooser::save(const std::filesystem::path& iniPath) {
    if (code() == m_shown)
        return true;
    if (!writeSetting(settings::kZone, fromQt(code()), iniPath))
        return false;
    m_shown = code();
    return true;
}

QString ZoneChooser::code() const {
    return m_box->currentData(Qt::UserRole).toString();
}

} // namespace tavrola
