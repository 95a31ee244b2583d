#include "gui/widgets/ucTimePicker.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using tavrola::ucTimePicker;

class TestUcTimePicker : public QObject {
    Q_OBJECT

    static void leaveBox(ucTimePicker& p, Qt::FocusReason reason = Qt::TabFocusReason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(p.txtTime, &out);
    }
    static QString typeAndLeave(ucTimePicker& p, const QString& keys) {
        p.txtTime->clear();
        QTest::keyClicks(p.txtTime, keys);
        leaveBox(p);
        return p.txtTime->text();
    }

private slots:
    void partsAreNamedAndStartWithTheCurrentTime() {
        ucTimePicker p;
        QVERIFY(p.findChild<QLineEdit*>("txtTime"));
        QCOMPARE(p.findChild<QPushButton*>("cmdUp")->text(), QString(QChar(0x25B2)));
        QCOMPARE(p.findChild<QPushButton*>("cmdDown")->text(), QString(QChar(0x25BC)));
        QVERIFY(qAbs(p.Value().secsTo(QTime::currentTime())) < 5);
        QCOMPARE(p.Value().msec(), 0);
        QCOMPARE(p.txtTime->text(), p.Value().toString("HH:mm"));
    }

    void keysAreFilteredWhileTyping() {
        ucTimePicker p;
        p.txtTime->clear();
        QTest::keyClicks(p.txtTime, "1a2-3 4/5.6:7x");
        QCOMPARE(p.txtTime->text(), QString("12:34:5:6:7"));
        QTest::keyClick(p.txtTime, Qt::Key_Backspace);
        QCOMPARE(p.txtTime->text(), QString("12:34:5:6:"));
    }

    void typedTextIsValidatedWhenTheBoxIsLeft_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("decimal point") << "7.5"
                                       << "07:05";
        QTest::newRow("too large") << "25:70"
                                   << "23:59";
        QTest::newRow("no minutes") << "6:"
                                    << "06:00";
        QTest::newRow("huge hour") << "99999:1"
                                   << "23:01";
        QTest::newRow("no separator keeps") << "2200"
                                            << "10:15";
        QTest::newRow("empty keeps") << ""
                                     << "10:15";
    }
    void typedTextIsValidatedWhenTheBoxIsLeft() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        ucTimePicker p;
        p.setValue(QTime(10, 15, 42));
        QSignalSpy change(&p, &ucTimePicker::Change);
        QCOMPARE(typeAndLeave(p, typed), shown);
        QCOMPARE(change.count(), 1); // also when the value was kept
        QCOMPARE(p.Value().toString("HH:mm"), shown);
        if (shown != "10:15")
            QCOMPARE(p.Value().second(), 0);
        else
            QCOMPARE(p.Value().second(), 42);
    }

    void pastedTextIsReadWithItsOwnSeparators() {
        ucTimePicker p;
        p.txtTime->setText("12 30");
        leaveBox(p);
        QCOMPARE(p.txtTime->text(), QString("12:30"));
        p.txtTime->setText("-5/3");
        leaveBox(p);
        QCOMPARE(p.txtTime->text(), QString("00:05"));
        // Opening the context menu to paste is not leaving the box.
        p.txtTime->setText("12 3");
        leaveBox(p, Qt::PopupFocusReason);
        QCOMPARE(p.txtTime->text(), QString("12 3"));
    }

    void buttonsStepOneMinuteAndWrap() {
        ucTimePicker p;
        p.setValue(QTime(23, 59, 30));
        QSignalSpy change(&p, &ucTimePicker::Change);
        p.cmdUp->click();
        QCOMPARE(p.txtTime->text(), QString("00:00"));
        QCOMPARE(p.Value(), QTime(0, 0, 30));
        p.cmdDown->click();
        QCOMPARE(p.txtTime->text(), QString("23:59"));
        QCOMPARE(change.count(), 2);
    }

    void disabledPickerIgnoresEverything() {
        ucTimePicker p;
        p.setValue(QTime(8, 0));
        p.setProperty("Enabled", false);
        QVERIFY(!p.txtTime->isEnabled() && !p.cmdUp->isEnabled() && !p.cmdDown->isEnabled());
        QSignalSpy change(&p, &ucTimePicker::Change);
        p.cmdUp->click();
        QTest::keyClicks(p.txtTime, "9");
        QCOMPARE(p.txtTime->text(), QString("08:00"));
        QCOMPARE(change.count(), 0);
        p.setProperty("Enabled", true);
        QVERIFY(p.cmdUp->isEnabled());
    }

    void layoutKeepsMinimumWidthAndStacksTheButtons() {
        ucTimePicker p;
        p.show();
        p.resize(300, 31);
        QCOMPARE(p.cmdUp->geometry(), QRect(275, 0, 25, 15));
        QCOMPARE(p.cmdDown->geometry(), QRect(275, 15, 25, 15));
        QCOMPARE(p.txtTime->geometry(), QRect(0, 0, 273, 31));
        p.resize(50, 25);
        QCOMPARE(p.width(), 160);
        QCOMPARE(p.cmdUp->geometry().right(), 159);
    }
};

QTEST_MAIN(TestUcTimePicker)
#include "tst_uctimepicker.moc"
