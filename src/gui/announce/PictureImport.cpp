// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/announce/PictureImport.h"

#include "core/announce/Announcements.h"
#include "core/files/AtomicFile.h"
#include "gui/platform/LocalText.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace tavrola {

namespace {

constexpr qint64 kMaxBytes = static_cast<qint64>(announce::kMaxPictureBytes);

const char* const kEmpty = "Fail kosong";
const char* const kUnreadable = "Fail tidak dapat dibaca";
const char* const kTooBig = "Fail lebih besar daripada 20 MB";
const char* const kNotPicture = "Bukan gambar PNG atau JPEG";
const char* const kTooWide = "Gambar lebih besar daripada 8000 x 8000 piksel";
const char* const kBroken = "Gambar rosak atau tidak lengkap";

enum class Kind { None, Png, Jpeg };

// By the first bytes, not by the name: a text file called .png is not a picture.
Kind kindOf(const QByteArray& bytes) {
    static const QByteArray png("\x89PNG\r\n\x1a\n", 8);
    if (bytes.startsWith(png))
        return Kind::Png;
    if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF)
        return Kind::Jpeg;
    return Kind::None;
}

// A cut-off file still decodes into a picture half grey, so its end is looked for first: a PNG's
// closing chunk, a JPEG's end-of-image marker (which cannot stand in a JPEG's compressed data),
// each allowed a little padding after it.
bool complete(const QByteArray& bytes, Kind kind) {
    const QByteArray tail = bytes.right(64);
    if (kind == Kind::Png)
        return tail.contains("IEND");
    return tail.contains(QByteArray("\xFF\xD9", 2));
}

// Every check that needs no decoding; empty when the picture may be decoded.
std::string checkHeader(const QByteArray& bytes, Kind& kind, QImageReader& reader) {
    if (bytes.isEmpty())
        return kEmpty;
    if (bytes.size() > kMaxBytes)
        return kTooBig;
    kind = kindOf(bytes);
    if (kind == Kind::None)
        return kNotPicture;
    reader.setFormat(kind == Kind::Png ? "png" : "jpeg");
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true); // a phone's portrait photo stands up, as the phone showed it
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return kBroken;
    if (size.width() > announce::kMaxPictureSide || size.height() > announce::kMaxPictureSide)
        return kTooWide;
    if (!complete(bytes, kind))
        return kBroken;
    return {};
}

// The file's bytes, refused before reading when it is too large.
std::string readLimited(const QString& path, QByteArray& bytes) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return kUnreadable;
    if (info.size() > kMaxBytes)
        return kTooBig;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return kUnreadable;
    bytes = file.read(kMaxBytes + 1); // it may have grown since
    if (bytes.size() > kMaxBytes)
        return kTooBig;
    return {};
}

} // namespace

PictureImport PictureImport::fromFile(const QString& path) {
    QByteArray bytes;
    if (std::string why = readLimited(path, bytes); !why.empty()) {
        PictureImport p;
        p.m_reason = std::move(why);
        return p;
    }
    return fromBytes(bytes);
}

PictureImport PictureImport::fromBytes(const QByteArray& bytes) {
    PictureImport p;
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Kind kind = Kind::None;
    p.m_reason = checkHeader(bytes, kind, reader);
    if (!p.ok())
        return p;
    p.m_jpeg = kind == Kind::Jpeg;
    p.m_image = reader.read();
    if (p.m_image.isNull()) {
        p.m_reason = kBroken;
        return p;
    }
    if (p.m_image.colorSpace().isValid() && p.m_image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        p.m_image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
    return p;
}

std::string PictureImport::writeTo(const std::filesystem::path& target) const {
    if (!ok())
        return m_reason;
    // A picture over the same pixels with nothing else: no text, no colour profile, no resolution.
    QImage pixels(m_image.constBits(), m_image.width(), m_image.height(), m_image.bytesPerLine(),
                  m_image.format());
    if (!m_image.colorTable().isEmpty())
        pixels.setColorTable(m_image.colorTable());
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, m_jpeg ? "jpeg" : "png");
    if (m_jpeg)
        writer.setQuality(90);
    if (!writer.write(pixels))
        return "Ralat: gambar tidak dapat ditukar (" + fromQt(writer.errorString()) + ")";
    // The clock skips a file over its limit; a picture packed better than we pack it could grow.
    if (encoded.size() > kMaxBytes)
        return "Gambar terlalu besar selepas ditukar (lebih daripada 20 MB)";
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    const std::string bytes(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    if (!replaceFileAtomically(target, temporaryPathFor(target), bytes, ec))
        return "Ralat: gambar tidak dapat ditulis (" + ec.message() + ")";
    return {};
}

QImage PictureImport::thumbnail(const std::filesystem::path& file, const QSize& box) {
    QByteArray bytes;
    if (!readLimited(pathToQt(file), bytes).empty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Kind kind = Kind::None;
    if (!checkHeader(bytes, kind, reader).empty())
        return {};
    // Decoded straight at the small size where the format allows it.
    reader.setScaledSize(reader.size().scaled(box, Qt::KeepAspectRatio));
    return reader.read();
}

namespace {

// Writes the picture under a new name, then lets `save` enter it; a refused entry takes its picture
// away again.
template <typename Save>
std::string savePictureAnnouncement(AnnouncementStore& store, const PictureImport& picture, const DateTime& now,
                                    AnnouncementFields fields, Save save) {
    if (!picture.ok())
        return picture.reason();
    const std::string name = store.newPictureName(now, picture.extension());
    if (std::string why = picture.writeTo(store.folder() / name); !why.empty())
        return why;
    fields.kind = Announcement::Kind::Picture;
    fields.file = name;
    std::string why = save(fields);
    if (!why.empty())
        store.removeUnusedPicture(name);
    return why;
}

} // namespace

std::string addPictureAnnouncement(AnnouncementStore& store, const PictureImport& picture, const DateTime& now,
                                   AnnouncementFields fields) {
    return savePictureAnnouncement(store, picture, now, std::move(fields),
                                   [&](const AnnouncementFields& f) { return store.add(f); });
}

std::string replacePictureAnnouncement(AnnouncementStore& store, std::size_t index, const PictureImport& picture,
                                       const DateTime& now, AnnouncementFields fields) {
    return savePictureAnnouncement(store, picture, now, std::move(fields),
                                   [&](const AnnouncementFields& f) { return store.update(index, f); });
}

} // namespace tavrola
