// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tavrola {

// The settings window's logo: a preview of the clock window (`Picture1`) whose button `cmdLOGO` shows
// the picture and chooses another, two sliders that place the logo's corner in twips, their values as
// text (what is saved), a "+" where the corner is, and the picture's path below (`txtPath`).
class LogoPlacement : public QWidget {
    Q_OBJECT
public:
    explicit LogoPlacement(QWidget* parent = nullptr);

    // As designed: no picture, no path, both sliders at 0 and their texts empty.
    void reset();
    // A stored position: its text is shown (and saved again as it is); the slider, and the clock's
    // logo through leftChanged/topChanged, follow a value within the sliders' range.
    void loadLeft(const QString& stored);
    void loadTop(const QString& stored);
    QString leftText() const;
    QString topText() const;

    void setPath(const QString& path);
    QString path() const;

    // The clock's own decoded logo, so that the preview need not decode its file again.
    void takeDecoded(const QString& path, const QPixmap& picture);
    // Shows the picture at `path` in the button; whatever cannot be shown leaves it as it was.
    void showPicture(const QString& path);
    const QPixmap& picture() const { return m_picture; }

signals:
    void leftChanged(int twips);
    void topChanged(int twips);
    void chooseRequested();

private:
    void layOutPreview();
    void moveLeft(int value);
    void moveTop(int value);

    QFrame* m_preview;
    QPushButton* m_button;
    QScrollBar* m_left;
    QScrollBar* m_top;
    QLabel* m_leftText;
    QLabel* m_topText;
    QLabel* m_target;
    QLineEdit* m_path;
    QPixmap m_picture;
    QString m_decodedPath;
    QPixmap m_decodedPicture;
};

} // namespace tavrola
