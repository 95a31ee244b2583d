// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/FakeAutostart.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "gui/platform/QtAutostart.h"
#include "gui/settings/AutostartBox.h"
#include "gui/settings/FrmSetting.h"
#include "support/QtTestRegistry.h"

#include <QFile>
#include <QtTest>

using namespace tavrola;

// "Mula automatik" in the settings window, and the XDG entry it writes.
class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void boxSwitchesTheEntryAndPutsItselfBackWhenItCannot() {
        fakes::TempDir dir;
        fakes::FakeClock clock{DateTime{{2026, 12, 6}, 9, 0, 0, 0}};
        fakes::FakeDialogs dialogs;
        fakes::FakeAutostart autostart;
        autostart.enabled = true;
        FrmSetting window(ProgramFolder(dir.path()), clock, dialogs);
        window.attachAutostart(autostart);
        auto* box = window.findChild<AutostartBox*>();
        QVERIFY(box->isChecked());

        box->click();
        QVERIFY(!autostart.enabled);
        // Removed behind the window's back: showing it again shows the entry as it is.
        autostart.enabled = true;
        window.show();
        QVERIFY(box->isChecked());

        autostart.failing = true;
        box->click();
        QVERIFY(box->isChecked() && autostart.enabled);
        QCOMPARE(dialogs.texts(), std::vector<std::string>{"Failed to save."});
    }

    void entryIsWrittenAndRemoved() {
        fakes::TempDir dir;
        // A path with a space, a quote, a dollar and a percent sign still starts this program.
        const QString folder = QString::fromStdString((dir / "autostart").string());
        QtAutostart autostart(QStringLiteral("/opt/my \"clock\"/$HOME/100%/tavrola"), folder);
        QVERIFY(!autostart.isEnabled() && autostart.setEnabled(true));
        QFile entry(autostart.entryPath());
        QVERIFY(autostart.isEnabled() && entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY(text.contains("\nExec=\"/opt/my \\\\\"clock\\\\\"/\\\\$HOME/100%%/tavrola\" --guard\n"));
        QVERIFY(text.contains("\nTryExec=/opt/my \"clock\"/$HOME/100%/tavrola\n"));
        QVERIFY(autostart.setEnabled(false) && !autostart.isEnabled());
        // A path with a control character (one would break the entry's line) is refused; nothing is written.
        QtAutostart broken(QStringLiteral("/opt/a\nExec=rm"), folder);
        QVERIFY(!broken.setEnabled(true) && !broken.isEnabled());
    }
};

TAVROLA_QTEST(TestAutostart)
#include "tst_autostart.moc"
