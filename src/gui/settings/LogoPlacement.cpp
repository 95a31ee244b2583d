// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/LogoPlacement.h"

#include "core/desktop/TwipScale.h"
#include "core/settings/SettingsRules.h"
#include "gui/platform/LocalText.h"

#include <QDir>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tavrola {

namespace sf = settingsform;

namespace {

constexpr int kPreviewWidth = 620;
constexpr int kPreviewHeight = 500;
constexpr int kBarThickness = 17;
constexpr int kPreviewLabelRow = 20;

// The preview shows the designed window's twips at the usual 96 dots per inch.
constexpr TwipScale kPreviewScale{};

QScrollBar* positionSlider(QWidget* parent, const char* name, Qt::Orientation o) {
    auto* s = new QScrollBar(o, parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(sf::kPositionMin, sf::kPositionMax);
    s->setValue(sf::kPositionMin);
    return s;
}

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

LogoPlacement::LogoPlacement(QWidget* parent)
    : QWidget(parent), m_preview(new QFrame(this)), m_button(new QPushButton(QStringLiteral("LOGO"), m_preview)),
      m_left(positionSlider(m_preview, "HScroll1", Qt::Horizontal)),
      m_top(positionSlider(m_preview, "VScroll1", Qt::Vertical)), m_leftText(namedLabel(m_preview, "LblHScroll1")),
      m_topText(namedLabel(m_preview, "LblVScroll1")),
      m_target(namedLabel(m_preview, "LlbTarget1", QStringLiteral("+"))), m_path(new QLineEdit(this)) {
    setObjectName(QStringLiteral("LogoPlacement"));
    m_preview->setObjectName(QStringLiteral("Picture1"));
    m_preview->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_button->setObjectName(QStringLiteral("cmdLOGO"));
    m_button->setToolTip(QStringLiteral("Pilih Logo berformat GIF / GIF Animation sahaja..."));
    m_button->setAutoDefault(false);
    m_path->setObjectName(QStringLiteral("txtPath"));
    m_preview->setFixedSize(kPreviewWidth, kPreviewHeight);
    layOutPreview();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18); // as the settings window's columns
    column->addWidget(m_preview);
    column->addWidget(m_path);

    connect(m_left, &QScrollBar::valueChanged, this, &LogoPlacement::moveLeft);
    connect(m_top, &QScrollBar::valueChanged, this, &LogoPlacement::moveTop);
    connect(m_button, &QPushButton::clicked, this, &LogoPlacement::chooseRequested);
}

void LogoPlacement::layOutPreview() {
    // The preview keeps the clock's twips one to one (15 per pixel): the "+" marker sits where the
    // logo's corner is and leaves the preview for positions beyond it.
    const int w = kPreviewWidth;
    const int h = kPreviewHeight;
    const int barsTop = h - kPreviewLabelRow - kBarThickness;
    m_button->setGeometry(0, 0, w - kBarThickness, barsTop);
    m_top->setGeometry(w - kBarThickness, 0, kBarThickness, barsTop);
    m_left->setGeometry(0, barsTop, w - kBarThickness, kBarThickness);
    m_leftText->setGeometry(4, h - kPreviewLabelRow, 160, kPreviewLabelRow);
    m_topText->setGeometry(w - 164, h - kPreviewLabelRow, 160, kPreviewLabelRow);
    m_topText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_target->setAlignment(Qt::AlignCenter);
    QFont f = m_target->font();
    f.setBold(true);
    m_target->setFont(f);
    m_target->resize(m_target->sizeHint());
    m_target->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_target->raise();
}

void LogoPlacement::reset() {
    const QSignalBlocker quietLeft(m_left);
    const QSignalBlocker quietTop(m_top);
    m_left->setValue(sf::kPositionMin);
    m_top->setValue(sf::kPositionMin);
    m_leftText->clear();
    m_topText->clear();
    m_target->move(0, 0);
    m_path->clear();
    m_picture = QPixmap();
    m_button->setIcon(QIcon());
}

void LogoPlacement::moveLeft(int value) {
    emit leftChanged(value);
    m_target->move(kPreviewScale.toPixelsX(value), m_target->y());
    m_leftText->setText(QString::number(value));
}

void LogoPlacement::moveTop(int value) {
    emit topChanged(value);
    m_target->move(m_target->x(), kPreviewScale.toPixelsY(value));
    m_topText->setText(QString::number(value));
}

namespace {

// A stored 0 equals the slider's start and raises no change, yet the logo must still go there.
template <typename Move> void loadPosition(QLabel* caption, QScrollBar* s, const QString& stored, Move move) {
    caption->setText(stored);
    const auto v = sf::sliderPositionFor(fromQt(stored), s->minimum(), s->maximum());
    if (!v)
        return;
    if (s->value() == *v)
        move(*v);
    else
        s->setValue(*v);
}

} // namespace

void LogoPlacement::loadLeft(const QString& stored) {
    loadPosition(m_leftText, m_left, stored, [this](int v) { moveLeft(v); });
}

void LogoPlacement::loadTop(const QString& stored) {
    loadPosition(m_topText, m_top, stored, [this](int v) { moveTop(v); });
}

QString LogoPlacement::leftText() const {
    return m_leftText->text();
}

QString LogoPlacement::topText() const {
    return m_topText->text();
}

void LogoPlacement::setPath(const QString& path) {
    m_path->setText(path);
}

QString LogoPlacement::path() const {
    return m_path->text();
}

void LogoPlacement::takeDecoded(const QString& path, const QPixmap& picture) {
    if (picture.isNull())
        return;
    m_decodedPath = QDir::fromNativeSeparators(path);
    m_decodedPicture = picture;
}

void LogoPlacement::showPicture(const QString& path) {
    // The clock's own logo is not decoded a second time.
    QPixmap picture;
    if (!m_decodedPath.isEmpty() && QDir::fromNativeSeparators(path) == m_decodedPath)
        picture = m_decodedPicture;
    else if (path.isEmpty() || !picture.load(path) || picture.isNull())
        return;
    m_picture = picture;
    m_button->setIcon(QIcon(picture));
    // Shown at its own size, or shrunk to fit the button.
    const QSize room = (m_button->size() - QSize(16, 16)).expandedTo(QSize(1, 1));
    QSize shown = picture.size();
    if (shown.width() > room.width() || shown.height() > room.height())
        shown.scale(room, Qt::KeepAspectRatio);
    m_button->setIconSize(shown);
}

} // namespace tavrola
