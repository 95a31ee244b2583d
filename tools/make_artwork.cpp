// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures that ship in the program folder: the logo, the prayer indicators, the weekday
// pictures, the black background and the application icon. Run by the build:
//     make_artwork <program folder>
// Every picture is drawn here; nothing is taken from elsewhere.

#include "core/gif/GifEncoder.h"

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <string>
#include <vector>

using tavrola::GifColour;
using tavrola::GifEncoder;
using tavrola::GifEncoderFrame;

namespace {

constexpr double kPi = std::numbers::pi;

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage blackCanvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

// The faintest edge pixels become background, so no dark halo stays around a shape.
QRgb clean(QRgb c) {
    return std::max({qRed(c), qGreen(c), qBlue(c)}) < 40 ? 0u : (c & 0xFFFFFF);
}

// Turns frames drawn on black into one GIF: black becomes transparent (the clock's own background
// is black, so the soft edges blend into it), the 255 most used colours form the table and the
// rest take the nearest of them.
// The last frame may be held longer (holdLastMs): a wall display runs all day, and a picture that
// rests between its movements costs the computer far fewer wake-ups.
QByteArray framesToGif(const std::vector<QImage>& frames, int delayMs, int holdLastMs = 0) {
    std::map<QRgb, long> uses;
    for (const QImage& img : frames)
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = clean(img.pixel(x, y));
                if (c != 0)
                    ++uses[c];
            }
    std::vector<std::pair<long, QRgb>> ranked;
    for (const auto& [c, n] : uses)
        ranked.emplace_back(n, c);
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    if (ranked.size() > 255)
        ranked.resize(255);

    std::vector<GifColour> palette{{0, 0, 0}};
    std::map<QRgb, std::uint8_t> index{{0u, 0}};
    for (const auto& [n, c] : ranked) {
        index[c] = static_cast<std::uint8_t>(palette.size());
        palette.push_back({static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                           static_cast<std::uint8_t>(qBlue(c))});
    }
    auto nearest = [&](QRgb c) {
        auto hit = index.find(c);
        if (hit != index.end())
            return hit->second;
        int best = 0;
        long bestDist = -1;
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const long dr = qRed(c) - palette[i].r, dg = qGreen(c) - palette[i].g, db = qBlue(c) - palette[i].b;
            const long d = dr * dr + dg * dg + db * db;
            if (bestDist < 0 || d < bestDist) {
                bestDist = d;
                best = static_cast<int>(i);
            }
        }
        index[c] = static_cast<std::uint8_t>(best);
        return static_cast<std::uint8_t>(best);
    };

    const int w = frames.front().width(), h = frames.front().height();
    GifEncoder enc(w, h);
    enc.setGlobalPalette(palette);
    enc.setLoopCount(0);
    for (const QImage& img : frames) {
        GifEncoderFrame f;
        f.width = w;
        f.height = h;
        f.delay = holdLastMs > 0 && &img == &frames.back() ? holdLastMs : delayMs;
        f.disposal = 2; // each frame is whole: clear the last one so its pixels never show through
        f.transparent = true;
        f.transparentIndex = 0;
        f.pixels.reserve(static_cast<std::size_t>(w * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                f.pixels.push_back(nearest(clean(img.pixel(x, y))));
        enc.addFrame(std::move(f));
    }
    const std::string bytes = enc.encode();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QPainterPath starPath(QPointF centre, double outer, double inner, double angle) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = angle - kPi / 2 + i * kPi / 5;
        const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// A crescent opening to the right with a star in its opening, in a square of side s at (x, y).
void drawCrescentAndStar(QPainter& p, double x, double y, double s, double starScale, double starTurn,
                         double glow) {
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outer, cut;
    outer.addEllipse(QPointF(x + s * 0.44, y + s * 0.5), s * 0.38, s * 0.38);
    cut.addEllipse(QPointF(x + s * 0.57, y + s * 0.44), s * 0.32, s * 0.32);
    QLinearGradient gold(x, y, x + s, y + s);
    gold.setColorAt(0.0, QColor(255, 224, 120));
    gold.setColorAt(1.0, QColor(200, 140, 30));
    p.fillPath(outer.subtracted(cut), gold);

    const QPointF c(x + s * 0.72, y + s * 0.44);
    if (glow > 0) { // short sparkle rays between the star's points
        p.setPen(QPen(QColor(255, 236, 170), std::max(1.0, s * 0.012), Qt::SolidLine, Qt::RoundCap));
        for (int k = 0; k < 5; ++k) {
            const double a = starTurn + kPi / 2 + k * 2 * kPi / 5;
            const double r0 = s * 0.09 * starScale, r1 = r0 + s * 0.07 * glow;
            p.drawLine(QPointF(c.x() + r0 * std::cos(a), c.y() + r0 * std::sin(a)),
                       QPointF(c.x() + r1 * std::cos(a), c.y() + r1 * std::sin(a)));
        }
        p.setPen(Qt::NoPen);
    }
    p.fillPath(starPath(c, s * 0.13 * starScale, s * 0.055 * starScale, starTurn), QColor(255, 246, 214));
}

// Every picture moves for 12 frames of 250 ms and then rests on its last frame, 30 seconds a round:
// a wall display runs all day, and each frame is a wake-up, a paint and a copy to the screen. The
// same pace lets the pictures' frames share one wake-up when they move together.
constexpr int kFrames = 12;
constexpr int kFrameMs = 250;
constexpr int kRoundMs = 30000;
constexpr int kRestMs = kRoundMs - (kFrames - 1) * kFrameMs;

QByteArray logoGif() {
    std::vector<QImage> frames;
    const int n = kFrames;
    for (int i = 1; i <= n; ++i) {
        const double phase = std::sin(2 * kPi * i / n); // a twinkle that ends at rest
        QImage img = blackCanvas(160, 160);
        QPainter p(&img);
        drawCrescentAndStar(p, 4, 4, 152, 1.0 + 0.12 * phase, 0.08 * phase, 0.5 + 0.5 * phase);
        p.end();
        frames.push_back(img);
    }
    return framesToGif(frames, kFrameMs, kRestMs);
}

// A dot with a ripple that widens and fades: the mark beside the current prayer.
QByteArray indicatorGif(QColor colour) {
    std::vector<QImage> frames;
    const int n = kFrames;
    for (int i = 1; i <= n; ++i) {
        const double t = static_cast<double>(i) / n; // ends as the bare dot, at rest
        QImage img = blackCanvas(32, 32);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // The ring thins as it widens instead of fading, which would leave a dark ring.
        p.setPen(QPen(colour, 2.4 * (1.0 - t) + 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 7 + 7.5 * t, 7 + 7.5 * t);
        QColor core = colour.lighter(100 + static_cast<int>(40 * std::sin(kPi * t)));
        p.setPen(Qt::NoPen);
        p.setBrush(core);
        p.drawEllipse(QPointF(16, 16), 6.0, 6.0);
        p.end();
        frames.push_back(img);
    }
    return framesToGif(frames, kFrameMs, kRestMs);
}

// Our own 5×7 dot-matrix letters, enough for the Malay weekday names.
const std::map<char, std::vector<const char*>>& glyphs() {
    static const std::map<char, std::vector<const char*>> g = {
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
        {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    };
    return g;
}

// The weekday name in lit dots, with a bright band sweeping across it.
QByteArray weekdayGif(const std::string& name) {
    constexpr int cell = 4, margin = 4, maxLetters = 6;
    const int w = margin * 2 + (maxLetters * 6 - 1) * cell, h = margin * 2 + 7 * cell;
    const int textCols = static_cast<int>(name.size()) * 6 - 1;
    const int x0 = (w - textCols * cell) / 2;
    std::vector<QImage> frames;
    const int n = kFrames;
    for (int i = 0; i < n; ++i) {
        const double band = -6 + (textCols + 12) * static_cast<double>(i) / (n - 1); // off the text at both ends
        QImage img = blackCanvas(w, h);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (std::size_t k = 0; k < name.size(); ++k) {
            const auto& rows = glyphs().at(name[k]);
            for (int r = 0; r < 7; ++r)
                for (int c = 0; c < 5; ++c) {
                    if (rows[static_cast<std::size_t>(r)][c] != '#')
                        continue;
                    const int col = static_cast<int>(k) * 6 + c;
                    const double lit = std::max(0.0, 1.0 - std::abs(col - band) / 3.0);
                    const QColor base(230, 180, 50), hi(255, 250, 225);
                    const QColor dot(static_cast<int>(base.red() + (hi.red() - base.red()) * lit),
                                     static_cast<int>(base.green() + (hi.green() - base.green()) * lit),
                                     static_cast<int>(base.blue() + (hi.blue() - base.blue()) * lit));
                    p.setBrush(dot);
                    p.drawEllipse(QRectF(x0 + col * cell + 0.3, margin + r * cell + 0.3, cell - 0.6, cell - 0.6));
                }
        }
        p.end();
        frames.push_back(img);
    }
    return framesToGif(frames, kFrameMs, kRestMs);
}

QImage iconImage(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(11, 92, 66));
    const double r = size * 0.2;
    p.drawRoundedRect(QRectF(0, 0, size, size), r, r);
    drawCrescentAndStar(p, size * 0.02, size * 0.04, size * 0.96, 1.15, 0, 0);
    p.end();
    return img;
}

QByteArray png(const QImage& img) {
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return out;
}

// An .ico holding PNG images, which every current Windows reads.
QByteArray icoFile(const std::vector<QImage>& images) {
    QByteArray out;
    auto put16 = [&](int v) {
        out.append(static_cast<char>(v & 0xFF));
        out.append(static_cast<char>((v >> 8) & 0xFF));
    };
    auto put32 = [&](qsizetype v) {
        put16(static_cast<int>(v & 0xFFFF));
        put16(static_cast<int>((v >> 16) & 0xFFFF));
    };
    put16(0);
    put16(1);
    put16(static_cast<int>(images.size()));
    std::vector<QByteArray> data;
    for (const QImage& img : images)
        data.push_back(png(img));
    qsizetype offset = 6 + 16 * static_cast<qsizetype>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.append(static_cast<char>(images[i].width() & 0xFF));
        out.append(static_cast<char>(images[i].height() & 0xFF));
        out.append('\0'); // no palette
        out.append('\0');
        put16(1);  // planes
        put16(32); // bits per pixel
        put32(data[i].size());
        put32(offset);
        offset += data[i].size();
    }
    for (const QByteArray& d : data)
        out.append(d);
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv); // image format plugins (JPEG) load through it
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork <program folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    bool ok = writeFile(dir + "/logo/logo.gif", logoGif());

    // Indicator n sits beside the prayer of ucAniGIF2(n): Zohor, Asar, Maghrib, Isyak, Subuh.
    const QColor indicatorColours[5] = {QColor(255, 200, 40), QColor(255, 140, 30), QColor(235, 70, 60),
                                        QColor(120, 130, 255), QColor(60, 200, 230)};
    for (int i = 0; i < 5; ++i)
        ok = writeFile(dir + QString("/gif/indicator%1.gif").arg(i), indicatorGif(indicatorColours[i])) && ok;

    for (const char* day : {"isnin", "selasa", "rabu", "khamis", "jumaat", "sabtu", "ahad"})
        ok = writeFile(dir + "/gif/" + day + ".gif", weekdayGif(QString(day).toUpper().toStdString())) && ok;

    QImage black(3840, 2160, QImage::Format_RGB32);
    black.fill(Qt::black);
    QByteArray jpg;
    {
        QBuffer buf(&jpg);
        buf.open(QIODevice::WriteOnly);
        ok = black.save(&buf, "JPG", 90) && ok;
    }
    ok = writeFile(dir + "/bg/hitam.jpg", jpg) && ok;

    std::vector<QImage> icons;
    for (int size : {16, 32, 48}) {
        icons.push_back(iconImage(size));
        ok = writeFile(dir + QString("/icon/tavrola%1.png").arg(size), png(icons.back())) && ok;
    }
    ok = writeFile(dir + "/icon/tavrola.ico", icoFile(icons)) && ok;
    return ok ? 0 : 1;
}
