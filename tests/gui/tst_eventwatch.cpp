#include "gui/widgets/EventWatch.h"

#include <QKeyEvent>
#include <QStringList>
#include <QWidget>
#include <QtTest>

using tavrola::EventWatch;
using When = EventWatch::When;

namespace {
// Notes when its own handling of a key runs.
class Recorder : public QWidget {
public:
    QStringList* log = nullptr;

protected:
    void keyPressEvent(QKeyEvent*) override { log->append("own"); }
};
} // namespace

class TestEventWatch : public QObject {
    Q_OBJECT
private slots:
    void handlersRunOnTheirSideOfTheWidgetsOwnHandling() {
        QStringList log;
        Recorder w;
        w.log = &log;
        EventWatch watch("Recorder",
                         [&](QEvent*, When when) { log.append(when == When::Before ? "before" : "after"); });
        watch.start(&w);
        watch.addEvent(QEvent::KeyPress, When::Before);
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(log, QStringList({"before", "own"}));

        log.clear();
        watch.removeEvent(QEvent::KeyPress, When::Before);
        watch.addEvent(QEvent::KeyPress, When::After);
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(log, QStringList({"own", "after"}));

        log.clear();
        watch.stop();
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(log, QStringList({"own"}));
    }

    void misuseIsReported() {
        QWidget w;
        EventWatch watch("Btn", [](QEvent*, When) {});
        QVERIFY_THROWS_EXCEPTION(tavrola::MessageWatchError, watch.addEvent(QEvent::Paint, When::Before));
        watch.start(&w);
        try {
            watch.start(&w);
            QFAIL("a second start was accepted");
        } catch (const tavrola::MessageWatchError& e) {
            QCOMPARE(QString::fromStdString(e.source()), QString("Error in Btn.sc_Subclass: "));
            QCOMPARE(QString(e.what()), QString("Window handle is already subclassed"));
        }
    }
};

QTEST_MAIN(TestEventWatch)
#include "tst_eventwatch.moc"
