// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/clock/CardFrame.h"

#include <QObject>
#include <QString>

#include <array>
#include <filesystem>

class QLabel;
class QWidget;

namespace tavrola {

class ucAniGIF;

// The card right of the clock (Picture2): the weekday's animated picture, the verse on remembrance
// and the day's line under it.
class RemembranceCard : public QObject {
    Q_OBJECT
public:
    // gifFolder: where the weekday pictures are; underlay: the window's backdrop under the card.
    RemembranceCard(QWidget& window, const std::filesystem::path& gifFolder, CardFrame::Underlay underlay);

    void setFaces();
    // The weekday picture the line names, and the line itself.
    void showDay(const QString& zikirText);

    // Without it only the pictures and letters show (no-background mode).
    void setDrawn(bool drawn);
    void backdropChanged();

private:
    CardFrame* Picture2;
    QLabel* tarikh_zikir;
    QLabel* pesan2;
    std::array<ucAniGIF*, 7> m_weekdayPictures{}; // isnin1 (Monday) .. ahad1 (Sunday)
};

} // namespace tavrola
