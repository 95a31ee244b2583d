#include "core/AppInfo.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeShell.h"
#include "gui/update/frmAbout.h"
#include "gui/widgets/ucAniGIF.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cstring>

using namespace tavrola;

namespace {
const char* const kLines = "Pasukan Orvanta\r\nhttps://www.example.com/\r\ninfo@example.com\r\n+60 3-1234 5678";
const char* const kShown = "Pasukan Orvanta\nhttps://www.example.com/\ninfo@example.com\n+60 3-1234 5678";
} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void controlsAndCaptions() {
        fakes::FakeShell shell;
        fakes::FakeClock clock;
        frmAbout w(shell, clock);
        for (const char* name : {"lblTitle", "lblVersion", "lblInfo", "picHeader", "Picture2"})
            QVERIFY2(w.findChild<QLabel*>(name), name);
        QVERIFY(w.findChild<QGroupBox*>("fraInfo"));
        QCOMPARE(w.findChild<QPushButton*>("cmdWeb")->text(), QString("Laman Web"));
        QCOMPARE(w.findChild<QPushButton*>("cmdEmail")->text(), QString("E-mel"));
        QCOMPARE(w.findChild<QPushButton*>("cmdOK")->text(), QString("Tutup"));
        QCOMPARE(w.findChild<QTimer*>("Timer1")->interval(), 35);
        QCOMPARE(w.aniGif(), w.findChild<ucAniGIF*>("ucAniGIF1"));
    }

    void versionLineCarriesThisYear() {
        fakes::FakeShell shell;
        fakes::FakeClock clock;
        for (const int year : {2026, 2031}) {
            clock.set(year, 1, 1, 0, 0, 1);
            frmAbout w(shell, clock);
            w.show();
            QCOMPARE(w.lblTitle->text(), QString("Tavrola"));
            QCOMPARE(w.lblVersion->text(), QString("Versi : 2.0.27  |  Terkini : %1").arg(year));
        }
    }

    void typewriterTypesTheFourLinesExactly() {
        fakes::FakeShell shell;
        fakes::FakeClock clock;
        frmAbout w(shell, clock, kLines, "https://www.example.com/", "info@example.com");
        w.show();
        QCOMPARE(w.lblInfo->text(), QString());
        QVERIFY(w.Timer1->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!w.Timer1->isActive(), 10000);
        QCOMPARE(w.lblInfo->text(), QString(kShown));
        QCOMPARE(w.InfoText(), std::string(kLines));
        QCOMPARE(w.InfoPos(), int(std::strlen(kLines)));
    }

    void oneCharacterPerTickAndTwoTicksPerLineBreak() {
        fakes::FakeShell shell;
        fakes::FakeClock clock;
        frmAbout w(shell, clock, "AB\r\nC\r\n\r\nD", "https://w/", "e@x");
        w.show();
        w.Timer1->stop(); // ticks by hand
        const QStringList expected{"A",     "AB",      "AB",      "AB\n",      "AB\nC",
                                   "AB\nC", "AB\nC\n", "AB\nC\n", "AB\nC\n\n", "AB\nC\n\nD"};
        for (const QString& e : expected) {
            w.Timer1_Timer();
            QCOMPARE(w.lblInfo->text(), e);
        }
        w.Timer1->start();
        w.Timer1_Timer(); // past the end: stops
        QVERIFY(!w.Timer1->isActive());
        QCOMPARE(w.lblInfo->text(), QString("AB\nC\n\nD"));
    }

    void closingStopsAndReopeningStartsAgain() {
        fakes::FakeShell shell;
        fakes::FakeClock clock;
        frmAbout w(shell, clock, kLines, "https://w/", "e@x");
        w.show();
        for (int i = 0; i < 5; ++i)
            w.Timer1_Timer();
        QCOMPARE(w.lblInfo->text(), QString("Pasuk"));
        w.cmdOK->click();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.Timer1->isActive());
        w.show();
        QCOMPARE(w.lblInfo->text(), QString());
        QCOMPARE(w.InfoPos(), 0);
        QVERIFY(w.Timer1->isActive());
        w.Timer1_Timer();
        QCOMPARE(w.lblInfo->text(), QString("P"));
        // Closed any other way, the timer stops too.
        w.close();
        QVERIFY(!w.Timer1->isActive());
    }

    void buttonsOpenTheSiteAndANewMail() {
        fakes::FakeShell shell;
        fakes::FakeClock clock;
        frmAbout w(shell, clock);
        w.cmdWeb->click();
        w.cmdEmail->click();
        QCOMPARE(shell.opened, (std::vector<std::string>{app::kWeb, std::string("mailto:") + app::kEmail}));
        frmAbout other(shell, clock, kLines, "https://maker.example.com/", "hubungi@example.com");
        other.cmdEmail->click();
        QCOMPARE(shell.opened.back(), std::string("mailto:hubungi@example.com"));
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frm_about.moc"
