// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/clock/LiveSettings.h"

#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include <array>
#include <string>

class QLabel;
class QWidget;

namespace tavrola {

class WidgetLayout;
class ucAniGIF;

// The clock window's top band: the two titles and the place name as setting.ini words them, the
// logo right of them and the status line in the corner. Its controls are children of the window
// and are scaled with the rest of it by the window's layout.
class TitleBand : public QObject {
    Q_OBJECT
public:
    TitleBand(QWidget& window, WidgetLayout& layout);

    void setFaces();
    // The titles' words and sizes and the place name; a line that already shows them is left alone.
    void show(const LiveSettings& settings);
    // After the layout rescaled the window: the sizes set in setting.ini, fitted, win over the
    // recorded ones.
    void refit();
    void showStatus(const QString& line);
    QString firstTitle() const;

    // The logo: a picture file (an unreadable one leaves it empty) and its top-left corner in twips
    // of the designed window.
    void showLogoFile(const QString& path);
    void setLogoLeftTwips(int twips);
    void setLogoTopTwips(int twips);
    QPixmap logoPicture() const;

signals:
    // The logo took a new place or size: the window lays itself out again.
    void logoMoved();

private:
    void fitTitle(int i);
    void placeLogo();

    QWidget& m_window;
    WidgetLayout& m_layout;
    ucAniGIF* ucAniGIF1;
    QLabel* txtWEBTAJUK;
    QLabel* txtWEBTAJUK2;
    QLabel* Tajuk_tempat;
    QLabel* lblLabel2;

    // The titles as set in setting.ini: words and size in points at the designed window's size.
    struct Title {
        std::string text;
        double points;
    };
    std::array<Title, 2> m_titles{{{{}, 50}, {{}, 30}}};
    QString m_logoPath;             // the file the logo shows
    QPoint m_logoTwips{17388, 797}; // its place in the designed window
};

} // namespace tavrola
