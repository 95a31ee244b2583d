// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QLabel>

#include <utility>

namespace tavrola {

// A time display in the seven-segment face. The text stays the plain time ("01:05:09 pm",
// "1:05 PM"); the am/pm part is drawn in a smaller letter face, since seven segments cannot draw
// an "m", and unlit segments glow faintly behind the digits like a real segment display.
class ClockFace : public QLabel {
    Q_OBJECT
public:
    explicit ClockFace(QWidget* parent = nullptr);

    void setSuffixFont(const QFont& font) { m_suffixFont = font; }
    // The suffix's height as a share of the digits' height.
    void setSuffixScale(double scale) { m_suffixScale = scale; }

    // Without a background of its own (no-background mode) black is see-through, so faint unlit
    // segments would show as dark bars over the desktop: they are left out then.
    void setShowUnlit(bool show) {
        if (show != m_showUnlit) {
            m_showUnlit = show;
            update();
        }
    }
    bool showUnlit() const { return m_showUnlit; }

    // The text split into digits and am/pm suffix (empty when there is none).
    static std::pair<QString, QString> split(const QString& text);

    // Sets the text and repaints only the digits that differ from the text shown.
    void showText(const QString& text);
    // Where `after` differs from `before` when drawn; the whole face when the layout moves.
    QRect changedRect(const QString& before, const QString& after) const;

signals:
    // After each paint; the start-up trace waits for the first.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Layout {
        QString digits;
        QString suffix;
        QFont suffixFont;
        int gap = 0;
        int digitsWidth = 0;
        int x = 0;
        int baseline = 0;
    };
    Layout layout(const QString& text) const;

    QFont m_suffixFont;
    double m_suffixScale = 0.4;
    bool m_showUnlit = true;
};

} // namespace tavrola
