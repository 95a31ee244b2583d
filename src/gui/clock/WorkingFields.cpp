// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/WorkingFields.h"

#include "gui/clock/CardFrame.h"
#include "gui/clock/ClockLook.h"
#include "gui/desktop/MonitorPanel.h"
#include "gui/platform/LocalText.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace tavrola {

namespace {
// A field rewritten every second: left alone when the text is the same.
void setField(QLineEdit* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}
} // namespace

using look::makeLabel;

WorkingFields::WorkingFields(QWidget& window) : QObject(&window) {
    auto* fields = new CardFrame("Picture1", &window, false);
    fields->setGeometry(0, 0, 10, 10);
    fields->setVisible(false);
    const auto field = [fields](const char* name) {
        auto* e = new QLineEdit(fields);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    txtTime = field("txtTime");
    txtDate = field("txtDate");
    Jamcount = field("Jamcount");
    Tarikh_Takwim1 = field("Tarikh_Takwim1");
    shut_tutup = makeLabel(fields, "shut_tutup");
    Label2 = makeLabel(fields, "Label2");
    tarikh = makeLabel(fields, "tarikh");
    hariku = makeLabel(fields, "hariku");
    bulan = makeLabel(fields, "bulan");
    bulan1 = makeLabel(fields, "bulan1");
}

void WorkingFields::showMinute(const QString& minuteText) {
    setField(txtTime, minuteText);
}

void WorkingFields::showDateKey(const QString& dateKey) {
    setField(txtDate, dateKey);
}

void WorkingFields::showCalendar(const PrayerSchedule::Calendar& cal) {
    const QDate today(cal.today.year, cal.today.month, cal.today.day);
    if (today != m_longDateOf) {
        m_longDateOf = today;
        tarikh->setText(QLocale::system().toString(today, QStringLiteral("dddd, dd MMMM yyyy")));
    }
    hariku->setText(toQt(cal.dayName));
    showMonth(toQt(cal.monthName));
}

void WorkingFields::forgetDay() {
    m_longDateOf = QDate();
}

void WorkingFields::showMonth(const QString& month) {
    bulan1->setText(month);
    bulan->setText(month);
}

void WorkingFields::showHijriCorrection(const QString& masa) {
    Tarikh_Takwim1->setText(masa);
}

void WorkingFields::showShutdown(const QString& shutTutup, const QString& jamcount) {
    shut_tutup->setText(shutTutup);
    setField(Jamcount, jamcount);
}

void WorkingFields::lendResolutionLine(MonitorPanel& panel) {
    panel.setResolutionLabel(Label2);
}

} // namespace tavrola
