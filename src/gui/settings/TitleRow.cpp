// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/TitleRow.h"

#include "core/settings/SettingsRules.h"
#include "gui/platform/LocalText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

namespace tavrola {

namespace sf = settingsform;

namespace {
constexpr int kBarThickness = 17;
constexpr int kSizeBoxWidth = 44;
constexpr int kSliderHeight = 48;
constexpr int kGapAfter = 14;
} // namespace

TitleRow::TitleRow(QWidget* window, const Names& names)
    : QObject(window), m_caption(new QLabel(QString::fromUtf8(names.caption), window)),
      m_text(new QLineEdit(window)), m_sizeCaption(new QLabel(QString::fromUtf8(names.sizeCaption), window)),
      m_size(new QLineEdit(window)), m_slider(new QScrollBar(Qt::Vertical, window)) {
    m_caption->setObjectName(QString::fromLatin1(names.captionName));
    m_text->setObjectName(QString::fromLatin1(names.text));
    m_text->setToolTip(QString::fromUtf8(names.textTip));
    if (names.textMaxLength > 0)
        m_text->setMaxLength(names.textMaxLength);
    m_sizeCaption->setObjectName(QString::fromLatin1(names.sizeCaptionName));
    m_size->setObjectName(QString::fromLatin1(names.size));
    m_size->setToolTip(QStringLiteral("Numbor sahaja..."));
    m_size->setMaxLength(sf::kSizeMaxLength);
    m_slider->setObjectName(QString::fromLatin1(names.slider));
    m_slider->setRange(sf::kSizeMin, sf::kSizeMax);
    m_slider->setValue(sf::kSizeMin);
    connect(m_slider, &QScrollBar::valueChanged, m_size, [this](int v) { m_size->setText(QString::number(v)); });
}

void TitleRow::addTo(QGridLayout* grid, int row) {
    m_size->setFixedWidth(kSizeBoxWidth);
    m_slider->setFixedSize(kBarThickness, kSliderHeight);
    grid->addWidget(m_caption, row, 0);
    grid->addWidget(m_sizeCaption, row, 1);
    grid->addWidget(m_text, row + 1, 0);
    grid->addWidget(m_size, row + 1, 1);
    grid->addWidget(m_slider, row, 2, 2, 1, Qt::AlignBottom);
    grid->setRowMinimumHeight(row + 2, kGapAfter);
}

void TitleRow::reset() {
    const QSignalBlocker quiet(m_slider);
    m_text->clear();
    m_size->clear();
    m_slider->setValue(sf::kSizeMin);
}

void TitleRow::load(const QString& text, const QString& size) {
    m_text->setText(text);
    m_size->setText(size);
    // The number is read from the box, after its limit cut the text ("100" is "10" by now).
    if (const auto v = sf::sliderPositionFor(fromQt(m_size->text()), m_slider->minimum(), m_slider->maximum()))
        m_slider->setValue(*v);
}

QString TitleRow::text() const {
    return m_text->text();
}

QString TitleRow::sizeText() const {
    return m_size->text();
}

} // namespace tavrola
