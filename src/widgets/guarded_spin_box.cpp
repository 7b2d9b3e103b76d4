#include "widgets/guarded_spin_box.h"

#include <QKeyEvent>

guardedSpinBox::guardedSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
}

void guardedSpinBox::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Enter)
        Q_EMIT valueAccepted(value());
    QSpinBox::keyPressEvent(e);
}

void guardedSpinBox::focusOutEvent(QFocusEvent* e)
{
    Q_EMIT valueAccepted(value());
    QSpinBox::focusOutEvent(e);
}
