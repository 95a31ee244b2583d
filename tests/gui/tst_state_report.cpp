// The two hooks end-to-end runs watch the clock through: the state file written after each tick
// and the speech log that stands in for the speaker.
#include "core/config/AtomicFile.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeSpeech.h"
#include "fakes/TestDatabase.h"
#include "gui/clock/StateReport.h"
#include "gui/clock/Velmora.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtSpeech.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tavrola;

namespace {

QString fileText(const QString& path) {
    std::string s;
    std::error_code ec;
    readWholeFile(pathFromQt(path), s, ec);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString valueOf(const QString& report, const QString& key) {
    for (const QString& line : report.split('\n'))
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    return QStringLiteral("<missing>");
}

} // namespace

class TestStateReport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void init() {
        qunsetenv("TAVROLA_STATE_FILE");
        qunsetenv("TAVROLA_SPEECH_LOG");
    }

    void reportFollowsEachTickAndOnlyWhenAsked() {
        const ProgramFolder folder(pathFromQt(m_dir.path()));
        QVERIFY(fakes::writeDatabase(folder.settingsFile(), "[12-24HRS]\r\nSETJAM=0\r\n"));
        QVERIFY(fakes::writeDatabase(folder.databaseFile(), fakes::monthText({2026, 12, 1})));
        fakes::FakeClock clock;
        clock.set(2026, 12, 31, 23, 59, 58);
        fakes::FakeSpeech speech;
        Velmora window(folder, clock, speech);
        QVERIFY(!StateReport::fromEnvironment(window, clock));

        const QString file = m_dir.filePath("state.txt");
        qputenv("TAVROLA_STATE_FILE", file.toLocal8Bit());
        const std::unique_ptr<StateReport> report = StateReport::fromEnvironment(window, clock);
        QVERIFY(report);
        window.load();
        // Written by the tick that follows on its timer, after the window has shown it.
        clock.set(2027, 1, 1, 0, 0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), 5000);
        const QString text = fileText(file);
        QCOMPARE(valueOf(text, "NOW"), QString("2027-01-01 00:00:01"));
        QCOMPARE(valueOf(text, "TIME"), window.TextTimeReal->text());
        QVERIFY(valueOf(text, "DATE").contains("01 Januari 2027"));
        QCOMPARE(valueOf(text, "HIJRI"), window.TextDateJawi->text());
        QVERIFY(!valueOf(text, "HIJRI").isEmpty());
        QCOMPARE(valueOf(text, "CACHE_MONTH"), QString("122026"));
        QCOMPARE(valueOf(text, "ANNOUNCEMENTS"), QString("0"));
        QCOMPARE(valueOf(text, "TICKS"), QString("1"));

        // A label with a line break stays on its own line of the report.
        window.comment->setText("Waktu Isyak\nberakhir");
        report->noteAnnouncement("It is now, time for Isha Prayer.");
        report->write();
        const QString later = fileText(file);
        QCOMPARE(valueOf(later, "COMMENT"), QString("Waktu Isyak berakhir"));
        QCOMPARE(valueOf(later, "ANNOUNCED"), QString("It is now, time for Isha Prayer."));
        QCOMPARE(valueOf(later, "ANNOUNCEMENTS"), QString("1"));
        QVERIFY(!QFile::exists(file + ".tmp"));
    }

    void speechLogTakesTheSentencesInsteadOfTheSpeaker() {
        const QString log = m_dir.filePath("speech.log");
        qputenv("TAVROLA_SPEECH_LOG", log.toLocal8Bit());
        QtSpeech speech;
        QSignalSpy spoken(&speech, &QtSpeech::sentenceSpoken);
        QVERIFY(speech.speak("It is now, time for Zuhr prayer."));
        QVERIFY(speech.speak("It is now, time for Asr prayer."));
        QCOMPARE(spoken.count(), 2);
        const QStringList lines = fileText(log).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QRegularExpression stamped("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\t(.*)$");
        QCOMPARE(stamped.match(lines[0]).captured(1), QString("It is now, time for Zuhr prayer."));
        QCOMPARE(stamped.match(lines[1]).captured(1), QString("It is now, time for Asr prayer."));
        QVERIFY(!speech.failed());

        // A log that cannot be written is a failure to speak, never a crash or a sound.
        qputenv("TAVROLA_SPEECH_LOG", m_dir.filePath("no/such/folder/speech.log").toLocal8Bit());
        QtSpeech unwritable;
        QVERIFY(!unwritable.speak("It is now, time for Isha Prayer."));
        QVERIFY(unwritable.failed());
    }
};

QTEST_MAIN(TestStateReport)
#include "tst_state_report.moc"
