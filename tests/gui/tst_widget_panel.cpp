// Lays every control of the widget set on one panel. Set TAVROLA_PANEL_PNG to a file name to keep a
// picture of it for looking over by eye.
#include "gui/widgets/CandyButton.h"
#include "gui/widgets/Downloader.h"
#include "gui/widgets/XP_ProgressBar.h"
#include "gui/widgets/ucFirefoxWait.h"
#include "gui/widgets/ucTimePicker.h"

#include "fakes/FakeHttpClient.h"

#include <QEnterEvent>
#include <QGridLayout>
#include <QLabel>
#include <QtTest>

using namespace tavrola;

class TestWidgetPanel : public QObject {
    Q_OBJECT
private slots:
    void everyControlFitsWithoutOverlap() {
        fakes::FakeHttpClient http;
        QWidget panel;
        panel.setStyleSheet("QWidget#panel { background: #e8e8e8; }");
        panel.setObjectName("panel");
        auto* grid = new QGridLayout(&panel);
        grid->setSpacing(8);
        int row = 0;

        auto* picker = new ucTimePicker;
        picker->setValue(QTime(23, 59));
        auto* pickerOff = new ucTimePicker;
        pickerOff->setValue(QTime(6, 5));
        pickerOff->setEnabled(false);
        grid->addWidget(new QLabel("ucTimePicker"), row, 0);
        grid->addWidget(picker, row, 1);
        grid->addWidget(pickerOff, row++, 2);

        const QList<int> values{0, 15, 42, 60, 75, 88, 50, 100, 33, 66};
        for (int look = 0; look < 10; ++look) {
            auto* bar = new XP_ProgressBar;
            bar->setScrolling(look);
            bar->setValue(values[look]);
            bar->setShowText(true);
            if (look == 5 || look == 8)
                bar->setColor(0x2090F0);
            if (look == 6)
                bar->setColor(0x00E000);
            grid->addWidget(new QLabel(QString("XP_ProgressBar %1").arg(look)), row + look / 2, (look % 2) * 2);
            grid->addWidget(bar, row + look / 2, (look % 2) * 2 + 1);
        }
        row += 5;

        QList<CandyButton*> buttons;
        for (int style = 0; style < 8; ++style) {
            auto* b = new CandyButton;
            b->setStyle(style);
            b->setColorScheme(style % 7);
            b->setCaption(QString("Style %1").arg(style));
            b->setMinimumSize(110, 30);
            buttons << b;
            grid->addWidget(b, row + style / 4, style % 4);
        }
        row += 2;
        buttons[5]->setChecked(true);
        buttons[7]->setEnabled(false);

        auto* spinners = new QWidget;
        auto* spinRow = new QHBoxLayout(spinners);
        const QList<Colour> backs{0xF0F0F0, 0xFFFFFF, 0x00FFFF, 0x303030};
        for (int i = 0; i < 4; ++i) {
            auto* s = new ucFirefoxWait;
            s->setBackColor(backs[i]);
            for (int t = 0; t < i * 2; ++t)
                s->tmrPlay_Timer();
            spinRow->addWidget(s);
        }
        grid->addWidget(new QLabel("ucFirefoxWait / Downloader"), row, 0);
        grid->addWidget(spinners, row, 1);
        grid->addWidget(new Downloader(http), row, 2);

        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        // One button hovered and one held down, to see those looks too.
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(buttons[1], &enter);
        QTest::mousePress(buttons[3], Qt::LeftButton, {}, QPoint(10, 10));

        const QList<QWidget*> controls = panel.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY(panel.rect().contains(controls[i]->geometry()));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY(!controls[i]->geometry().intersects(controls[j]->geometry()));
        }
        const QImage picture = panel.grab().toImage();
        QVERIFY(!picture.isNull());
        if (const QByteArray out = qgetenv("TAVROLA_PANEL_PNG"); !out.isEmpty())
            QVERIFY(picture.save(QString::fromLocal8Bit(out)));
    }
};

QTEST_MAIN(TestWidgetPanel)
#include "tst_widget_panel.moc"
