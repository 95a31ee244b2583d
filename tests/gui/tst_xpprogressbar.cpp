#include "gui/widgets/XP_ProgressBar.h"

#include <QtTest>

using tavrola::XP_ProgressBar;

class TestXpProgressBar : public QObject {
    Q_OBJECT

    static QImage picture(XP_ProgressBar& bar) { return bar.grab().toImage(); }

private slots:
    void valueIsKeptAsAPercentage() {
        XP_ProgressBar bar;
        QCOMPARE(bar.Max(), 100);
        QCOMPARE(bar.BrushStyle(), 4);
        bar.setMax(50);
        bar.setValue(25);
        QCOMPARE(bar.percent(), 50);
        QCOMPARE(bar.Value(), 25);
        bar.setMax(100);
        bar.setValue(150);
        QCOMPARE(bar.percent(), 100);
        QCOMPARE(bar.text(), QString("100 %"));
        bar.setMax(0); // an empty range shows nothing rather than dividing by zero
        bar.setValue(7);
        QCOMPARE(bar.percent(), 0);
        QCOMPARE(bar.Value(), 0);
    }

    void textFollowsTheLook() {
        XP_ProgressBar bar;
        bar.setValue(42);
        QCOMPARE(bar.text(), QString("42 %"));
        bar.setScrolling(2);
        QCOMPARE(bar.text(), QString("Searching.."));
        bar.setValue(0);
        QCOMPARE(bar.text(), QString("Searching.."));
    }

    void textIsDrawnOnlyWhenAsked() {
        XP_ProgressBar bar;
        bar.resize(200, 22);
        bar.setValue(30);
        const QImage plain = picture(bar);
        bar.setShowText(true);
        QVERIFY(picture(bar) != plain);
    }

    void lookSixSitsOnBlackTheOthersOnWhite() {
        XP_ProgressBar bar;
        bar.resize(200, 22);
        bar.setValue(10);
        for (int look = 0; look < 10; ++look) {
            bar.setScrolling(look);
            const QImage img = picture(bar);
            if (look == 6) {
                QCOMPARE(img.pixelColor(0, 0), QColor(Qt::black));
                QCOMPARE(img.pixelColor(180, 1), QColor(Qt::black));
            } else {
                // The corner outside the rounded look, or the empty track of the others.
                QCOMPARE(img.pixelColor(look == 9 ? 0 : 180, look == 9 ? 0 : 14), QColor(Qt::white));
            }
        }
    }

    void everyLookFillsAsFarAsTheValue_data() {
        QTest::addColumn<int>("look");
        for (int look = -1; look <= 10; ++look)
            QTest::newRow(qPrintable(QString("look %1").arg(look))) << look;
    }
    void everyLookFillsAsFarAsTheValue() {
        QFETCH(int, look);
        XP_ProgressBar bar;
        bar.resize(200, 22);
        bar.setColor(0x00C000);
        bar.setScrolling(look);
        bar.setValue(50);
        const QImage img = picture(bar);
        const QColor background = look == 6 ? QColor(Qt::black) : QColor(Qt::white);
        int coloured = 0;
        for (int x = 10; x < 90; ++x)
            coloured += img.pixelColor(x, 11) != background && img.pixelColor(x, 11) != QColor(240, 240, 240);
        QVERIFY2(coloured > 30, qPrintable(QString::number(coloured)));
        // Beyond the value the track is empty (look 6 keeps dim segments).
        if (look != 6)
            QCOMPARE(img.pixelColor(160, 11).green(), img.pixelColor(160, 11).red());
    }

    void verticalBarFillsFromTheBottom() {
        XP_ProgressBar bar;
        bar.resize(22, 200);
        bar.setOrientation(1);
        bar.setColor(0x0000C0);
        bar.setValue(25);
        const QImage img = picture(bar);
        QVERIFY(img.pixelColor(11, 190) != QColor(Qt::white));
        QCOMPARE(img.pixelColor(11, 20), QColor(Qt::white));
    }
};

QTEST_MAIN(TestXpProgressBar)
#include "tst_xpprogressbar.moc"
