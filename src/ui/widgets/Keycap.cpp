#include "ui/widgets/Keycap.h"

Keycap::Keycap(const QString& key, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setText(key);
    setProperty("keycap", true);
    setAlignment(Qt::AlignCenter);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}
