// SPDX-License-Identifier: GPL-3.0-or-later
// The time picker with keys and its buttons; its layout is checked inside the settings window.
#include "gui/widgets/ucTimePicker.h"
#include "support/QtTestRegistry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrola;

class TestControls : public QObject {
    Q_OBJECT
private slots:
    // How typed text is read is TimeText's (core) business; here: the box uses it on leaving, its
    // buttons step round midnight, and a disabled picker stays as it is.
    void timePickerReadsWhatIsTypedAndSteps() {
        ucTimePicker p;
        p.setValue(QTime(10, 15, 42));
        QSignalSpy change(&p, &ucTimePicker::Change);
        auto* box = p.findChild<QLineEdit*>("txtTime");
        box->clear();
        QTest::keyClicks(box, "2a5:70"); // filtered, then clamped
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box, &out);
        QCOMPARE(box->text(), QString("23:59"));
        QCOMPARE(p.Value().toString("HH:mm"), QString("23:59"));
        QCOMPARE(change.count(), 1);
        box->setText("-5/3"); // pasted: read with its own separators
        QCoreApplication::sendEvent(box, &out);
        QCOMPARE(box->text(), QString("00:05"));
        box->setText("12 3"); // opening the context menu to paste is not leaving the box
        QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(box, &popup);
        QCOMPARE(box->text(), QString("12 3"));
        p.setValue(QTime(23, 59, 30));
        p.findChild<QPushButton*>("cmdUp")->click();
        QCOMPARE(p.Value(), QTime(0, 0, 30));
        p.findChild<QPushButton*>("cmdDown")->click();
        QCOMPARE(box->text(), QString("23:59"));
        p.setProperty("Enabled", false);
        p.findChild<QPushButton*>("cmdUp")->click();
        QCOMPARE(box->text(), QString("23:59"));
    }
};

TAVROLA_QTEST(TestControls)
#include "tst_controls.moc"
