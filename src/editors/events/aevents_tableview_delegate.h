#pragma once

#include "widgets/cell_editor_delegate.h"

#include <memory>
#include <optional>

struct eventAction;

// Edits the cells of the action table and stores each edit straight into the
// events table. Storing keeps the configuration consistent: one enabling
// source, no ordinary action starting a delay of a sequence, startedDelays
// listing every started delay, input 24's Self programming pair, and the
// sub-actions the page allows for the type and number.
class aevents_tableview_delegate : public cellEditorDelegate {
    Q_OBJECT
public:
    aevents_tableview_delegate(int eventPageKind, QObject* parent);
    ~aevents_tableview_delegate() override;

    // Ids 0..4975 only; any other id leaves the edited event as it was.
    void setEventId(int id);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    int editedEvent = 0;
    int pageKind;
    // The edited action's number, type and sub-action as its editor opened;
    // while storing, the values before the edit.
    std::unique_ptr<eventAction> editedAction;
    QWidget* ownerTable;

signals:
    void actionTypeChgd(int type);
    void actionNoChgd(int shown);
    void forceRefresh();

protected:
    // The state-limit window stores only on its "Set".
    bool storesWhenLeft(const QWidget* editor) const override;

private:
    // stored: the action changed and the lists still have to follow it;
    // listsKept: changed with the lists already kept; refused: nothing
    // stored, the table reloads; unchanged: nothing at all happens.
    enum class outcome { stored, listsKept, refused, unchanged };
    // The position in the event's list of the action a row shows; -1 none.
    int actionIndex(int row) const;
    // The widget the state-limit window belongs to: the page hosting the table.
    QWidget* hostPage() const;
    bool selfProgrammingOffered() const;

    outcome storeType(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index, int i) const;
    outcome storeNumber(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index, int i) const;
    outcome storeSubAction(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index, int i) const;
    // A Delay-Start action is about to start delay d of sequence q: asks
    // whether to take the first free delay instead. The free delay, or -1
    // when the user declines, -2 when no delay is free (the user was told).
    int repairDelay(int d, int q) const;
    // An action of row i is becoming a start of delay `number` (or of every
    // delay): refuses "every delay" while a sequence owns one, and moves a
    // start of a sequence's delay to a free one when the user agrees, setting
    // `moved`. Empty when the edit may go on.
    std::optional<outcome> claimDelay(int number, QAbstractItemModel* model, const QModelIndex& index, int i,
                                      bool& moved) const;
    void checkRule(int i, int type, int shown, int oldSub) const;
};
