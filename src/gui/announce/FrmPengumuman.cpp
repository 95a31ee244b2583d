// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/announce/FrmPengumuman.h"

#include "core/AppInfo.h"
#include "core/announce/Announcements.h"
#include "core/files/IniFile.h"
#include "core/platform/Clock.h"
#include "core/platform/Dialogs.h"
#include "core/settings/SettingsRules.h"
#include "core/settingsmodel/SettingsModel.h"
#include "gui/announce/PictureImport.h"
#include "gui/platform/LocalText.h"
#include "gui/widgets/clsDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace tavrola {

namespace {

const QSize kThumbnail(96, 54);

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, const char* placeholder = nullptr) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (placeholder)
        e->setPlaceholderText(QString::fromLatin1(placeholder));
    return e;
}

QString dayText(const std::optional<Date>& d) {
    return d ? QStringLiteral("%1-%2-%3")
                   .arg(d->year, 4, 10, QLatin1Char('0'))
                   .arg(d->month, 2, 10, QLatin1Char('0'))
                   .arg(d->day, 2, 10, QLatin1Char('0'))
             : QString();
}

// One row of the list: what the wall shows, its days and seconds, or why the wall skips it.
QString rowText(const StoredAnnouncement& e) {
    if (!e.shown)
        return QStringLiteral("[%1] tidak ditunjukkan: %2").arg(toQt(e.section), toQt(e.problem));
    const Announcement& a = *e.shown;
    QString what;
    if (a.kind == Announcement::Kind::Picture) {
        what = QStringLiteral("Gambar ") + toQt(a.file);
    } else {
        const std::string& first = a.title.empty() ? a.text : a.title;
        what = toQt(first.substr(0, first.find('\n')));
    }
    QString when;
    if (a.from || a.until)
        when = QStringLiteral(", %1 hingga %2")
                   .arg(a.from ? dayText(a.from) : QStringLiteral("..."),
                        a.until ? dayText(a.until) : QStringLiteral("..."));
    return QStringLiteral("%1  (%2 saat%3)").arg(what).arg(a.seconds).arg(when);
}

} // namespace

FrmPengumuman::FrmPengumuman(ProgramFolder folder, const Clock& clock, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_clock(clock), m_dialogs(dialogs),
      m_store(m_folder.announcementsFolder()) {
    setObjectName(QStringLiteral("FrmPengumuman"));
    setWindowTitle(QStringLiteral("Pengumuman"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstPengumuman"));
    m_list->setIconSize(kThumbnail);
    m_list->setMinimumSize(520, 220);
    connect(m_list, &QListWidget::currentRowChanged, this, &FrmPengumuman::showSelected);

    m_up = button(this, "cmdNaik", "Naik");
    m_down = button(this, "cmdTurun", "Turun");
    m_delete = button(this, "cmdPadam", "Padam");
    connect(m_up, &QPushButton::clicked, this, &FrmPengumuman::cmdNaik_Click);
    connect(m_down, &QPushButton::clicked, this, &FrmPengumuman::cmdTurun_Click);
    connect(m_delete, &QPushButton::clicked, this, &FrmPengumuman::cmdPadam_Click);
    auto* order = new QVBoxLayout;
    order->addWidget(m_up);
    order->addWidget(m_down);
    order->addSpacing(12);
    order->addWidget(m_delete);
    order->addStretch();
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(order);

    // The selected announcement, or a new one.
    auto* details = new QGroupBox(QStringLiteral("Butiran"), this);
    details->setObjectName(QStringLiteral("grpButiran"));
    m_title = lineEdit(details, "txtTajuk");
    m_text = new QPlainTextEdit(details);
    m_text->setObjectName(QStringLiteral("txtTeks"));
    m_text->setTabChangesFocus(true);
    m_text->setFixedHeight(80);
    m_from = lineEdit(details, "txtMula", "yyyy-mm-dd");
    m_until = lineEdit(details, "txtTamat", "yyyy-mm-dd");
    m_from->setToolTip(QStringLiteral("Kosong: mula sekarang"));
    m_until->setToolTip(QStringLiteral("Kosong: tiada tarikh tamat"));
    m_seconds = new QSpinBox(details);
    m_seconds->setObjectName(QStringLiteral("txtSaat"));
    m_seconds->setRange(announce::kMinSeconds, announce::kMaxSeconds);
    m_seconds->setValue(announce::kDefaultSeconds);
    m_seconds->setSuffix(QStringLiteral(" saat"));
    auto* days = new QHBoxLayout;
    days->addWidget(m_from);
    days->addWidget(new QLabel(QStringLiteral("hingga"), details));
    days->addWidget(m_until);
    days->addSpacing(12);
    days->addWidget(m_seconds);
    QPushButton* addText = button(details, "cmdTambahTeks", "Tambah teks");
    QPushButton* addPicture = button(details, "cmdTambahGambar", "Tambah gambar...");
    m_save = button(details, "cmdSimpan", "Simpan perubahan");
    connect(addText, &QPushButton::clicked, this, &FrmPengumuman::cmdTambahTeks_Click);
    connect(addPicture, &QPushButton::clicked, this, &FrmPengumuman::cmdTambahGambar_Click);
    connect(m_save, &QPushButton::clicked, this, &FrmPengumuman::cmdSimpan_Click);
    QPushButton* clear = button(details, "cmdBaru", "Kosongkan");
    connect(clear, &QPushButton::clicked, this, &FrmPengumuman::cmdBaru_Click);
    auto* detailButtons = new QHBoxLayout;
    detailButtons->addWidget(clear);
    detailButtons->addWidget(addText);
    detailButtons->addWidget(addPicture);
    detailButtons->addStretch();
    detailButtons->addWidget(m_save);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Tajuk"), m_title);
    form->addRow(QStringLiteral("Teks"), m_text);
    form->addRow(QStringLiteral("Tarikh"), days);
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->addLayout(form);
    detailsLayout->addLayout(detailButtons);

    // The funeral notice: above everything on the wall until its end.
    auto* funeral = new QGroupBox(QStringLiteral("Jenazah"), this);
    funeral->setObjectName(QStringLiteral("grpJenazah"));
    m_funeralName = lineEdit(funeral, "txtJenazahNama");
    m_funeralPrayer = lineEdit(funeral, "txtJenazahSolat", "selepas solat Zohor");
    m_funeralUntil = lineEdit(funeral, "txtJenazahTamat", "yyyy-mm-dd JJ:MM");
    m_funeralUntil->setToolTip(QStringLiteral("Notis ditunjukkan hingga masa ini"));
    QPushButton* funeralSave = button(funeral, "cmdJenazahSimpan", "Simpan");
    QPushButton* funeralClear = button(funeral, "cmdJenazahPadam", "Padam");
    connect(funeralSave, &QPushButton::clicked, this, &FrmPengumuman::cmdJenazahSimpan_Click);
    connect(funeralClear, &QPushButton::clicked, this, &FrmPengumuman::cmdJenazahPadam_Click);
    auto* funeralButtons = new QHBoxLayout;
    funeralButtons->addStretch();
    funeralButtons->addWidget(funeralSave);
    funeralButtons->addWidget(funeralClear);
    auto* funeralForm = new QFormLayout;
    funeralForm->addRow(QStringLiteral("Nama"), m_funeralName);
    funeralForm->addRow(QStringLiteral("Solat"), m_funeralPrayer);
    funeralForm->addRow(QStringLiteral("Tamat"), m_funeralUntil);
    auto* funeralLayout = new QVBoxLayout(funeral);
    funeralLayout->addLayout(funeralForm);
    funeralLayout->addLayout(funeralButtons);

    QPushButton* close = button(this, "BatalButton", "Tutup");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(close);

    auto* root = new QVBoxLayout(this);
    root->addLayout(listRow);
    root->addWidget(details);
    root->addWidget(funeral);
    root->addLayout(closeRow);

    done(m_store.load());
    refresh(-1, false);
    loadFuneral();
}

int FrmPengumuman::selectedRow() const {
    return m_list->currentRow();
}

bool FrmPengumuman::done(const std::string& why) {
    if (why.empty())
        return true;
    m_dialogs.message(MessageIcon::Exclamation, std::string(app::kTitle), why, MessageButtons::Ok);
    return false;
}

void FrmPengumuman::buildList() {
    m_list->clear();
    for (const StoredAnnouncement& e : m_store.entries()) {
        auto* item = new QListWidgetItem(rowText(e), m_list);
        if (e.shown && e.shown->kind == Announcement::Kind::Picture) {
            const QString file = toQt(e.shown->file);
            auto it = m_thumbnails.find(file);
            if (it == m_thumbnails.end()) {
                const QImage small = PictureImport::thumbnail(m_store.folder() / e.shown->file, kThumbnail);
                it = m_thumbnails.insert(file, small.isNull() ? QIcon() : QIcon(QPixmap::fromImage(small)));
            }
            item->setIcon(*it);
        }
    }
}

void FrmPengumuman::refresh(int select, bool fillEditor) {
    const QSignalBlocker quiet(m_list);
    buildList();
    if (select >= m_list->count())
        select = m_list->count() - 1;
    m_list->setCurrentRow(select);
    enableButtons();
    if (fillEditor)
        showSelected();
}

void FrmPengumuman::enableButtons() {
    const int row = selectedRow();
    const bool any = row >= 0 && row < static_cast<int>(m_store.entries().size());
    m_save->setEnabled(any);
    m_delete->setEnabled(any);
    m_up->setEnabled(any && row > 0);
    m_down->setEnabled(any && row + 1 < m_list->count());
}

void FrmPengumuman::cmdBaru_Click() {
    m_list->setCurrentRow(-1);
    m_title->clear();
    m_text->clear();
    m_from->clear();
    m_until->clear();
    m_seconds->setValue(announce::kDefaultSeconds);
    enableButtons();
}

void FrmPengumuman::showSelected() {
    enableButtons();
    const int row = selectedRow();
    if (row < 0 || row >= static_cast<int>(m_store.entries().size()))
        return;
    const StoredAnnouncement& e = m_store.entries()[static_cast<std::size_t>(row)];
    if (!e.shown)
        return;
    const Announcement& a = *e.shown;
    m_title->setText(toQt(a.title));
    m_text->setPlainText(toQt(a.text));
    m_from->setText(dayText(a.from));
    m_until->setText(dayText(a.until));
    m_seconds->setValue(a.seconds);
}

AnnouncementFields FrmPengumuman::editedFields(Announcement::Kind kind) const {
    AnnouncementFields f;
    f.kind = kind;
    if (kind == Announcement::Kind::Text) {
        f.title = fromQt(m_title->text());
        f.text = fromQt(m_text->toPlainText());
    }
    f.from = fromQt(m_from->text());
    f.until = fromQt(m_until->text());
    f.seconds = m_seconds->value();
    return f;
}

void FrmPengumuman::cmdTambahTeks_Click() {
    const bool ok = done(m_store.add(editedFields(Announcement::Kind::Text)));
    refresh(ok ? m_list->count() : selectedRow(), ok);
}

void FrmPengumuman::cmdTambahGambar_Click() {
    clsDialog dialog(m_dialogs);
    const QString chosen = dialog.ShowOpen(
        this, QStringLiteral("Pilih gambar"), QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        QStringLiteral("Gambar PNG atau JPEG|*.png;*.jpg;*.jpeg|"), clsDialog::OFN_FILEMUSTEXIST);
    if (chosen.isEmpty())
        return;
    const PictureImport picture = PictureImport::fromFile(chosen);
    const bool ok =
        done(addPictureAnnouncement(m_store, picture, m_clock.now(), editedFields(Announcement::Kind::Picture)));
    refresh(ok ? m_list->count() : selectedRow(), ok);
}

void FrmPengumuman::cmdSimpan_Click() {
    const int row = selectedRow();
    if (row < 0 || row >= static_cast<int>(m_store.entries().size()))
        return;
    const StoredAnnouncement& e = m_store.entries()[static_cast<std::size_t>(row)];
    const bool picture = ini::equalsIgnoreCase(ini::trimSpaces(e.value("JENIS")), "GAMBAR");
    AnnouncementFields f = editedFields(picture ? Announcement::Kind::Picture : Announcement::Kind::Text);
    if (picture)
        f.file = std::string(ini::trimSpaces(e.value("FAIL")));
    refresh(row, done(m_store.update(static_cast<std::size_t>(row), f)));
}

void FrmPengumuman::cmdNaik_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const bool ok = done(m_store.move(static_cast<std::size_t>(row), -1));
    refresh(ok ? row - 1 : row, true);
}

void FrmPengumuman::cmdTurun_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const bool ok = done(m_store.move(static_cast<std::size_t>(row), 1));
    refresh(ok ? row + 1 : row, true);
}

void FrmPengumuman::cmdPadam_Click() {
    const int row = selectedRow();
    if (row < 0 || row >= m_list->count())
        return;
    const std::string question = "Padam pengumuman ini?\r\n" + fromQt(m_list->item(row)->text());
    if (m_dialogs.message(MessageIcon::Question, std::string(app::kTitle), question, MessageButtons::YesNo) !=
        DialogAnswer::Yes)
        return;
    done(m_store.remove(static_cast<std::size_t>(row)));
    refresh(row, true);
}

void FrmPengumuman::loadFuneral() {
    const auto read = [this](const char* key) {
        return toQt(GetFromINI(announce::kFuneralSection, key, "", m_folder.settingsFile()));
    };
    m_funeralName->setText(read("NAMA"));
    m_funeralPrayer->setText(read("SOLAT"));
    m_funeralUntil->setText(read("TAMAT"));
}

bool FrmPengumuman::saveFuneral(const QString& name, const QString& prayer, const QString& until) {
    const std::string section(announce::kFuneralSection);
    const std::vector<SettingEdit> edits = {
        {section, "NAMA", fromQt(name.trimmed())},
        {section, "SOLAT", fromQt(prayer.trimmed())},
        {section, "TAMAT", fromQt(until.trimmed())},
    };
    const CheckedEdits checked = checkEdits(edits, Editor::Window, m_folder.settingsFile());
    std::string problem;
    for (const RefusedEdit& r : checked.refused)
        problem += (problem.empty() ? "" : "\r\n") + r.key + ": " + r.reason;
    // A name without an end would never be shown: the notice stands until TAMAT.
    if (problem.empty() && !edits[0].value.empty() && edits[2].value.empty())
        problem = "TAMAT: isi masa notis tamat, cth. 2026-12-07 14:30";
    if (problem.empty() && !AddToINI(checked.changes, m_folder.settingsFile()))
        problem = std::string(settingsform::kFailedToSave);
    return done(problem);
}

void FrmPengumuman::cmdJenazahSimpan_Click() {
    saveFuneral(m_funeralName->text(), m_funeralPrayer->text(), m_funeralUntil->text());
}

void FrmPengumuman::cmdJenazahPadam_Click() {
    if (m_dialogs.message(MessageIcon::Question, std::string(app::kTitle), "Padam notis jenazah?",
                          MessageButtons::YesNo) != DialogAnswer::Yes)
        return;
    if (saveFuneral({}, {}, {}))
        loadFuneral();
}

} // namespace tavrola
