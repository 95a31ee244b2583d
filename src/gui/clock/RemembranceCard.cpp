// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/RemembranceCard.h"

#include "core/calendar/MalayCalendar.h"
#include "core/gif/GifStretch.h"
#include "gui/clock/ClockLook.h"
#include "gui/platform/LocalText.h"
#include "gui/widgets/ucAniGIF.h"

#include <QLabel>

namespace tavrola {

using namespace look;

RemembranceCard::RemembranceCard(QWidget& window, const std::filesystem::path& gifFolder,
                                 CardFrame::Underlay underlay)
    : QObject(&window) {
    Picture2 = new CardFrame("Picture2", &window, true, std::move(underlay));
    Picture2->setGeometry(1350, 272, 530, 462);

    const std::array<const char*, 7> names = {"isnin1",  "selasa1", "rabu1", "kamis1",
                                              "jumaat1", "sabtu1",  "ahad1"};
    const std::array<const char*, 7> files = {"isnin.gif",  "selasa.gif", "rabu.gif", "khamis.gif",
                                              "jumaat.gif", "sabtu.gif",  "ahad.gif"};
    for (std::size_t i = 0; i < m_weekdayPictures.size(); ++i) {
        ucAniGIF* pic = makePicture(Picture2, QString::fromLatin1(names[i]), gifFolder / files[i], GifFit);
        pic->setGeometry(20, 24, 490, 120);
        pic->setVisible(false);
        m_weekdayPictures[i] = pic;
    }
    pesan2 = makeLabel(Picture2, "pesan2",
                       QStringLiteral("\u201COrang-orang yang beriman dan tenang\n"
                                      "tenteram hati mereka dengan zikrullah.\n"
                                      "Ketahuilah, dengan zikrullah itu tenanglah\n"
                                      "hati manusia.\u201D (Surah Al Ra'd, ayat 28)"));
    pesan2->setGeometry(16, 158, 498, 240);
    pesan2->setAlignment(Qt::AlignCenter);
    pesan2->setWordWrap(true);
    setTextColour(pesan2, kWhite);
    tarikh_zikir = makeLabel(Picture2, "tarikh_zikir");
    tarikh_zikir->setGeometry(20, 410, 490, 36);
    tarikh_zikir->setAlignment(Qt::AlignCenter);
    setTextColour(tarikh_zikir, kPaleGold);
}

void RemembranceCard::setFaces() {
    pesan2->setFont(face(kSans, 21));
    tarikh_zikir->setFont(face(kNarrow, 24));
}

void RemembranceCard::showDay(const QString& zikirText) {
    const int shown = zikirPictureIndex(fromQt(zikirText));
    for (int i = 0; i < 7; ++i)
        m_weekdayPictures[static_cast<std::size_t>(i)]->setVisible(i == shown);
    tarikh_zikir->setText(zikirText);
}

void RemembranceCard::setDrawn(bool drawn) {
    Picture2->setDrawn(drawn);
}

void RemembranceCard::backdropChanged() {
    Picture2->invalidate();
}

} // namespace tavrola
