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
#include <functional>
#include <memory>
#include <vector>

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
    // When the page makes its "Groupped Channels" and "Copying" tools: at
    // once, or when first shown or first needed (the window's first frame
    // shows neither).
    enum class toolBuild { atOnce, whenNeeded };

    arecord_settings_widget(kv310_controller_class* controller, QWidget* parent, const recordPageKind& kind,
                            toolBuild tools = toolBuild::atOnce);
    ~arecord_settings_widget() override;

    // Makes the "Groupped Channels" and "Copying" tools of a page that left
    // them for later, as a page that made them at once would show them now.
    // Until then their members are null.
    void ensureTools();
    bool toolsBuilt() const { return toolsReady; }
    // The selection's range boxes end at channel n.
    void limitChannelRanges(int n);

    const recordPageKind& kind;
    dmxSheetColumns sheetColumns;               // the sheet read last, sorted by number
    dmxSheetFindings sheetFindings;             // what it held that reaches no record
    int currentScene = 0;                       // 0-based current record, the list's current row
    otherConfiguration* copySource = nullptr;   // another configuration to copy from, with its controls
    recordListModel* recordModel;               // what the list's rows show, read from the image
    pageListView* recordList;                   // one row per record
    QTabWidget* toolTabs;
    QWidget* singlePage;                        // "Single Channels"
    QWidget* groupPage;                         // "Groupped Channels"
    QWidget* copyPage = nullptr;                // "Copying"

    // "Single Channels"
    std::unique_ptr<admx512_sliders_widget> sliderBank;
    QLabel *fadeUpLabel = nullptr, *durationLabel = nullptr, *fadeDownLabel = nullptr;
    MyTimeEdit *fadeUpEdit = nullptr, *durationEdit = nullptr, *fadeDownEdit = nullptr;
    QCheckBox* infiniteBox = nullptr;
    QPushButton* clearButton = nullptr;
    QLabel* descriptionLabel = nullptr;
    QLineEdit* descriptionEdit = nullptr;

    // "Groupped Channels"
    checkGridModel* channelGrid = nullptr;      // the ticked channels, by 0-based channel
    checkGridView* groupTable = nullptr;        // draws channelGrid, 10 channels per row
    QLabel* groupLabel = nullptr;
    cellSelectionGroup* selectionGroup = nullptr;  // ticks channelGrid by rule
    QCheckBox* valuesEnableBox = nullptr;
    QLabel *valuesLabel = nullptr, *withSliderLabel = nullptr;
    std::unique_ptr<admx_slider_widget> valueFader;
    QCheckBox* copyEnableBox = nullptr;
    QLabel *copyingLabel = nullptr, *relocationLabel = nullptr;
    QSpinBox* relocationBox = nullptr;
    QPushButton* copyButton = nullptr;

    // "Copying": "Current Configuration"
    QGroupBox* currentGroup = nullptr;
    QLabel *copyRangeLabel = nullptr, *copyToLabel = nullptr;
    QSpinBox *fromSceneBox = nullptr, *toSceneBox = nullptr;  // source range, 1-based
    QPushButton* copySceneButton = nullptr;
    QLineEdit* sourceDescriptionEdit = nullptr;  // of the first source record
    // "Another Configuration"
    QGroupBox* anotherGroup = nullptr;
    QLabel* fileLabel = nullptr;
    QLineEdit* fileEdit = nullptr;              // the other configuration file
    QPushButton *browseFileButton = nullptr, *openFileButton = nullptr, *releaseButton = nullptr;
    QLabel *altRangeLabel = nullptr, *altToLabel = nullptr;
    QSpinBox *altFromBox = nullptr, *altToBox = nullptr;  // source range in the other file, 1-based
    QPushButton* altCopyButton = nullptr;       // enabled while copySource holds a file
    // The DMX sheet import and export.
    QGroupBox* sheetGroup = nullptr;
    QRadioButton *sheetImportButton = nullptr, *sheetExportButton = nullptr;
    QLabel* sheetFileLabel = nullptr;
    QLineEdit* sheetFileEdit = nullptr;
    QPushButton *sheetBrowseButton = nullptr, *sheetChooseButton = nullptr;
    QLabel *sheetRangeLabel = nullptr, *sheetToLabel = nullptr, *sheetRelocateLabel = nullptr;
    QSpinBox *sheetFromBox = nullptr, *sheetToBox = nullptr, *sheetRelocationBox = nullptr;
    QPushButton* sheetActionButton = nullptr;

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
    // After the page's own tools are made, for the tools one kind of page
    // adds to them. A page making its tools at once calls it before the
    // kind's constructor runs: that constructor makes its own then.
    virtual void toolsMade() {}

    kv310_controller_class* controller;

private:
    // Runs a step on the tools now, or once they are made.
    void whenTools(std::function<void()> step);
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

    bool toolsReady = false;
    bool sceneChosen = false;       // the list's current row changed since the page was made
    int channelsAtStart;            // the channel limit when the page was made
    int outputsAtStart;             // the range boxes' end when the page was made
    std::vector<std::function<void()>> pendingTools;  // in the order they reached the page
};
