#include "widgets/inf_time_class.h"

#include "widgets/my_time_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QHBoxLayout>

infTime_class::infTime_class(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
{
    timeEdit = new MyTimeEdit(this);
    infiniteBox = new QCheckBox(QString(), this);

    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(3);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(timeEdit);
    layout->addWidget(infiniteBox);

    // 0xFFFE tenths is the longest time; 0xFFFF means switched off.
    timeEdit->setTimeRange(QTime(0, 0), QTime::fromMSecsSinceStartOfDay(0xFFFE * 100));
    connect(infiniteBox, &QCheckBox::stateChanged, this, &infTime_class::editEnable);
}

infTime_class::~infTime_class()
{
    delete timeEdit;
    delete infiniteBox;
}

void infTime_class::editEnable(int state)
{
    timeEdit->setEnabled(state != Qt::Checked);
}

QWidget* infTime_class::widgetUnderPointer() const
{
    return QApplication::widgetAt(QCursor::pos());
}

bool infTime_class::isOverPart(const QWidget* w) const
{
    // The time edit is made of inner widgets; any of them counts as the edit.
    return w && (w == timeEdit || w == infiniteBox || timeEdit->isAncestorOf(w) || infiniteBox->isAncestorOf(w));
}

void infTime_class::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!isOverPart(widgetUnderPointer()))
        Q_EMIT leaved(this);
}
