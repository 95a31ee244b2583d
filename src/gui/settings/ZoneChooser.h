#pragma once

#include <QWidget>

#include <filesystem>
#include <string>

class QComboBox;

namespace tavrola {

// Picks the official prayer-time zone the built-in calculator uses ([LOKASI] ZON): the zones grouped
// under their states, each shown with its code and districts. The first entry keeps the coordinates
// typed in setting.ini (LATITUD, LONGITUD) instead of a zone.
class ZoneChooser : public QWidget {
    Q_OBJECT
public:
    explicit ZoneChooser(QWidget* parent = nullptr);

    // Shows the zone setting.ini names; with none, the coordinates entry when coordinates are set and
    // otherwise the default zone, which is what the calculator uses then.
    void load(const std::filesystem::path& iniPath);
    // Stores the choice when the user changed it since the load (an untouched chooser leaves the file
    // as it is, byte for byte); false when the file could not be written.
    bool save(const std::filesystem::path& iniPath);

    // The chosen zone's code; empty for the coordinates entry.
    QString code() const;
    QComboBox* box() const { return m_box; }

private:
    void select(const QString& code);

    QComboBox* m_box;
    QString m_shown; // the code the load showed
};

} // namespace tavrola
