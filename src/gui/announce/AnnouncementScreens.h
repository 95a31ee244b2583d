// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/announce/Announcements.h"
#include "core/clock/Congregation.h"
#include "core/files/IniCache.h"
#include "core/files/LogFile.h"
#include "core/files/ProgramFolder.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

class QWidget;

namespace tavrola {

class AnnouncementPage;
class FuneralPanel;

// The announcements' part of the clock window: the card turning through the day's card and the
// announcements in force, a full-screen round every few minutes where the committee wants one, and
// the funeral notice. The window creates it, says where the card and the notice go (designed
// coordinates, before the window records its layout) and feeds it every tick. Without
// pengumuman/senarai.ini and [JENAZAH] it shows nothing and costs one look at one file a second.
class AnnouncementScreens : public QObject {
    Q_OBJECT
public:
    AnnouncementScreens(QWidget& window, ProgramFolder folder);
    ~AnnouncementScreens() override;

    // The card's place (it covers the day's card while an announcement shows) and the notice's band.
    void place(const QRect& card, const QRect& notice);
    // The card's text, the round's and the notice's: the notice's letters as tall as the dates'.
    void setFaces(const QStringList& letterFamilies);

    struct Moment {
        DateTime now;
        DayTimes today;
        CongregationState::Screen congregation = CongregationState::Screen::Normal;
        bool azanPlaying = false;
        bool asleep = false; // the night curtain is down
        QString clockText;   // as the big clock shows it
    };
    void tick(const Moment& m);

    bool roundRunning() const { return m_round.running; }
    // What the card shows now: empty for the day's card, else "GAMBAR <file>" or "TEKS <title>".
    QString cardShowing() const { return m_cardShowing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Picture {
        bool exists = false;
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        QImage image; // null: the file could not be used
    };
    // What setting.ini says: the rounds' minutes and the funeral notice's three values.
    struct Settings {
        int roundEvery = 0;
        std::string name, prayer, until;
    };
    struct Page {
        const Announcement* item;
        const QImage* picture; // for pictures
    };

    void readList();
    const QImage* picture(const std::string& file);
    std::vector<Page> pagesFor(const Date& today);
    void showPage(AnnouncementPage* on, const Page& page);
    void showCard(const std::vector<Page>& pages);
    void runRound(const Moment& m, const std::vector<Page>& pages, int every);
    void showFuneral(const Moment& m, const Settings& s);
    void log(const std::string& line);

    QWidget& m_window;
    ProgramFolder m_folder;
    LogFile m_log;
    AnnouncementPage* m_card;
    AnnouncementPage* m_roundPage;
    FuneralPanel* m_funeral;

    std::shared_ptr<const IniDocument> m_listDocument;
    AnnouncementList m_list;
    std::map<std::string, Picture> m_pictures;
    std::int64_t m_ticks = 0;               // seconds since the screens began, whatever the wall clock does
    std::vector<Announcement> m_shownPages; // the card's pages when it began turning
    std::vector<qint64> m_shownPictures;    // and their pictures
    std::int64_t m_cardStart = 0;
    std::size_t m_cardIndex = 0;
    QString m_cardShowing;
    bool m_cardTurned = false; // the card has begun turning since the clock started
    struct Round {
        bool running = false;
        std::int64_t start = 0;
        std::int64_t lastEnd = 0;
        std::size_t index = SIZE_MAX;
    } m_round;
    DateTime m_now;
    IniDerived<Settings> m_settings;
};

} // namespace tavrola
