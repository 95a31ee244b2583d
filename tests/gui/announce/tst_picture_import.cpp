// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/announce/AnnouncementStore.h"
#include "fakes/TempDir.h"
#include "gui/announce/PictureImport.h"
#include "gui/platform/LocalText.h"
#include "support/QtTestRegistry.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <QtTest>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (char ch : bytes) {
        c ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

QByteArray chunk(const char* type, const QByteArray& data) {
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(data.size()), out.data());
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32(body), crc.data());
    return out + body + crc;
}

// A well-formed PNG header that claims 30000 x 30000 pixels: decoding it would take 3.6 GB.
QByteArray hugePngHeader() {
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(30000, ihdr.data());
    qToBigEndian<quint32>(30000, ihdr.data() + 4);
    ihdr[8] = 8; // bit depth
    ihdr[9] = 6; // RGBA
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", QByteArray(16, '\0')) +
           chunk("IEND", {});
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage noise(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    quint32 x = 12345;
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < w; ++i) {
            x = x * 1103515245u + 12345u;
            image.setPixel(i, y, x >> 8);
        }
    return image;
}

bool writeFile(const fs::path& path, const QByteArray& bytes) {
    QFile f(pathToQt(path));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestPictureImport : public QObject {
    Q_OBJECT
private slots:
    // Each hostile file is refused with its reason before it is decoded, and nothing reaches the folder.
    void hostileFilesAreRefusedAndNothingIsWritten() {
        fakes::TempDir dir;
        const fs::path source = dir / "masuk";
        fs::create_directories(source);
        AnnouncementStore store(dir / "pengumuman");

        const QByteArray jpeg = encoded(noise(200, 100), "jpeg");
        QVERIFY(jpeg.endsWith("\xFF\xD9"));
        const struct {
            const char* name;
            QByteArray bytes;
            const char* reason;
        } cases[] = {
            {"kosong.png", {}, "Fail kosong"},
            {"teks.png", "Ini bukan gambar\r\n", "Bukan gambar PNG atau JPEG"},
            {"besar.png", hugePngHeader(), "Gambar lebih besar daripada 8000 x 8000 piksel"},
            {"terpotong.jpg", jpeg.left(jpeg.size() / 2), "Gambar rosak atau tidak lengkap"},
        };
        for (const auto& c : cases) {
            QVERIFY(writeFile(source / c.name, c.bytes));
            const PictureImport fromFile = PictureImport::fromFile(pathToQt(source / c.name));
            QCOMPARE(fromFile.reason(), std::string(c.reason));
            QCOMPARE(PictureImport::fromBytes(c.bytes).reason(), std::string(c.reason));
            QCOMPARE(addPictureAnnouncement(store, fromFile, {{2026, 12, 7}, 9, 0, 0, 0}, {}),
                     std::string(c.reason));
            QVERIFY(PictureImport::thumbnail(source / c.name, {96, 54}).isNull());
        }
        // Too large is refused by its size on disk, before a byte of it is read.
        QFile big(pathToQt(source / "besar.jpg"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(21 * 1024 * 1024));
        big.close();
        QCOMPARE(PictureImport::fromFile(big.fileName()).reason(), std::string("Fail lebih besar daripada 20 MB"));
        QCOMPARE(PictureImport::fromFile(pathToQt(source / "tiada.png")).reason(),
                 std::string("Fail tidak dapat dibaca"));
        QVERIFY(!fs::exists(dir / "pengumuman"));
    }

    // Written again from its pixels: the picture's words and colour profile stay behind, a JPEG stays a JPEG.
    void onlyThePixelsAreKept() {
        fakes::TempDir dir;
        AnnouncementStore store(dir.path());
        QImage marked = noise(64, 48);
        marked.setText(QStringLiteral("Comment"), QStringLiteral("rahsia-pengirim"));
        marked.setColorSpace(QColorSpace(QColorSpace::DisplayP3));
        const QByteArray png = encoded(marked, "png");
        QVERIFY(png.contains("rahsia-pengirim"));
        const DateTime now{{2026, 12, 7}, 9, 15, 0, 0};
        QCOMPARE(addPictureAnnouncement(store, PictureImport::fromBytes(png), now, {}), std::string());
        QCOMPARE(addPictureAnnouncement(store, PictureImport::fromBytes(encoded(noise(30, 20), "jpeg")), now, {}),
                 std::string());
        QCOMPARE(store.entries().size(), std::size_t(2));
        QCOMPARE(store.entries()[0].value("FAIL"), std::string("gambar-20261207-091500-1.png"));
        QCOMPARE(store.entries()[1].value("FAIL"), std::string("gambar-20261207-091500-1.jpg"));

        QFile file(pathToQt(dir / "gambar-20261207-091500-1.png"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY(!written.contains("rahsia-pengirim"));
        QVERIFY(!written.contains("iCCP"));
        QImageReader reader(pathToQt(dir / "gambar-20261207-091500-1.png"));
        QCOMPARE(reader.size(), QSize(64, 48));
        QCOMPARE(QImageReader(pathToQt(dir / "gambar-20261207-091500-1.jpg")).format(), QByteArray("jpeg"));
        QCOMPARE(PictureImport::thumbnail(dir / "gambar-20261207-091500-1.png", {32, 32}).size(), QSize(32, 24));
    }
};

TAVROLA_QTEST(TestPictureImport)
#include "tst_picture_import.moc"
