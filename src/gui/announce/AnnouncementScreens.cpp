// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/announce/AnnouncementScreens.h"

#include "core/files/IniCache.h"
#include "core/files/IniFile.h"
#include "gui/announce/AnnouncementPage.h"
#include "gui/platform/LocalText.h"

#include <QEvent>
#include <QFont>
#include <QImageReader>
#include <QWidget>

#include <algorithm>

namespace tavrola {

namespace {

// Pictures are kept no larger than a screen shows them.
constexpr QSize kKeptSize(1920, 1080);
constexpr int kDayCardSeconds = announce::kDefaultSeconds;

std::string stamp(const DateTime& t) {
    return pad(t.date.year, 4) + "-" + pad(t.date.month, 2) + "-" + pad(t.date.day, 2) + " " + pad(t.hour, 2) +
           ":" + pad(t.minute, 2) + ":" + pad(t.second, 2) + " ";
}

// The picture, checked before it is decoded: PNG or JPEG, at most 8000 pixels a side and 20 MB.
QImage decode(const std::filesystem::path& file, std::uintmax_t bytes, QString& why) {
    if (bytes > announce::kMaxPictureBytes) {
        why = QStringLiteral("lebih 20 MB");
        return {};
    }
    QImageReader reader(pathToQt(file));
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg") {
        why = QStringLiteral("bukan gambar PNG atau JPEG");
        return {};
    }
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > announce::kMaxPictureSide || size.height() > announce::kMaxPictureSide) {
        why = QStringLiteral("lebih 8000 x 8000 piksel");
        return {};
    }
    if (size.width() > kKeptSize.width() || size.height() > kKeptSize.height())
        reader.setScaledSize(size.scaled(kKeptSize, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        why = QStringLiteral("tidak dapat dibaca: ") + reader.errorString();
    return image;
}

} // namespace

AnnouncementScreens::AnnouncementScreens(QWidget& window, ProgramFolder folder)
    : QObject(&window), m_window(window), m_folder(std::move(folder)), m_log(m_folder.logFolder() / "tavrola.log"),
      m_card(new AnnouncementPage(QStringLiteral("pengumuman"), &window)),
      m_roundPage(new AnnouncementPage(QStringLiteral("pengumumanPenuh"), &window)),
      m_funeral(new FuneralPanel(&window)) {
    for (QWidget* w :
         {static_cast<QWidget*>(m_card), static_cast<QWidget*>(m_roundPage), static_cast<QWidget*>(m_funeral)})
        w->hide();
    m_roundPage->setGeometry(window.rect());
    window.installEventFilter(this);
}

AnnouncementScreens::~AnnouncementScreens() = default;

void AnnouncementScreens::place(const QRect& card, const QRect& notice) {
    m_card->setGeometry(card);
    m_funeral->setGeometry(notice);
    m_roundPage->setGeometry(m_window.rect());
}

void AnnouncementScreens::setFaces(const QStringList& letterFamilies) {
    const auto face = [&](qreal points) {
        QFont f;
        f.setFamilies(letterFamilies);
        f.setPointSizeF(points);
        return f;
    };
    m_card->setFont(face(24));
    m_roundPage->setFont(face(48));
    m_funeral->setFont(face(58)); // the Malay date's size
}

bool AnnouncementScreens::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Resize)
        m_roundPage->setGeometry(m_window.rect());
    return QObject::eventFilter(watched, event);
}

void AnnouncementScreens::log(const std::string& line) {
    m_log.append(stamp(m_now) + "Pengumuman: " + line);
}

void AnnouncementScreens::readList() {
    const std::filesystem::path file = m_folder.dataRoot() / announce::kFolder / announce::kListFile;
    std::error_code ec;
    std::shared_ptr<const IniDocument> document = IniCache::load(file, ec);
    if (document == m_listDocument)
        return;
    m_listDocument = std::move(document);
    AnnouncementList list = m_listDocument ? readAnnouncements(*m_listDocument) : AnnouncementList{};
    // A file read again while it settles says its problems once.
    if (list.skipped != m_list.skipped)
        for (const std::string& why : list.skipped)
            log(why);
    m_list = std::move(list);
}

const QImage* AnnouncementScreens::picture(const std::string& name) {
    const std::filesystem::path file = m_folder.dataRoot() / announce::kFolder / name;
    std::error_code ec;
    Picture now;
    now.modified = std::filesystem::last_write_time(file, ec);
    if (!ec)
        now.size = std::filesystem::file_size(file, ec);
    now.exists = !ec;
    auto it = m_pictures.find(name);
    if (it != m_pictures.end() && it->second.exists == now.exists &&
        (!now.exists || (it->second.modified == now.modified && it->second.size == now.size)))
        return it->second.image.isNull() ? nullptr : &it->second.image;
    // New, changed or gone: decoded once now, not at every showing, and a failure said once.
    QString why = QStringLiteral("tiada fail");
    if (now.exists)
        now.image = decode(file, now.size, why);
    if (now.image.isNull())
        log(name + " dilangkau (" + fromQt(why) + ")");
    it = m_pictures.insert_or_assign(name, std::move(now)).first;
    return it->second.image.isNull() ? nullptr : &it->second.image;
}

std::vector<AnnouncementScreens::Page> AnnouncementScreens::pagesFor(const Date& today) {
    std::vector<Page> pages;
    for (const Announcement& a : m_list.items) {
        if (!inForce(a, today))
            continue;
        if (a.kind == Announcement::Kind::Text) {
            pages.push_back({&a, nullptr});
        } else if (const QImage* image = picture(a.file)) {
            pages.push_back({&a, image});
        }
    }
    return pages;
}

void AnnouncementScreens::showPage(AnnouncementPage* on, const Page& page) {
    if (page.picture)
        on->showPicture(*page.picture);
    else
        on->showText(toQt(page.item->title), toQt(page.item->text));
}

void AnnouncementScreens::showCard(const std::vector<Page>& pages) {
    std::vector<Announcement> now;
    std::vector<qint64> pictures;
    for (const Page& p : pages) {
        now.push_back(*p.item);
        pictures.push_back(p.picture ? p.picture->cacheKey() : 0);
    }
    if (now != m_shownPages || pictures != m_shownPictures) {
        // The turning begins again with the day's card; but a page just added or changed shows at
        // once, so whoever added it sees it on the wall (not at the clock's start).
        std::int64_t skip = 0;
        if (m_cardTurned) {
            std::int64_t before = kDayCardSeconds;
            for (std::size_t i = 0; i < now.size(); ++i) {
                const bool known =
                    std::find(m_shownPages.begin(), m_shownPages.end(), now[i]) != m_shownPages.end() &&
                    std::find(m_shownPictures.begin(), m_shownPictures.end(), pictures[i]) !=
                        m_shownPictures.end();
                if (!known) {
                    skip = before;
                    break;
                }
                before += now[i].seconds;
            }
        }
        m_shownPages = std::move(now);
        m_shownPictures = std::move(pictures);
        m_cardStart = m_ticks - skip;
        m_cardIndex = SIZE_MAX;
    }
    m_cardTurned = true;
    std::size_t index = 0;
    if (!pages.empty()) {
        std::vector<int> seconds{kDayCardSeconds};
        for (const Page& p : pages)
            seconds.push_back(p.item->seconds);
        index = cardPageAt(seconds, m_ticks - m_cardStart).index;
    }
    const bool announcement = index > 0;
    if (index != m_cardIndex) {
        m_cardIndex = index;
        m_cardShowing.clear();
        if (announcement) {
            m_card->show();
            const Page& page = pages[index - 1];
            showPage(m_card, page);
            m_cardShowing = page.picture ? QStringLiteral("GAMBAR ") + toQt(page.item->file)
                                         : QStringLiteral("TEKS ") + toQt(page.item->title);
        }
    }
    if (!announcement && !m_card->isHidden())
        m_card->hide();
}

void AnnouncementScreens::runRound(const Moment& m, const std::vector<Page>& pages, int every) {
    CongregationState state;
    state.screen = m.congregation;
    const bool clear = roundAllowed(m.now, m.today, state, m.azanPlaying);
    const bool allowed = every > 0 && !pages.empty() && clear;
    if (!m_round.running) {
        if (!allowed || m_ticks - m_round.lastEnd < std::int64_t(every) * 60)
            return;
        m_round = {true, m_ticks, m_round.lastEnd, SIZE_MAX};
        m_roundPage->setGeometry(m_window.rect());
    }
    // Once through every page; stopped at once by the congregation screens, the azan or a prayer
    // coming near.
    std::vector<int> seconds;
    std::int64_t total = 0;
    for (const Page& p : pages) {
        seconds.push_back(p.item->seconds);
        total += p.item->seconds;
    }
    const std::int64_t elapsed = m_ticks - m_round.start;
    const bool stop = !clear || pages.empty() || elapsed >= total;
    if (stop) {
        m_round.running = false;
        m_round.lastEnd = m_ticks;
        m_roundPage->hide();
        return;
    }
    const std::size_t index = cardPageAt(seconds, elapsed).index;
    if (index != m_round.index) {
        m_round.index = index;
        if (m_roundPage->geometry() != m_window.rect())
            m_roundPage->setGeometry(m_window.rect());
        m_roundPage->show();
        showPage(m_roundPage, pages[index]);
    }
    m_roundPage->setCornerText(m.clockText);
}

void AnnouncementScreens::showFuneral(const Moment& m, const Settings& s) {
    const auto notice = s.name.empty() ? std::nullopt : funeralNotice(s.name, s.prayer, s.until, m.now);
    // Under the prayer screen, which covers the whole window.
    const bool on = notice && m.congregation != CongregationState::Screen::PrayerInProgress;
    if (on)
        m_funeral->setNotice(toQt(notice->name), toQt(notice->prayer));
    if (on == m_funeral->isHidden())
        m_funeral->setVisible(on);
}

void AnnouncementScreens::tick(const Moment& m) {
    ++m_ticks;
    m_now = m.now;
    if (m.asleep) {
        for (QWidget* w :
             {static_cast<QWidget*>(m_card), static_cast<QWidget*>(m_roundPage), static_cast<QWidget*>(m_funeral)})
            w->hide();
        m_cardIndex = SIZE_MAX;
        m_cardShowing.clear();
        m_round.index = SIZE_MAX;
        return;
    }
    readList();
    const std::filesystem::path ini = m_folder.settingsFile();
    const Settings& s = m_settings.get(ini, [&] {
        const auto read = [&](std::string_view section, std::string_view key) {
            return GetFromINI(section, key, "", ini);
        };
        return Settings{roundEveryMinutes(read(announce::kRoundSection, announce::kRoundKey)),
                        read(announce::kFuneralSection, "NAMA"), read(announce::kFuneralSection, "SOLAT"),
                        read(announce::kFuneralSection, "TAMAT")};
    });
    const std::vector<Page> pages = m_list.items.empty() ? std::vector<Page>{} : pagesFor(m.now.date);
    showCard(pages);
    runRound(m, pages, s.roundEvery);
    showFuneral(m, s);
}

} // namespace tavrola
