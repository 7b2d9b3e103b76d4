#pragma once

#include <QTime>
#include <QWidget>

class MyTimeEdit;
class QCheckBox;

// A time edit with a check box beside it that switches the time off; the
// users read and set both directly. The time stops at 01:49:13.400 (0xFFFE
// tenths), so that 0xFFFF stays free for the switched-off time.
class infTime_class : public QWidget {
    Q_OBJECT
public:
    explicit infTime_class(QWidget* parent = nullptr);
    ~infTime_class() override;

    MyTimeEdit* timeEdit;
    QCheckBox* infiniteBox;

Q_SIGNALS:
    // Declared for the users' convenience; they connect to timeEdit instead.
    void timeChanged(QTime time);
    // The mouse has left the widget: the end of editing of the field.
    void leaved(QWidget* widget);

public Q_SLOTS:
    void editEnable(int state);

protected:
    void leaveEvent(QEvent* event) override;
    // The widget under the mouse pointer when a leave event arrives.
    virtual QWidget* widgetUnderPointer() const;

private:
    bool isOverPart(const QWidget* w) const;
};
