// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/panel/FrmTelefon.h"

#include "core/files/IniFile.h"
#include "core/panel/PanelAccess.h"
#include "core/panel/PanelSettings.h"
#include "core/settingsmodel/SettingsModel.h"
#include "gui/panel/PhonePanel.h"
#include "gui/panel/QrCode.h"
#include "gui/platform/LocalText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavrola {

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* pinBox(QWidget* parent, const char* name, const char* accessibleName) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(QString::fromUtf8(accessibleName));
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(12);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,12}")), box));
    return box;
}

// One batched write through the settings model; the reason of the first refusal, or empty.
QString save(const std::vector<SettingEdit>& edits, const std::filesystem::path& file) {
    const CheckedEdits checked = checkEdits(edits, Editor::Window, file);
    if (!checked.ok())
        return toQt(checked.refused.front().key + ": " + checked.refused.front().reason);
    if (!AddToINI(checked.changes, file))
        return QStringLiteral("setting.ini tidak dapat ditulis; tiada apa-apa diubah");
    return {};
}

} // namespace

FrmTelefon::FrmTelefon(ProgramFolder folder, QWidget* parent) : QDialog(parent), m_folder(std::move(folder)) {
    setObjectName(QStringLiteral("FrmTelefon"));
    setWindowTitle(QStringLiteral("Urus dari telefon"));

    m_active = new QCheckBox(QStringLiteral("Hidupkan halaman telefon di rangkaian masjid"), this);
    m_active->setObjectName(QStringLiteral("chkAktif"));
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("txtPort"));
    m_port->setRange(panel::kMinPort, panel::kMaxPort);
    m_port->setAccessibleName(QStringLiteral("Port"));
    QPushButton* cmdSimpan = button(this, "cmdSimpan", "Simpan");
    connect(cmdSimpan, &QPushButton::clicked, this, &FrmTelefon::cmdSimpan_Click);

    m_pin = pinBox(this, "txtPin", "PIN baharu");
    m_pinAgain = pinBox(this, "txtPinLagi", "PIN baharu sekali lagi");
    m_pinState = new QLabel(this);
    m_pinState->setObjectName(QStringLiteral("lblPin"));
    QPushButton* cmdPin = button(this, "cmdPin", "Tetapkan PIN");
    connect(cmdPin, &QPushButton::clicked, this, &FrmTelefon::cmdPin_Click);

    m_addresses = new QLabel(this);
    m_addresses->setObjectName(QStringLiteral("lblAlamat"));
    m_addresses->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_qr = new QLabel(this);
    m_qr->setObjectName(QStringLiteral("picQR"));
    m_qr->setAccessibleName(QStringLiteral("Kod QR alamat halaman telefon"));
    m_qr->setFixedSize(180, 180);
    m_qr->setAlignment(Qt::AlignCenter);

    m_serverStatus = new QLabel(this);
    m_serverStatus->setObjectName(QStringLiteral("lblStatus"));
    m_serverStatus->setWordWrap(true);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblPesan"));
    m_message->setWordWrap(true);

    QPushButton* cmdKeluar = button(this, "cmdKeluarSemua", "Keluarkan semua telefon");
    connect(cmdKeluar, &QPushButton::clicked, this, &FrmTelefon::cmdKeluarSemua_Click);
    QPushButton* close = button(this, "BatalButton", "Tutup");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(m_active);
    form->addRow(QStringLiteral("Port"), m_port);
    form->addRow(QString(), cmdSimpan);
    form->addRow(QStringLiteral("PIN baharu (6 hingga 12 angka)"), m_pin);
    form->addRow(QStringLiteral("PIN baharu sekali lagi"), m_pinAgain);
    form->addRow(m_pinState, cmdPin);

    auto* where = new QHBoxLayout;
    auto* whereText = new QVBoxLayout;
    whereText->addWidget(new QLabel(QStringLiteral("Buka di telefon:"), this));
    whereText->addWidget(m_addresses);
    whereText->addStretch();
    where->addLayout(whereText, 1);
    where->addWidget(m_qr);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdKeluar);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addSpacing(8);
    root->addLayout(where);
    root->addWidget(m_serverStatus);
    root->addWidget(m_message);
    root->addLayout(buttons);
    load();
}

void FrmTelefon::load() {
    const panel::PanelConfig c = panel::readPanelConfig(m_folder.settingsFile());
    m_active->setChecked(c.active);
    m_port->setValue(c.port);
    m_pinState->setText(panel::parsePinHash(c.pinHash) ? QStringLiteral("PIN sudah ditetapkan")
                                                       : QStringLiteral("PIN belum ditetapkan"));
    const QStringList urls = phonePageAddresses(c.port);
    m_addresses->setText(urls.isEmpty() ? QStringLiteral("(komputer ini tiada alamat rangkaian tempatan)")
                                        : urls.join(QLatin1Char('\n')));
    const QImage code = urls.isEmpty() ? QImage() : qrCodeImage(urls.front(), 4);
    m_qr->setPixmap(code.isNull() ? QPixmap()
                                  : QPixmap::fromImage(code).scaled(m_qr->size(), Qt::KeepAspectRatio));
    m_qr->setToolTip(urls.isEmpty() ? QString() : urls.front());
}

void FrmTelefon::showPanel() {
    load();
    m_message->clear();
    // Over the settings window, which may itself be modal.
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

void FrmTelefon::showServerStatus(const QString& line) {
    m_serverStatus->setText(line);
}

void FrmTelefon::say(const QString& text) {
    m_message->setText(text);
}

void FrmTelefon::cmdSimpan_Click() {
    const QString failed =
        save({{std::string(panel::kActive.section), std::string(panel::kActive.key),
               m_active->isChecked() ? "ON" : "OFF"},
              {std::string(panel::kPort.section), std::string(panel::kPort.key), std::to_string(m_port->value())}},
             m_folder.settingsFile());
    if (!failed.isEmpty()) {
        say(failed);
        return;
    }
    say(QStringLiteral("Disimpan"));
    load();
    emit settingsSaved();
}

void FrmTelefon::cmdPin_Click() {
    const std::string pin = fromQt(m_pin->text());
    if (!panel::isValidPin(pin)) {
        say(QStringLiteral("PIN mesti 6 hingga 12 angka"));
        return;
    }
    if (m_pin->text() != m_pinAgain->text()) {
        say(QStringLiteral("Kedua-dua PIN tidak sama"));
        return;
    }
    const std::string salt = systemRandomBytes(16);
    const QString failed = save({{std::string(panel::kPinHash.section), std::string(panel::kPinHash.key),
                                  panel::makePinHash(pin, salt, derivePinKey)}},
                                m_folder.settingsFile());
    m_pin->clear();
    m_pinAgain->clear();
    if (!failed.isEmpty()) {
        say(failed);
        return;
    }
    load();
    say(QStringLiteral("PIN baharu disimpan; semua telefon perlu log masuk semula"));
    emit signOutAllRequested();
}

void FrmTelefon::cmdKeluarSemua_Click() {
    emit signOutAllRequested();
    say(QStringLiteral("Semua telefon telah dikeluarkan"));
}

} // namespace tavrola
