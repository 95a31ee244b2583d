// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/ucTimePicker.h"

#include "core/desktop/TwipScale.h"
#include "core/controls/TimePickerText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tavrola {

namespace {
// The control's measures are kept in twips of a 96 dpi screen.
constexpr TwipScale kScale{};
int toPixels(int twips) {
    return kScale.toPixelsX(twips);
}
} // namespace

ucTimePicker::ucTimePicker(QWidget* parent)
    : QWidget(parent), txtTime(new QLineEdit(QStringLiteral("00:00"), this)),
      cmdUp(new QPushButton(QString(QChar(0x25B2)), this)),
      cmdDown(new QPushButton(QString(QChar(0x25BC)), this)) {
    txtTime->setObjectName(QStringLiteral("txtTime"));
    cmdUp->setObjectName(QStringLiteral("cmdUp"));
    cmdDown->setObjectName(QStringLiteral("cmdDown"));
    for (QPushButton* b : {cmdUp, cmdDown}) {
        QFont f = b->font();
        f.setPixelSize(7);
        b->setFont(f);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    txtTime->installEventFilter(this);
    connect(cmdUp, &QPushButton::clicked, this, &ucTimePicker::cmdUp_Click);
    connect(cmdDown, &QPushButton::clicked, this, &ucTimePicker::cmdDown_Click);

    setMinimumWidth(toPixels(kTimePickerMinWidthTwips));
    resize(sizeHint());
    const QTime now = QTime::currentTime();
    setValue(QTime(now.hour(), now.minute(), now.second()));
}

QSize ucTimePicker::sizeHint() const {
    return {toPixels(kTimePickerMinWidthTwips), toPixels(kTimePickerHeightTwips)};
}

QSize ucTimePicker::minimumSizeHint() const {
    return sizeHint();
}

void ucTimePicker::setValue(const QTime& value) {
    m_value = value.isValid() ? value : QTime(0, 0);
    showValue();
}

void ucTimePicker::showValue() {
    txtTime->setText(QString::fromStdString(formatHourMinute({m_value.hour(), m_value.minute()})));
}

void ucTimePicker::step(int minutes) {
    m_value = m_value.addSecs(minutes * 60); // wraps round midnight, seconds kept
    showValue();
    emit Change();
}

void ucTimePicker::cmdUp_Click() {
    step(1);
}
void ucTimePicker::cmdDown_Click() {
    step(-1);
}

void ucTimePicker::txtTime_Validate() {
    if (const auto t = parseTypedTime(txtTime->text().toStdString()))
        m_value = QTime(t->hour, t->minute, 0);
    showValue();
    emit Change();
}

bool ucTimePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtTime) {
        if (event->type() == QEvent::FocusOut) {
            // A context menu (to paste) or another window taking over is not the end of editing.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                txtTime_Validate();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            // Only typed characters are filtered; editing keys, Tab, Enter and shortcuts such as
            // paste keep working (pasted text is read when the box is left).
            if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                return false;
            const char32_t ch = text.toUcs4().value(0);
            if (ch < 0x20 || ch == 0x7F)
                return false;
            switch (filterTimeKey(ch)) {
            case TimeKey::Pass:
                return false;
            case TimeKey::EnterColon:
                txtTime->insert(QStringLiteral(":"));
                return true;
            case TimeKey::Discard:
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ucTimePicker::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const TimePickerLayout l = layoutTimePicker(kScale.toTwipsX(width()), kScale.toTwipsY(height()));
    txtTime->setGeometry(toPixels(l.textLeft), toPixels(l.textTop), toPixels(l.textWidth), height());
    const int buttonWidth = toPixels(l.buttonWidth);
    const int buttonHeight = height() / 2;
    cmdUp->setGeometry(width() - buttonWidth, 0, buttonWidth, buttonHeight);
    cmdDown->setGeometry(width() - buttonWidth, buttonHeight, buttonWidth, buttonHeight);
}

} // namespace tavrola
