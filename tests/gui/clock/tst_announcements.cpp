// SPDX-License-Identifier: GPL-3.0-or-later
// Announcements and the funeral notice on the clock window: the card turning, full-screen rounds
// that keep clear of the congregation, hostile pictures skipped, the notice above the clock.
#include "gui/announce/AnnouncementPage.h"
#include "gui/clock/IqamahPanel.h"
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

#include <filesystem>

using namespace tavrola;

namespace {

struct Hall : testing::ClockWindowRig {
    using ClockWindowRig::ClockWindowRig;
    std::filesystem::path announcements() const { return folder.dataRoot() / "pengumuman"; }
    void writeList(const std::string& text) {
        std::filesystem::create_directories(announcements());
        fakes::writeBytes(announcements() / "senarai.ini", text);
    }
    void writePicture(const char* name, QColor colour, QSize size = {800, 600}, const char* format = "PNG") {
        std::filesystem::create_directories(announcements());
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(QString::fromStdString((announcements() / name).string()), format));
    }
    // Ticks at the given time, a second apart.
    void run(int seconds, int h, int m, int s) {
        for (int i = 0; i < seconds; ++i) {
            const int t = h * 3600 + m * 60 + s + i;
            setTime(t / 3600, t / 60 % 60, t % 60);
            tick();
        }
    }
    AnnouncementPage* card() const { return find<AnnouncementPage>("pengumuman"); }
    AnnouncementPage* round() const { return find<AnnouncementPage>("pengumumanPenuh"); }
    bool shows(const QWidget* w) const { return w && w->isVisibleTo(window.get()); }
    int logLines(const std::string& part) const {
        const std::string log = fakes::readBytes(folder.logFolder() / "tavrola.log");
        int n = 0;
        for (std::size_t at = log.find(part); at != std::string::npos; at = log.find(part, at + 1))
            ++n;
        return n;
    }
};

// A PNG header claiming 30000 x 30000 pixels, with a correct checksum, and nothing after it.
QByteArray hugePngHeader() {
    QByteArray ihdr("IHDR");
    for (quint32 v : {30000u, 30000u})
        for (int shift = 24; shift >= 0; shift -= 8)
            ihdr.append(char((v >> shift) & 0xFF));
    ihdr.append("\x08\x02\x00\x00\x00", 5);
    quint32 crc = 0xFFFFFFFFu;
    for (char c : ihdr) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xFFFFFFFFu;
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.append("\x00\x00\x00\x0d", 4).append(ihdr);
    for (int shift = 24; shift >= 0; shift -= 8)
        png.append(char((crc >> shift) & 0xFF));
    return png;
}

} // namespace

class TestAnnouncements : public QObject {
    Q_OBJECT
private slots:
    // The card shows the day's card, then each announcement for its seconds; hostile pictures are
    // skipped with one log line each and the rest still show.
    void theCardTurnsThroughWhatCanBeShown() {
        Hall hall;
        hall.writePicture("kutipan.png", Qt::darkGreen);
        fakes::writeBytes(hall.announcements() / "kosong.png", "");
        fakes::writeBytes(hall.announcements() / "teks.png", "bukan gambar");
        fakes::writeBytes(hall.announcements() / "besar.png", hugePngHeader().toStdString());
        {
            QImage image(640, 480, QImage::Format_RGB32);
            image.fill(Qt::blue);
            QByteArray jpeg;
            QBuffer buffer(&jpeg);
            QVERIFY(image.save(&buffer, "JPEG"));
            fakes::writeBytes(hall.announcements() / "putus.jpg", jpeg.left(jpeg.size() / 3).toStdString());
        }
        hall.writeList("[1]\nJENIS=GAMBAR\nFAIL=kosong.png\n[2]\nJENIS=GAMBAR\nFAIL=teks.png\n"
                       "[3]\nJENIS=GAMBAR\nFAIL=besar.png\n[4]\nJENIS=GAMBAR\nFAIL=kutipan.png\nSAAT=5\n"
                       "[5]\nJENIS=TEKS\nTAJUK=Kuliah Maghrib\nTEKS=Ustaz Ahmad\nSAAT=5\n"
                       "[6]\nJENIS=TEKS\nTEKS=lama\nTAMAT=2026-12-04\n[7]\nJENIS=GAMBAR\nFAIL=hilang.png\n");
        hall.load();
        hall.run(1, 10, 0, 0);
        QVERIFY(!hall.shows(hall.card())); // the day's card first
        hall.run(10, 10, 0, 1);
        QVERIFY(hall.shows(hall.card()));
        // The truncated JPEG may decode in part; whichever shows, the order holds: pictures, then text.
        QVERIFY(hall.card()->showsPicture());
        hall.run(15, 10, 0, 11);
        QCOMPARE(hall.card()->shownTitle(), QStringLiteral("Kuliah Maghrib"));
        for (const char* skipped :
             {"kosong.png dilangkau", "teks.png dilangkau", "besar.png dilangkau", "hilang.png dilangkau"})
            QCOMPARE(hall.logLines(skipped), 1);
        // A change to the list shows at the next ticks, with no restart; an announcement just added
        // shows at once rather than after the day's card.
        hall.writeList("[1]\nJENIS=TEKS\nTAJUK=Gotong-royong\nTEKS=Sabtu ini\n");
        hall.run(12, 10, 1, 0);
        QCOMPARE(hall.card()->shownTitle(), QStringLiteral("Gotong-royong"));
        hall.run(3, 10, 1, 12); // the day's card again
        QVERIFY(!hall.shows(hall.card()));
        hall.writeList("[1]\nJENIS=TEKS\nTAJUK=Gotong-royong\nTEKS=Sabtu ini\n[2]\nJENIS=TEKS\nTAJUK=Tahlil\n");
        hall.run(2, 10, 1, 15);
        QVERIFY(hall.shows(hall.card()));
        QCOMPARE(hall.card()->shownTitle(), QStringLiteral("Tahlil"));
    }

    // Every PENUH minutes the announcements run once over the whole window; never ten minutes
    // before a prayer, and an iqamah countdown ends a round at once.
    void fullScreenRoundsKeepClearOfTheCongregation() {
        Hall hall("[PENGUMUMAN]\r\nPENUH=1\r\n[IQAMAH]\r\nASAR=10\r\n");
        hall.writeList("[1]\nJENIS=TEKS\nTAJUK=Derma\nTEKS=Tabung masjid\nSAAT=30\n");
        hall.load();
        hall.run(61, 15, 0, 0);
        QVERIFY(hall.shows(hall.round()));
        QCOMPARE(hall.round()->shownTitle(), QStringLiteral("Derma"));
        hall.run(30, 15, 1, 1);
        QVERIFY(!hall.shows(hall.round())); // once through, then the clock again
        hall.run(120, 16, 16, 0);           // Asar at 16:25: too close
        QVERIFY(!hall.shows(hall.round()));
        hall.run(1, 16, 25, 0); // the countdown begins
        QVERIFY(hall.shows(hall.window->findChild<IqamahPanel*>()));
        QVERIFY(!hall.shows(hall.round()));
    }

    // The funeral notice stands over the titles until its end, and not over the prayer screen.
    void theFuneralNoticeStandsUntilItsEnd() {
        Hall hall("[JENAZAH]\r\nNAMA=Haji Ali bin Abu\r\nSOLAT=selepas solat Zohor\r\nTAMAT=2026-12-05 14:00\r\n");
        hall.load();
        hall.run(1, 13, 30, 0);
        auto* notice = hall.find<FuneralPanel>("jenazah");
        QVERIFY(hall.shows(notice));
        QCOMPARE(notice->name(), QStringLiteral("Haji Ali bin Abu"));
        hall.run(1, 14, 0, 0);
        QVERIFY(!hall.shows(notice));
    }
};

TAVROLA_QTEST(TestAnnouncements)
#include "tst_announcements.moc"
