// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/update/frmAbout.h"

#include "core/gif/GifStretch.h"
#include "gui/widgets/ucAniGIF.h"

#include "core/AppInfo.h"
#include "core/platform/Clock.h"
#include "core/platform/Shell.h"
#include "core/update/AboutInfo.h"
#include "gui/platform/LocalText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrola {

namespace {

QLabel* namedLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

QPushButton* namedButton(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    return b;
}

// A green band across the top of the window.
QPixmap headerPicture() {
    QPixmap pm(440, 18);
    QPainter p(&pm);
    QLinearGradient g(0, 0, pm.width(), 0);
    g.setColorAt(0, QColor(0, 96, 48));
    g.setColorAt(1, QColor(64, 160, 96));
    p.fillRect(pm.rect(), g);
    return pm;
}

// A crescent and star beside the title.
QPixmap crescentPicture() {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath moon;
    moon.addEllipse(QRectF(4, 4, 40, 40));
    QPainterPath bite;
    bite.addEllipse(QRectF(14, 2, 38, 38));
    p.fillPath(moon.subtracted(bite), QColor(0, 128, 64));
    p.setBrush(QColor(218, 165, 32));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(34, 22), 4, 4);
    return pm;
}

} // namespace

frmAbout::frmAbout(Shell& shell, const Clock& clock, QWidget* parent)
    : frmAbout(shell, clock, about::infoText(), app::kWeb, app::kEmail, parent) {}

frmAbout::frmAbout(Shell& shell, const Clock& clock, std::string infoText, std::string web, std::string email,
                   QWidget* parent)
    : QDialog(parent), m_shell(shell), m_clock(clock), m_contactLines(std::move(infoText)), m_web(std::move(web)),
      m_email(std::move(email)) {
    lblTitle = namedLabel("lblTitle", this);
    lblVersion = namedLabel("lblVersion", this);
    auto* fraInfo = new QGroupBox(this);
    lblInfo = namedLabel("lblInfo", fraInfo);
    QPushButton* cmdWeb = namedButton("cmdWeb", "Laman Web", this);
    QPushButton* cmdEmail = namedButton("cmdEmail", "E-mel", this);
    QPushButton* cmdOK = namedButton("cmdOK", "Tutup", this);
    Timer1 = new QTimer(this);
    QLabel* picHeader = namedLabel("picHeader", this);
    QLabel* Picture2 = namedLabel("Picture2", this);
    m_ucAniGIF1 = new ucAniGIF(this);
    m_ucAniGIF1->setObjectName("ucAniGIF1");
    m_ucAniGIF1->setStretch(GifShrinkToFit);
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    fraInfo->setObjectName("fraInfo");
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(35);

    lblTitle->setText(QStringLiteral("Tavrola"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion->setText(QStringLiteral("Version"));
    lblInfo->setText(QStringLiteral("App Description"));
    lblInfo->setTextFormat(Qt::PlainText);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInfo->setMinimumHeight(lblInfo->fontMetrics().lineSpacing() * 4 + 4);
    lblInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    picHeader->setPixmap(headerPicture());
    picHeader->setScaledContents(true);
    Picture2->setPixmap(crescentPicture());
    m_ucAniGIF1->setFixedSize(48, 48);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(Picture2);
    auto* titles = new QVBoxLayout;
    titles->addWidget(lblTitle);
    titles->addWidget(lblVersion);
    titleRow->addLayout(titles, 1);
    titleRow->addWidget(m_ucAniGIF1);

    auto* infoLayout = new QVBoxLayout(fraInfo);
    infoLayout->addWidget(lblInfo);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdWeb);
    buttons->addWidget(cmdEmail);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    cmdOK->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picHeader);
    layout->addLayout(titleRow);
    layout->addWidget(fraInfo, 1);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    connect(cmdWeb, &QPushButton::clicked, this, &frmAbout::cmdWeb_Click);
    connect(cmdEmail, &QPushButton::clicked, this, &frmAbout::cmdEmail_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::showLogoFile(const QString& path) {
    m_ucAniGIF1->LoadAnimatedGIF_File(path);
}

void frmAbout::Form_Load() {
    lblVersion->setText(toQt(about::versionLine(app::kVersion, m_clock.now().date.year)));
    lblTitle->setText(toQt(app::kTitle));
    lblInfo->clear();
    m_infoText = m_contactLines;
    m_infoPos = 0;
    Timer1->start(35);
}

void frmAbout::Timer1_Timer() {
    if (m_infoPos >= static_cast<int>(m_infoText.size())) {
        Timer1->stop();
        return;
    }
    ++m_infoPos;
    // The label breaks lines at LF, so the CR of each CR LF adds nothing visible (its tick still
    // counts). The typed bytes are converted whole so a multi-byte character shows once complete.
    QString typed = toQt(m_infoText.substr(0, static_cast<std::size_t>(m_infoPos)));
    typed.remove(QLatin1Char('\r'));
    lblInfo->setText(typed);
}

void frmAbout::cmdWeb_Click() {
    m_shell.openAddress(m_web);
}

void frmAbout::cmdEmail_Click() {
    m_shell.openAddress(about::mailtoAddress(m_email));
}

void frmAbout::cmdOK_Click() {
    Timer1->stop();
    close();
}

void frmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Load();
}

void frmAbout::hideEvent(QHideEvent* event) {
    // The typewriter never runs while the window is closed.
    if (!event->spontaneous())
        Timer1->stop();
    QDialog::hideEvent(event);
}

} // namespace tavrola
