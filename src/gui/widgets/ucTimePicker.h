// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTime>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace tavrola {

// A time-of-day box ("HH:MM") with one-minute up and down buttons. Typing is forgiving: the text is
// read when the box loses the focus and out-of-range parts are clamped. `Enabled` is the widget's
// own enabled state, which its three parts follow.
class ucTimePicker : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QTime Value READ Value WRITE setValue NOTIFY Change)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)

public:
    explicit ucTimePicker(QWidget* parent = nullptr);

    QTime Value() const { return m_value; }
    void setValue(const QTime& value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Change();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void cmdUp_Click();
    void cmdDown_Click();
    // Reads the typed text; runs when the box loses the focus.
    void txtTime_Validate();

private:
    void showValue();
    void step(int minutes);

    QLineEdit* const txtTime;
    QPushButton* const cmdUp;
    QPushButton* const cmdDown;
    QTime m_value;
};

} // namespace tavrola
