#include "gui/clock/Velmora.h"

namespace tavrola {

Velmora::Velmora(QWidget* parent) : QWidget(parent) {
    setObjectName("Velmora");
    setWindowTitle("Velmora");
    resize(960, 540);
}

} // namespace tavrola
