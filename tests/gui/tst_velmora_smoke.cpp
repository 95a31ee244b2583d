#include "gui/clock/Velmora.h"

#include <QtTest>

class TestVelmoraSmoke : public QObject {
    Q_OBJECT
private slots:
    void windowIsNamedVelmora() {
        tavrola::Velmora w;
        QCOMPARE(w.objectName(), QString("Velmora"));
        QCOMPARE(w.windowTitle(), QString("Velmora"));
    }
};

QTEST_MAIN(TestVelmoraSmoke)
#include "tst_velmora_smoke.moc"
