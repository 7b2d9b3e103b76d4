#pragma once

#include <QModelIndex>
#include <QString>
#include <QTableWidget>
#include <cstdint>

class aevents_tableview_delegate;
class QKeyEvent;

// The actions of one event as rows of five columns (type, number, what it
// does, daytime limit, state limits). The table only shows them: its cells are
// edited through its delegate, which writes into the events table, and every
// row is rebuilt from the events table at each refresh().
class aevents_tableview_widget : public QTableWidget {
    Q_OBJECT
public:
    aevents_tableview_widget(int eventPageKind, QWidget* parent);

    void setEvent(int id);
    // The type of the current row's action; -1 without a current row and for
    // the types no editor offers (Active scenes, 12..15).
    int actionTypeOfRow() const;

    // Cell texts of an action.
    static QString typeText(int type);
    static QString numberText(int type, int number);
    static QString subActionText(int type, int sub, int number);
    static QString daytimeText(int from, int to);
    static QString stateLimitsText(uint8_t states1to4, const uint32_t words[4]);

    aevents_tableview_delegate* actionDelegate;
    int shownEvent = 0;
    int pageKind;
    int refreshCount = 0;  // rebuilds so far

signals:
    void deletePressed();
    void insertPressed();
    void actionChgd(int type, int number);

public slots:
    void slotTypeChgd(int type);
    void slotNoChgd(int shown);
    void rowChgd(const QModelIndex& current, const QModelIndex& previous);
    void refresh();
    void stopEditing(QWidget* editor);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void wrapHeader();
    QTableWidgetItem* cell(int row, int column);
    // The object number the No. cell of a row shows, 0-based; -1 for none.
    int shownNumber(int row) const;
};
