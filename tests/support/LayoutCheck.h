// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One layout check for every window: each visible control lies inside its window, no two visible
// sibling controls overlap (unless the pair, by object names in either order, is listed as meant to),
// and no caption is cut off at its font. Returns one line per problem; empty when the layout is sound.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>

namespace tavrola::testing {

namespace layout_detail {

inline QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// Qt's own insides (scroll-area viewports, spin-box editors ...) are not controls of the window.
inline bool isControl(const QWidget* w) {
    return w->isVisible() && !w->objectName().startsWith(QLatin1String("qt_")) && !w->isWindow();
}

inline int widestLine(const QFontMetrics& fm, QString text) {
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, fm.horizontalAdvance(line));
    return widest;
}

// The caption of a control and the width it has for it; a negative room when there is no caption.
inline int captionExcess(const QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    const QStyle* s = w->style();
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->wordWrap() || l->text().isEmpty() || l->textFormat() == Qt::RichText ||
            Qt::mightBeRichText(l->text()))
            return 0;
        return widestLine(fm, l->text()) - (l->contentsRect().width() - 2 * l->margin());
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        if (b->text().isEmpty())
            return 0;
        int room = b->width();
        if (qobject_cast<const QPushButton*>(b))
            room -= s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b);
        else if (qobject_cast<const QCheckBox*>(b))
            room -= s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) +
                    s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
        else if (qobject_cast<const QRadioButton*>(b))
            room -= s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, b) +
                    s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, b);
        if (!b->icon().isNull())
            room -= b->iconSize().width();
        return widestLine(fm, b->text()) - room;
    }
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title().isEmpty() ? 0 : widestLine(fm, g->title()) - g->width();
    return 0;
}

} // namespace layout_detail

inline QStringList layoutProblems(const QWidget* window,
                                  const QSet<QPair<QString, QString>>& allowedOverlaps = {}) {
    using namespace layout_detail;
    QStringList problems;
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QWidget* a = all[i];
        if (!isControl(a) || !a->parentWidget()->isVisible())
            continue;
        const QRect inWindow(a->mapTo(window, QPoint()), a->size());
        if (!window->rect().contains(inWindow))
            problems << QStringLiteral("%1 lies outside the window").arg(nameOf(a));
        if (const int excess = captionExcess(a); excess > 0)
            problems << QStringLiteral("%1's caption is cut off by %2 px").arg(nameOf(a)).arg(excess);
        for (qsizetype j = i + 1; j < all.size(); ++j) {
            const QWidget* b = all[j];
            if (b->parentWidget() != a->parentWidget() || !isControl(b) ||
                !a->geometry().intersects(b->geometry()))
                continue;
            if (allowedOverlaps.contains({a->objectName(), b->objectName()}) ||
                allowedOverlaps.contains({b->objectName(), a->objectName()}))
                continue;
            problems << QStringLiteral("%1 overlaps %2").arg(nameOf(a), nameOf(b));
        }
    }
    return problems;
}

} // namespace tavrola::testing

// In a QtTest: fails naming every problem, e.g. TAVROLA_VERIFY_LAYOUT(&window, {{"marker", "picture"}}).
#define TAVROLA_VERIFY_LAYOUT(...)                                                                                \
    do {                                                                                                          \
        const QStringList layoutProblems_ = ::tavrola::testing::layoutProblems(__VA_ARGS__);                      \
        QVERIFY2(layoutProblems_.isEmpty(), qPrintable(layoutProblems_.join(QStringLiteral("; "))));              \
    } while (false)
