#include "gui/platform/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using tavrola::SingleInstance;

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStartOfTheSameFolderIsRefused() {
        QTemporaryDir a, b;
        auto first = std::make_unique<SingleInstance>(a.path());
        QVERIFY(first->acquire());
        SingleInstance second(a.path());
        QVERIFY(!second.acquire());
        // A copy of the program in another folder is another clock.
        SingleInstance elsewhere(b.path());
        QVERIFY(elsewhere.acquire());
        // Once the first ends, the next start runs.
        first.reset();
        SingleInstance third(a.path());
        QVERIFY(third.acquire());
    }

    void lockOfACrashedRunIsTakenOver() {
        QTemporaryDir dir;
        SingleInstance probe(dir.path());
        QFile stale(probe.lockPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        // The lock's format: process id, application name, host name. No process has id 2^22 + 1 here.
        stale.write("4194305\ntavrola\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        stale.close();
        SingleInstance next(dir.path());
        QVERIFY(next.acquire());
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
