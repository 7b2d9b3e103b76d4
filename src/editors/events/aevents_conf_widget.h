#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QPushButton;
class QResizeEvent;
class aevents_tableview_widget;

// The action list of one event: the action table with the buttons that add,
// insert, delete, copy and paste actions. Every event page and the sequence
// page own one, made with their page kind; the page says which event it
// shows with setEvent(). Copies go to the events table's clipboard, so they
// can be pasted on any page, also after the copied actions are gone or
// another configuration was loaded.
class aevents_conf_widget : public QWidget {
    Q_OBJECT
public:
    aevents_conf_widget(int eventPageKind, QWidget* parent);

    // Any id; one outside 0..4975 (0xFFFF on the sequence page) names no
    // event: the table is empty and the buttons do nothing.
    void setEvent(int id);

    aevents_tableview_widget* actionTable;
    QPushButton* addActionButton;
    QPushButton* delActionButton;
    QPushButton* insertActionButton;
    QPushButton* copyActionsButton;
    QPushButton* pasteActionsButton;  // enabled while the clipboard holds actions
    QCheckBox* beforeBox;             // paste in front of the current row
    int panelEvent = 0;
    int pageKind;

signals:
    // startedDelays changed: the delay page has to reload.
    void forceRefresh();

public slots:
    void refresh();
    void pushButton_addClicked(bool checked = false);
    void pushButton_insClicked(bool checked = false);
    void pushButton_delClicked(bool checked = false);
    void copyActions();
    void pasteActions();
    void deletePressed();
    void insertPressed();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    bool eventShown() const;
    // The positions in the event's list of the actions the rows show.
    QList<int> rowActions() const;
    // The selected rows, in ascending order.
    QList<int> selectedRows() const;
    void warnLocked();
    void finishEdit();
    // Whether the shown event may carry an Enabling action; when another
    // source holds the role the user is told so.
    bool enablingAllowed();
};
