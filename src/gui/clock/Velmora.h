#pragma once

#include <QWidget>

namespace tavrola {

// The clock window.
class Velmora : public QWidget {
    Q_OBJECT
public:
    explicit Velmora(QWidget* parent = nullptr);
};

} // namespace tavrola
