// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace tavrola {

// One line of the clock's titles as the settings window edits it: its caption, the text, "Size font"
// with the size box, and the slider beside them that writes its position into the size box. The
// settings window has three: the two titles and the place. The controls belong to the window; their
// object names are the window's ("Text1", "Fontsais1", "VolScroll1", ...).
class TitleRow : public QObject {
    Q_OBJECT
public:
    struct Names {
        const char* caption;
        const char* captionName;
        const char* text;
        const char* textTip;
        const char* sizeCaption;
        const char* sizeCaptionName;
        const char* size;
        const char* slider;
        int textMaxLength; // 0: no limit
    };
    TitleRow(QWidget* window, const Names& names);

    // Adds the row's controls to the titles' grid at `row` (it takes three rows with the gap after).
    void addTo(QGridLayout* grid, int row);

    // As designed: both boxes empty, the slider at its start.
    void reset();
    // The stored text and size; the slider follows a size within its range (the box cuts an
    // over-long text to its limit first).
    void load(const QString& text, const QString& size);

    QString text() const;
    QString sizeText() const;

private:
    QLabel* m_caption;
    QLineEdit* m_text;
    QLabel* m_sizeCaption;
    QLineEdit* m_size;
    QScrollBar* m_slider;
};

} // namespace tavrola
