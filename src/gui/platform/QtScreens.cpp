// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtScreens.h"

#include "gui/platform/LocalText.h"

#include <QCursor>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <cstdint>

namespace tavrola {

namespace {
Rect toRect(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}
} // namespace

std::vector<ScreenInfo> QtScreens::monitors() const {
    std::vector<ScreenInfo> out;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* s : QGuiApplication::screens()) {
        ScreenInfo info;
        // A screen object lives exactly as long as its monitor is attached, so its address names it.
        info.id = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(s));
        info.name = fromQt(s->name());
        info.deviceString = fromQt((s->manufacturer() + ' ' + s->model()).trimmed());
        info.deviceId = fromQt(s->serialNumber());
        info.geometry = toRect(s->geometry());
        info.workArea = toRect(s->availableGeometry());
        info.primary = s == primary;
        // Qt lists only monitors that are part of the desktop and cannot tell whether one is
        // VGA-compatible, removable or mirrored: these keep the values of a system without that
        // information (attached, VGA-compatible, fixed, not a mirror).
        info.attachedToDesktop = true;
        info.vgaCompatible = true;
        info.removable = false;
        info.mirroring = false;
        out.push_back(std::move(info));
    }
    return out;
}

Point QtScreens::cursorPos() const {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

TwipScale QtScreens::twipsPerPixel() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return {};
    return TwipScale::fromDpi(s->logicalDotsPerInchX(), s->logicalDotsPerInchY());
}

} // namespace tavrola
