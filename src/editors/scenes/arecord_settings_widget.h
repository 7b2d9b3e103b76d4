#pragma once

#include "editors/scenes/dmx_sheet.h"
#include "model/record_copy.h"

#include <QBrush>
#include <QModelIndex>
#include <QString>
#include <QTime>
#include <QWidget>

#include <array>
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
class QTableWidget;
class admx512_sliders_widget;
class admx_slider_widget;
class guardedSpinBox;
class kv310_controller_class;

// What sets scenes and masks apart on their pages: how many records there
// are, where their levels, times and descriptions live, the captions that
// name them, the colour of a list row and the all-times-zero rule.
struct recordPageKind {
    int kind;                     // admx512_sliders_widget kind: 0 scenes, 1 masks
    int count;                    // records
    uint32_t channels;            // image offset of record 0's levels, 512 bytes per record
    uint32_t times;               // image offset of record 0's fadeTimes, 8 bytes per record
    // Source texts, translated in the page's context.
    const char* listHeader;       // "Scene"
    const char* toolLabelAtStart; // "Scene: %1", until the first change of record
    const char* toolLabel;        // "Scene %1"
    const char* clearCaption;     // "Clear channels"
    const char* sheetTitle;       // "Import / Export Scenes"
    const char* relocateCaption;  // "Relocate scenes:"
    const char* uselessText;      // "Choose different source scene!"
    const char* configFilter;     // configuration files offered by "Browse" of "Another Configuration"
    const char* importTitle;      // "Import scenes:"
    const char* exportTitle;      // "Export scenes:"
    const char* noneFound;        // "No valid scenes found!"
    const char* outsideTable;     // a column would land outside the table: %1 its number, %2 where, %3 records
    const char* imported;         // "%n scene(s) imported!"
    const char* exported;         // "%n scene(s) exported!"
    const char* tooManyColumns;   // the question before more than 255 records are exported
    const char* openSheetCaption; // "Choose DMX value sheet"
    const char* saveSheetCaption; // "Choose file to save scenes"
    uint8_t clearLevel;           // what the clear button writes to every channel
    int stepMaximum;              // of "Choose every"
    int rangeEndAtStart;          // toChannelBox when built
    int valueAtStart;             // valueFader when built
    // Scenes: a fade set to 0 checks the rule too, the duration counts in
    // it, and showing a record checks it. Masks: only a duration the user
    // sets to 0 checks it, against the fades.
    bool fadesInTimeRule;
    recordTable table;
    const dmxSheetKind* sheet;

    static const recordPageKind& scenes();
    static const recordPageKind& masks();

    QString* descriptions(kv310_controller_class* controller) const;
    // The background of record r's list row, from its 512 levels.
    QBrush rowBrush(int record, const uint8_t* levels) const;
};

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
    kv310_controller_class* tmpDev = nullptr;   // another configuration to copy from; owned
    QTableWidget* recordList;                   // one row per record
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
    QTableWidget* groupTable;                   // one check box per channel, 10 per row
    std::array<QCheckBox*, 512> channelBoxes{}; // the grid's boxes, by 0-based channel
    QLabel* groupLabel;
    QGroupBox* selectionGroup;
    QRadioButton *selectButton, *deselectButton, *invertButton;
    QGroupBox* chooseGroup;
    QCheckBox* everyBox;
    QSpinBox* stepBox;
    QCheckBox* inRangeBox;
    QLabel *fromLabel, *toLabel;
    guardedSpinBox* fromChannelBox;
    guardedSpinBox* toChannelBox;
    QPushButton* executeButton;
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
    QPushButton* altCopyButton;                 // enabled while tmpDev holds a file
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
    void validStart(int v);
    void validEnd(int v);
    void selectSome();
    void groupSetValue(int ch, int val);
    void copyEnabled(bool state);
    void sliderEnabled(bool state);
    void copyGroup();
    void copyScene();
    void sourceDesc(int v);
    void lowLimit_2(int v);
    void browseFile();
    void readFile();
    void copyAltScene();
    void clrCfg();
    void destTmpDev();
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
    QString rowText(int record) const;
};
