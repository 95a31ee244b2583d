// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>

namespace tavrola {

class Autostart;
class Dialogs;

// "Mula automatik": starts the clock at the user's login. Shows the entry's current state each
// time it is shown; a change that cannot be written puts the box back and says so.
class AutostartBox : public QCheckBox {
    Q_OBJECT
public:
    AutostartBox(Autostart& autostart, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void change(bool on);

    Autostart& m_autostart;
    Dialogs& m_dialogs;
};

} // namespace tavrola
