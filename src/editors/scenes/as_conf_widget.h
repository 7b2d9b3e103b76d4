#pragma once

#include "model/active_scenes.h"
#include "widgets/cell_editor_delegate.h"

#include <QGroupBox>

class MyTimeEdit;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class as_conf_delegate;
class as_conf_widget;

// Edits the sector table of the active-scenes settings page: each channel
// cell gets a spin box (0 = "not set"), and a value is written straight
// into the image, taking the other end of the sector along where needed.
class as_conf_delegate : public cellEditorDelegate {
    Q_OBJECT
public:
    explicit as_conf_delegate(QObject* parent);

    as_conf_widget* page;  // the table's parent page

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

signals:
    void forceRefresh();
};

// The active-scenes settings page, a checkable group box "Enable active
// scenes": the first scene of the active scenes, the first internal event of
// the ranges, the DMX input channel that selects the range, the fade times
// and the 24 sectors (spans of DMX output channels). Its buttons make fixture
// groups of the sectors, compose the compound pictures from the scenes, and
// apply the pictures back as scenes with the event actions that run them.
// The numbers are edited straight in the image; only the check state is the
// page's own.
class as_conf_widget : public QGroupBox {
    Q_OBJECT
public:
    explicit as_conf_widget(QWidget* parent);

    // Highest values the boxes offer, as shown (1-based).
    static constexpr int START_SCENE_LIMIT = activeSceneRules::START_SCENE_LIMIT;
    static constexpr int START_EVENT_LIMIT = activeSceneRules::START_EVENT_LIMIT;
    static constexpr int SECTORS = activeSceneRules::SECTORS;
    static constexpr int RANGES = activeSceneRules::RANGES;

    QLabel *startSceneLabel, *sectorsLabel, *controlChannelLabel, *fadeUpLabel, *fadeDownLabel, *startEventLabel;
    QPushButton *groupsButton, *composeButton, *applyButton;
    QSpinBox *startSceneBox, *controlChannelBox, *startEventBox;
    QTableWidget* sectorTable;
    as_conf_delegate* delegate;
    MyTimeEdit *fadeUpEdit, *fadeDownEdit;

    int refreshCount = 0;  // reloads from the image so far

    // Whether the three boxes all show a number.
    bool allSet() const;

public slots:
    // Both reload every field from the image, whatever the argument.
    void refresh(bool v);
    void refresh();
    void changeRange();
    void applyActiveScenes();
    void composeCompoundScens();
    void createGroupsForAS();
    void saveScStart(int v);
    void saveEvStart(int v);
    void saveThChnl(int v);
    // After a configuration was read from a file or from the controller.
    void configRead();
    // The user set the number of DMX input channels in use (stored already
    // as inputChannelLimit): a control channel above it moves to it.
    void setInputLimit(int limit);

private:
    // The three boxes from the image; a number the controller cannot take
    // is stored as they show it.
    void loadNumbers();
    void showSectorRow(int row);
    // Rebuilds the pictures from the scenes, without redrawing anything.
    void composePictures();
};

// Tells the user, when index (what appending an action returned) is
// negative, that the actions cannot be made; true then.
bool reportActionError(QWidget* parent, int index);
