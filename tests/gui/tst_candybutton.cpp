#include "gui/widgets/CandyButton.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QtTest>

using tavrola::CandyButton;
using tavrola::CandyScheme;

class TestCandyButton : public QObject {
    Q_OBJECT

    static void hover(CandyButton& b) {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&b, &e);
    }
    static void unhover(CandyButton& b) {
        QEvent e(QEvent::Leave);
        QCoreApplication::sendEvent(&b, &e);
    }
    static CandyScheme colours(const CandyButton& b) {
        return {b.ColorButtonUp(), b.ColorButtonHover(), b.ColorButtonDown(), b.ColorBright()};
    }

private slots:
    void defaultsAndClampedProperties() {
        CandyButton b;
        b.setObjectName("CandyButton1");
        QCOMPARE(b.Caption(), QString("CandyButton1"));
        b.setCaption("OK");
        QCOMPARE(b.Caption(), QString("OK"));
        QVERIFY(colours(b) == tavrola::kCandyDefaultColours);
        QCOMPARE(b.CaptionHighLiteColor(), 65280u);
        QCOMPARE(b.Style(), 0);
        b.setProperty("BorderBrightness", 150); // also by its saved name
        QCOMPARE(b.BorderBrightness(), 100);
        b.setBorderBrightness(-150);
        QCOMPARE(b.BorderBrightness(), -100);
    }

    void colourSchemesLoadPresetsOnly() {
        CandyButton b;
        b.setColorScheme(4);
        QVERIFY((colours(b) == CandyScheme{0x000080, 0x0000A0, 0x0000F0, 0x0000FF}));
        b.setColorButtonUp(0x123456);
        for (int none : {0, 7, -3}) {
            b.setColorScheme(none);
            QCOMPARE(b.ColorScheme(), none);
            QCOMPARE(b.ColorButtonUp(), 0x123456u);
        }
    }

    void hoverComesFromEnterAndLeave() {
        CandyButton b;
        QSignalSpy entered(&b, &CandyButton::MouseEnter);
        QSignalSpy left(&b, &CandyButton::MouseLeave);
        hover(b);
        hover(b); // already inside: no second event
        QVERIFY(b.isHovered());
        QCOMPARE(b.drawState(), int(CandyButton::StateHover));
        unhover(b);
        QCOMPARE(entered.count(), 1);
        QCOMPARE(left.count(), 1);
        QCOMPARE(b.drawState(), int(CandyButton::StateNormal));
    }

    void pressAndReleaseStates() {
        CandyButton b;
        b.show();
        QSignalSpy click(&b, &CandyButton::Click);
        QSignalSpy down(&b, &CandyButton::MouseDown);
        hover(b);
        QTest::mousePress(&b, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
        QCOMPARE(b.drawState(), int(CandyButton::StatePressed));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), 1); // left
        QCOMPARE(down.at(0).at(1).toInt(), 1); // shift
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(b.drawState(), int(CandyButton::StateHover));
        QCOMPARE(click.count(), 1);

        unhover(b);
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(b.drawState(), int(CandyButton::StateReleased));
        QCOMPARE(click.count(), 2);
    }

    void doubleClickIsOneClickAndOneDblClick() {
        CandyButton b;
        b.show();
        QSignalSpy click(&b, &CandyButton::Click);
        QSignalSpy dbl(&b, &CandyButton::DblClick);
        // The desktop's order: press, release, double click, release.
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                           Qt::LeftButton, {});
        QCoreApplication::sendEvent(&b, &second);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(click.count(), 1);
        QCOMPARE(dbl.count(), 1);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(click.count(), 2);
    }

    void draggingOutsideDropsTheHoverAndGivesNoClick() {
        CandyButton b;
        b.show();
        QSignalSpy click(&b, &CandyButton::Click);
        hover(b);
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(-4, 10), QPointF(-4, 10), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&b, &move);
        QVERIFY(!b.isHovered());
        QCOMPARE(b.drawState(), int(CandyButton::StateNormal));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(-4, 10));
        QCOMPARE(click.count(), 0);
    }

    void checkedStaysCheckedThroughHoverAndRelease() {
        CandyButton b;
        b.show();
        b.setChecked(true);
        hover(b);
        QCOMPARE(b.drawState(), int(CandyButton::StateChecked));
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(b.drawState(), int(CandyButton::StateChecked));
        unhover(b);
        QCOMPARE(b.drawState(), int(CandyButton::StateChecked));
        b.setChecked(false);
        QCOMPARE(b.drawState(), int(CandyButton::StateNormal));
    }

    void enterKeyPressesAndClicks() {
        CandyButton b;
        b.show();
        QSignalSpy click(&b, &CandyButton::Click);
        QTest::keyPress(&b, Qt::Key_Return);
        QCOMPARE(b.drawState(), int(CandyButton::StatePressed));
        QTest::keyRelease(&b, Qt::Key_Return);
        QCOMPARE(click.count(), 1);
        QTest::keyClick(&b, Qt::Key_A);
        QCOMPARE(click.count(), 1);
    }

    void disabledButtonIgnoresMouseAndKeys() {
        CandyButton b;
        b.show();
        b.setEnabled(false);
        QSignalSpy click(&b, &CandyButton::Click);
        QSignalSpy entered(&b, &CandyButton::MouseEnter);
        hover(b);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::keyClick(&b, Qt::Key_Return);
        QCOMPARE(click.count(), 0);
        QCOMPARE(entered.count(), 0);
        QCOMPARE(b.drawState(), int(CandyButton::StateNormal));
    }

    void stylesTwoToSevenAreShaped() {
        CandyButton b;
        b.resize(100, 30);
        b.show();
        for (int style = 0; style <= 7; ++style) {
            b.setStyle(style);
            const bool shaped = style >= 2;
            QCOMPARE(!b.mask().isEmpty(), shaped);
            if (shaped) {
                QVERIFY2(!b.mask().contains(QPoint(0, 0)), qPrintable(QString::number(style)));
                QVERIFY(b.mask().contains(QPoint(50, 15)));
            }
        }
        b.setStyle(3);
        b.resize(200, 40); // the outline follows the size
        QVERIFY(b.mask().contains(QPoint(150, 20)));
        b.setStyle(1);
        QVERIFY(b.mask().isEmpty());
    }

    void eachStateLooksDifferent() {
        for (int style : {0, 1, 3, 6}) {
            CandyButton b;
            b.setStyle(style);
            b.resize(100, 30);
            b.show();
            const QImage normal = b.grab().toImage();
            hover(b);
            const QImage hovered = b.grab().toImage();
            QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
            const QImage pressed = b.grab().toImage();
            QVERIFY(normal != hovered);
            QVERIFY(hovered != pressed);
        }
    }
};

QTEST_MAIN(TestCandyButton)
#include "tst_candybutton.moc"
