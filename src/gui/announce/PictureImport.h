// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/announce/AnnouncementStore.h"
#include "core/calendar/DateTime.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <string>

namespace tavrola {

// A picture brought into the announcements' folder, from a file on this computer or from the
// phone's upload. It is checked before anything is decoded (its size, that it is a PNG or a JPEG,
// its width and height, that it is complete), then decoded and written again, so the folder keeps
// nothing of the original file but its pixels: no text, camera details or colour profile.
class PictureImport {
public:
    static PictureImport fromFile(const QString& path);
    static PictureImport fromBytes(const QByteArray& bytes);

    bool ok() const { return m_reason.empty(); }
    // Why it was refused, in the words the user is shown.
    const std::string& reason() const { return m_reason; }
    // The form it is written in: "jpg" for a JPEG, "png" for anything else.
    std::string extension() const { return m_jpeg ? "jpg" : "png"; }
    QSize size() const { return m_image.size(); }

    // Writes the pixels to `target` in one replace (the file there is never half-written); the
    // reason on failure, empty on success.
    std::string writeTo(const std::filesystem::path& target) const;

    // A small copy for a list, read under the same checks; null for a file that would be refused.
    static QImage thumbnail(const std::filesystem::path& file, const QSize& box);

private:
    PictureImport() = default;

    QImage m_image;
    bool m_jpeg = false;
    std::string m_reason;
};

// A picture announcement added in one step: the picture written under a name the list makes, then
// its entry. When the entry is refused the picture goes again. Empty on success, else the reason.
std::string addPictureAnnouncement(AnnouncementStore& store, const PictureImport& picture, const DateTime& now,
                                   AnnouncementFields fields);
// The same for a new picture in an existing entry; the old picture goes once nothing names it.
std::string replacePictureAnnouncement(AnnouncementStore& store, std::size_t index, const PictureImport& picture,
                                       const DateTime& now, AnnouncementFields fields);

} // namespace tavrola
