// The small controls: what each does with mouse, keys and time, and one panel of all of them laid out.
#include "fakes/FakeDialogs.h"
#include "gui/widgets/CandyButton.h"
#include "gui/widgets/EventWatch.h"
#include "gui/widgets/XP_ProgressBar.h"
#include "gui/widgets/clsDialog.h"
#include "gui/widgets/ucFirefoxWait.h"
#include "gui/widgets/ucTimePicker.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QEnterEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrola;

namespace {
void hover(QWidget& w) {
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&w, &e);
}
} // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void candyButtonClicksOnlyWhenReleasedOverIt() {
        CandyButton b;
        b.show();
        QSignalSpy click(&b, &CandyButton::Click);
        QSignalSpy dbl(&b, &CandyButton::DblClick);
        hover(b);
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(b.drawState(), int(CandyButton::StatePressed));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(click.count(), 1);
        // Dragged off before the release: no click, no hover left behind.
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(-4, 10), QPointF(-4, 10), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&b, &move);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(-4, 10));
        QCOMPARE(click.count(), 1);
        QVERIFY(!b.isHovered());
        // A double click is one click and one double click, as on the desktop.
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                           Qt::LeftButton, {});
        QCoreApplication::sendEvent(&b, &second);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(click.count(), 2);
        QCOMPARE(dbl.count(), 1);
        QTest::keyClick(&b, Qt::Key_Return);
        QCOMPARE(click.count(), 3);
        b.setEnabled(false);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::keyClick(&b, Qt::Key_Return);
        QCOMPARE(click.count(), 3);
    }

    void candyButtonStylesTwoToSevenAreShaped() {
        CandyButton b;
        b.resize(100, 30);
        b.show();
        for (int style = 0; style <= 7; ++style) {
            b.setStyle(style);
            QCOMPARE(!b.mask().isEmpty(), style >= 2);
            if (style >= 2)
                QVERIFY(!b.mask().contains(QPoint(0, 0)) && b.mask().contains(QPoint(50, 15)));
        }
        b.resize(200, 40); // the outline follows the size
        QVERIFY(b.mask().contains(QPoint(150, 20)));
    }

    void firefoxWaitCyclesEightFramesOnItsBackground() {
        ucFirefoxWait w;
        const QImage first = w.currentPicture();
        const QRgb background = w.picSource.pixel(17, 17);
        for (int tick = 1; tick <= 8; ++tick) {
            w.tmrPlay_Timer();
            QCOMPARE(w.currentPicture() == first, tick == 8);
        }
        w.setBackColor(0x0000FF); // red
        const QImage tinted = w.currentPicture();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                QCOMPARE(tinted.pixel(x, y),
                         first.pixel(x, y) == background ? qRgb(255, 0, 0) : first.pixel(x, y));
        w.PlayWait();
        QTRY_VERIFY(w.frame() != 0);
        w.StopWait();
        QCOMPARE(w.frame(), 0);
    }

    void timePickerReadsWhatIsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("filtered keys") << "1a2-3 4/5.6:7x"
                                       << "12:34";
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
    void timePickerReadsWhatIsTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        ucTimePicker p;
        p.setValue(QTime(10, 15, 42));
        QSignalSpy change(&p, &ucTimePicker::Change);
        p.txtTime->clear();
        QTest::keyClicks(p.txtTime, typed);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(p.txtTime, &out);
        QCOMPARE(p.txtTime->text(), shown);
        QCOMPARE(p.Value().toString("HH:mm"), shown);
        QCOMPARE(change.count(), 1);
    }

    void timePickerPasteStepsAndDisabling() {
        ucTimePicker p;
        p.txtTime->setText("-5/3"); // pasted: read with its own separators
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(p.txtTime, &out);
        QCOMPARE(p.txtTime->text(), QString("00:05"));
        p.txtTime->setText("12 3"); // opening the context menu to paste is not leaving the box
        QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(p.txtTime, &popup);
        QCOMPARE(p.txtTime->text(), QString("12 3"));
        p.setValue(QTime(23, 59, 30));
        p.cmdUp->click();
        QCOMPARE(p.Value(), QTime(0, 0, 30));
        p.cmdDown->click();
        QCOMPARE(p.txtTime->text(), QString("23:59"));
        p.setProperty("Enabled", false);
        p.cmdUp->click();
        QCOMPARE(p.txtTime->text(), QString("23:59"));
    }

    void progressBarFillsAsFarAsTheValue_data() {
        QTest::addColumn<int>("look");
        for (int look = -1; look <= 10; ++look)
            QTest::addRow("look %d", look) << look;
    }
    void progressBarFillsAsFarAsTheValue() {
        QFETCH(int, look);
        XP_ProgressBar bar;
        bar.resize(200, 22);
        bar.setColor(0x00C000);
        bar.setScrolling(look);
        bar.setValue(50);
        const QImage img = bar.grab().toImage();
        const QColor background = look == 6 ? QColor(Qt::black) : QColor(Qt::white);
        int coloured = 0;
        for (int x = 10; x < 90; ++x)
            coloured += img.pixelColor(x, 11) != background && img.pixelColor(x, 11) != QColor(240, 240, 240);
        QVERIFY2(coloured > 30, qPrintable(QString::number(coloured)));
        if (look != 6) // beyond the value the track is empty (look 6 keeps dim segments)
            QCOMPARE(img.pixelColor(160, 11).green(), img.pixelColor(160, 11).red());
        bar.setMax(0); // an empty range shows nothing rather than dividing by zero
        bar.setValue(7);
        QCOMPARE(bar.percent(), 0);
    }

    void eventWatchRunsOnItsSideOfTheWidgetsHandling() {
        struct Recorder : QWidget {
            QStringList* log = nullptr;
            void keyPressEvent(QKeyEvent*) override { log->append("own"); }
        };
        QStringList log;
        Recorder w;
        w.log = &log;
        EventWatch watch("Recorder", [&](QEvent*, EventWatch::When when) {
            log.append(when == EventWatch::When::Before ? "before" : "after");
        });
        watch.start(&w);
        watch.addEvent(QEvent::KeyPress, EventWatch::When::Before);
        QTest::keyClick(&w, Qt::Key_A);
        watch.removeEvent(QEvent::KeyPress, EventWatch::When::Before);
        watch.addEvent(QEvent::KeyPress, EventWatch::When::After);
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(log, QStringList({"before", "own", "own", "after"}));
        QVERIFY_THROWS_EXCEPTION(MessageWatchError, watch.start(&w));
        watch.stop();
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(log.size(), 5);
    }

    void fileDialogGetsTheFiltersAndOwner() {
        fakes::FakeDialogs dialogs;
        dialogs.nextOpenFile = "/prog/logo/masjid.gif";
        QWidget owner;
        clsDialog dlg(dialogs);
        const QString filter = "Images Files(*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif|All Files (*.*)|*.*|";
        QCOMPARE(dlg.ShowOpen(&owner, "Select Logo Image", "/prog", filter, clsDialog::OFN_FILEMUSTEXIST),
                 QString("/prog/logo/masjid.gif"));
        const OpenFileRequest r = dialogs.openRequests.front();
        QVERIFY(r.mustExist);
        QCOMPARE(r.owner, static_cast<void*>(&owner));
        QCOMPARE(r.filters.size(), std::size_t(2));
        QCOMPARE(r.initialFolder, std::string("/prog"));
    }

    void panelOfEveryControlLaysOutCleanly() {
        QWidget panel;
        auto* grid = new QGridLayout(&panel);
        auto* picker = new ucTimePicker;
        grid->addWidget(picker, 0, 0);
        for (int look = 0; look < 10; ++look) {
            auto* bar = new XP_ProgressBar;
            bar->setScrolling(look);
            bar->setValue(look * 10);
            bar->setShowText(true);
            grid->addWidget(bar, 1 + look / 2, look % 2);
        }
        for (int style = 0; style < 8; ++style) {
            auto* b = new CandyButton;
            b->setStyle(style);
            b->setCaption(QString("Style %1").arg(style));
            b->setMinimumSize(110, 30);
            grid->addWidget(b, 6 + style / 2, style % 2);
        }
        grid->addWidget(new ucFirefoxWait, 10, 0);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        TAVROLA_VERIFY_LAYOUT(&panel);
        if (const QByteArray out = qgetenv("TAVROLA_PANEL_PNG"); !out.isEmpty())
            QVERIFY(panel.grab().save(QString::fromLocal8Bit(out)));
    }
};

TAVROLA_QTEST(TestControls)
#include "tst_controls.moc"
