#pragma once

#include "editors/scenes/dmx_sheet.h"
#include "editors/scenes/record_page_kind.h"
#include "widgets/check_grid.h"
#include "widgets/page_list.h"

#include <QModelIndex>
#include <QString>
#include <QTime>
#include <QWidget>

#include <cstdint>
#include <memory>

class MyTimeEdit;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class admx512_sliders_widget;
class admx_slider_widget;
class cellSelectionGroup;
class kv310_controller_class;
class otherConfiguration;
class recordListModel;

// The page of one kind of 512-byte records (scenes or masks): the list of
// records on the left and the tools for the current record on the right:
// "Single Channels" (a fader bank, the three times, the description),
// "Groupped Channels" (a grid of channels chosen by rule, set to one level
// or copied to higher channels) and "Copying" (ranges of records copied
// onto the current one, from this configuration or from another file, and
// the DMX sheet import and export). The page reads and writes the records
// of the controller object given to it and keeps no copy of them.
//
// The page object is never shown: its widgets are children of the tab page
// given to the constructor or of its tool pages. Without a controller object
// the page shows its widgets and edits nothing.
class arecord_settings_widget : public QWidget {
    Q_OBJECT
public:
    arecord_settings_widget(kv310_controller_class* controller, QWidget* parent, const recordPageKind& kind);
    ~arecord_settings_widget() override;

    const recordPageKind& kind;
    dmxSheetColumns sheetColumns;               // the sheet read last, sorted by number
    dmxSheetUnread sheetUnread;                 // its number cells that could not be read
    int currentScene = 0;                       // 0-based current record, the list's current row
    otherConfiguration* copySource;             // another configuration to copy from, with its controls
    recordListModel* recordModel;               // what the list's rows show, read from the image
    pageListView* recordList;                   // one row per record
    QTabWidget* toolTabs;
    QWidget* singlePage;                        // "Single Channels"
    QWidget* groupPage;                         // "Groupped Channels"
    QWidget* copyPage;                          // "Copying"

    // "Single Channels"
    std::unique_ptr<admx512_sliders_widget> sliderBank;
    QLabel *fadeUpLabel, *durationLabel, *fadeDownLabel;
    MyTimeEdit *fadeUpEdit, *durationEdit, *fadeDownEdit;
    QCheckBox* infiniteBox;
    QPushButton* clearButton;
    QLabel* descriptionLabel;
    QLineEdit* descriptionEdit;

    // "Groupped Channels"
    checkGridModel* channelGrid;                // the ticked channels, by 0-based channel
    checkGridView* groupTable;                  // draws channelGrid, 10 channels per row
    QLabel* groupLabel;
    cellSelectionGroup* selectionGroup;         // ticks channelGrid by rule
    QCheckBox* valuesEnableBox;
    QLabel *valuesLabel, *withSliderLabel;
    std::unique_ptr<admx_slider_widget> valueFader;
    QCheckBox* copyEnableBox;
    QLabel *copyingLabel, *relocationLabel;
    QSpinBox* relocationBox;
    QPushButton* copyButton;

    // "Copying": "Current Configuration"
    QGroupBox* currentGroup;
    QLabel *copyRangeLabel, *copyToLabel;
    QSpinBox *fromSceneBox, *toSceneBox;        // source range, 1-based
    QPushButton* copySceneButton;
    QLineEdit* sourceDescriptionEdit;           // of the first source record
    // "Another Configuration"
    QGroupBox* anotherGroup;
    QLabel* fileLabel;
    QLineEdit* fileEdit;                        // the other configuration file
    QPushButton *browseFileButton, *openFileButton, *releaseButton;
    QLabel *altRangeLabel, *altToLabel;
    QSpinBox *altFromBox, *altToBox;            // source range in the other file, 1-based
    QPushButton* altCopyButton;                 // enabled while copySource holds a file
    // The DMX sheet import and export.
    QGroupBox* sheetGroup;
    QRadioButton *sheetImportButton, *sheetExportButton;
    QLabel* sheetFileLabel;
    QLineEdit* sheetFileEdit;
    QPushButton *sheetBrowseButton, *sheetChooseButton;
    QLabel *sheetRangeLabel, *sheetToLabel, *sheetRelocateLabel;
    QSpinBox *sheetFromBox, *sheetToBox, *sheetRelocationBox;
    QPushButton* sheetActionButton;

    int refreshCount = 0;   // reloads from the image so far
    int relabelCount = 0;   // rebuilds of the list texts so far

signals:
    // The current record; the fader bank shows it.
    void sceneChanged(int record);

public slots:
    virtual void tabChanged(int index);
    void sceneChange(const QModelIndex& current, const QModelIndex& previous);
    void disableDescEdition();
    void selectSome();
    void groupSetValue(int ch, int val);
    void copyEnabled(bool state);
    void sliderEnabled(bool state);
    void copyGroup();
    void copyScene();
    void sourceDesc(int v);
    void lowLimit_2(int v);
    void copyAltScene();
    void impOrExport();
    void browseImpExp();
    void chooseFile();
    void migrate();
    void refresh();
    void relabel();
    void limitChnls(int n);

private slots:
    void riseTimeChange(QTime t);
    void lastTimeChange(QTime t);
    void fallTimeChange(QTime t);
    void lastTimeInfChange(int state);
    void CheckTimes();
    void clearAllChnls();

protected:
    // After every refresh, for what one kind of page adds.
    virtual void refreshed() {}

    kv310_controller_class* controller;

private:
    void buildSingleChannels();
    void buildGroupChannels();
    void buildCopyTools();
    void buildSheetForm();
    void copyRecordsFrom(const kv310_controller_class& source, int from, int to);
    void readSheet();
    void exportSheet();
    QWidget* messageParent() const;
    uint8_t* imageOf() const;
    uint32_t timesOf(int record) const;
    void storeTime(int offset, int code);
};
