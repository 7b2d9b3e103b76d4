#pragma once

#include "fixtures/fixture_view.h"
#include "ui_graph_window.h"

#include <QImage>
#include <QMainWindow>
#include <QMetaObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QScrollArea;
class ctrlEffects;
class efGroup;
class lightEffect;

// Where the plan's colours come from (the window's lightMode). The entries of
// the "Light presentation" menu stand in the order 0..5.
enum lightModeValue {
    LIGHT_MODE_DESIGN = -1,     // design kind: grey, nothing computed
    LIGHT_MODE_ALL_ON = 0,      // every fixture white
    LIGHT_MODE_OFFLINE = 1,     // a scene of the image
    LIGHT_MODE_LIVE_SHOW = 2,   // the controller's output as the monitor reads it
    LIGHT_MODE_LIVE_DESIGN = 3, // a scene of the image, also played live
    LIGHT_MODE_COMPOUND = 4,    // an active-scene picture
    LIGHT_MODE_ALL_OFF = 5      // every fixture dark
};

// Scene numbers the window shows: the scenes of the image, then the 32
// compound pictures (10240 + 2 x range + motion).
constexpr int FIRST_COMPOUND_SCENE = 10240;
constexpr int LAST_COMPOUND_SCENE = 10271;

// The visualisation window: the plan of the visual project on its background
// image, in design kind (icons shown, fixtures arranged) or in show kind
// (beams coloured from DMX values). At most one exists; the visual project
// keeps it in graphWindow. It is the view its fixture items are shown on.
//
// The window does not own the fixtures; it makes and deletes their beams and
// crosses and lends their icons to its plan, giving them back to the main
// window when it closes.
class kvVGraph_class : public QMainWindow, public Ui::GraphWindow, public fixtureView {
    Q_OBJECT
public:
    kvVGraph_class(bool designMode, QWidget* parent);
    ~kvVGraph_class() override;

    // Lays the fixture items out for the window's kind.
    void arrangeItems();
    // Takes the field and the background of the kind from the visual-project
    // page and applies the zoom; in show it enters the presentation mode again.
    void setupView();
    void setZoom(double factor);
    // Places every fixture's icon, beam and cross; nothing while hidden.
    void relayoutFixtures();
    void updatePositionLabel();
    void setLightLevel(int level);
    // The position on the image under a point of the window.
    QPoint imagePosition(const QPoint& windowPosition) const;
    // The field position of a point of the window, truncated towards zero;
    // a point above or left of the image is the field's edge.
    QPoint fieldPosition(const QPoint& windowPosition) const;
    // The fixture whose icon (design), beam or cross lies under a point of
    // the window; what lies there is told in kind.
    enum itemKind { NO_ITEM, ICON_ITEM, BEAM_ITEM, CROSS_ITEM };
    lightEffect* fixtureAt(const QPoint& windowPosition, itemKind* kind = nullptr) const;
    // The groups a right click with Alt controls in show: per group holding
    // the fixture its members with the fixture's channel functions, then the
    // selection's, when the fixture is selected; none empty.
    std::vector<std::unique_ptr<efGroup>> controlGroupsOf(const lightEffect* fixture) const;
    // The menu of light control by groups: the selection and every named
    // group, split by the fixtures' channel functions.
    void makeMenuCtrlGroup();

    // The view of the fixture items.
    double viewZoom() const override { return zoom; }
    double viewScale() const override { return scale; }
    QPoint fieldToView(int x, int y) const override;
    const uint8_t* shownValues() const override;
    void showStatusText(const QString& text, int ms) override;

    QString backgroundFile;
    int lightLevel = 1;    // 1, 2, 4 or 8
    double zoom = 1.0;
    double scale = 1.0;    // field units per pixel of the background image
    QString zoomText;      // "( 100% )"
    QImage background;     // at its own resolution, lightened or dimmed
    QScrollArea* scrollArea = nullptr;
    QLabel* imageLabel = nullptr;     // the scaled background; parent of the plan's items
    QLabel* positionLabel = nullptr;
    bool autoZoom = true;
    bool designMode;
    int lightMode = LIGHT_MODE_DESIGN;
    int fieldWidth;
    int fieldHeight;
    int hScroll = 0;
    int vScroll = 0;
    int pressX = -1;
    int pressY = -1;
    lightEffect* dragFixture = nullptr;
    QMenu* presentationMenu = nullptr;
    QMenu* fixtureMenu = nullptr;
    QMenu* fieldMenu = nullptr;
    QMenu* ctrlGroupMenu = nullptr;
    QAction *actAllOn = nullptr, *actAllOff = nullptr, *actCompound = nullptr, *actOffline = nullptr,
            *actLive = nullptr, *actLiveDesign = nullptr;
    QAction *actChooseScene = nullptr, *actAddFixture = nullptr, *actPasteFixture = nullptr,
            *actShowDetails = nullptr, *actEditFixture = nullptr, *actCopyFixture = nullptr,
            *actRemoveFixture = nullptr, *actInvertFixture = nullptr, *actSelectThisOnly = nullptr,
            *actGroupMembership = nullptr, *actGroupManagement = nullptr;
    QActionGroup* modeGroup = nullptr;
    QActionGroup* levelGroup = nullptr;
    lightEffect* clipboardFixture = nullptr;
    lightEffect* pointedFixture = nullptr;

signals:
    // Asks for the right-hand panel's Live button to be clicked.
    void setLiveMode();

public slots:
    void switchMode();
    void zoomIn();
    void zoomOut();
    void zoom400();
    void zoom200();
    void zoom150();
    void zoom100();
    void zoom75();
    void zoom50();
    void zoom25();
    void zoom10();
    // Fits the field into the scroll area.
    void autoRescale();
    void lighter(QAction* action);
    void autoZoomChanged();
    void hScrollVal(int value);
    void vScrollVal(int value);
    void changeLightModeOn();
    void changeLightModeOff();
    void changeLightModeLive();
    void changeLightModeOffline();
    void changeLightModeDesign();
    void changeToCompoundAS();
    void chooseScene();
    // Fixture commands: a new fixture at the pressed point and its
    // properties, a fixture's details, copy and paste, removal, quick
    // addressing of all fixtures.
    void newFixture();
    void pasteFixture();
    void infoFixture();
    void modiFixture();
    void copyFixture();
    void deleteFixture();
    void autoAddress();
    void showDeviceList();
    // The pointer and the keys: drag, context menus, selection and light
    // control by pointer; redraw, scene stepping and copying by keys.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Shows another scene, program step or compound picture.
    void changeScNo(int scene, int program, int step);
    // Closes the window with its light-control dialogs; the window deletes
    // itself. Hides QWidget::close on purpose: every way of closing the
    // window ends here. The controller stays in the mode it is in.
    virtual bool close();
    // Channel ch of record sc changed on a fader bank.
    void chnlChanged(int sc, int ch);
    // Recomputes and redraws every fixture that has a mapped channel.
    void sceneChanged();

    // Selection and groups (kv_vgraph_selection.cpp).
    void selectAll();
    void deselectAll();
    void invertSel();
    // Toggles pointedFixture's selection.
    void invertFixt();
    // Design: pointedFixture becomes the only fixture selected.
    void singleSel();
    // The sending action's data is the index of the group in the project's groups.
    void selectGroup();
    // Pointing at "Select" rebuilds its "Select group" menu.
    void makeMenuSelGroup(QAction* hovered);
    // The group dialog, for a fixture or none, then the fixtures' check.
    void groupShip(lightEffect* fixture);
    void groupShip();
    void sglGroupShip();
    // Light control of one fixture (offline and live design), or of a set
    // of like fixtures (also a compound picture); a dialog already open for
    // the same fixtures comes to the front instead.
    void designFxt(lightEffect* fixture);
    void controlByGroup(efGroup* group);
    // From an action of the light-control menu.
    void controlByGroup();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    // The visual project deleted or rebuilt its fixtures.
    void fixturesReplaced();
    // The monitor's output window is going: its buffer goes with it.
    void outputWindowClosed();
    // One fixture is being removed: the window lets go of it.
    void fixtureRemoved(lightEffect* fixture);

private:
    // The fixture commands' menu entries.
    void connectFixtureCommands();
    // "+" (step 1) or "-" (step -1) in show: the next or previous program
    // step or scene, or with copy the shown scene copied onto that one.
    void stepScene(int step, bool copy);
    // Close steps 1 to 4: what the window holds of others goes back.
    void releaseItems();
    // The sources of the previous mode: the monitor's connections (a), the
    // light-control dialogs (b), the output window's connections (c), the
    // scene editor's fader bank (d).
    void releaseMonitor();
    void closeControlDialogs();
    void releaseOutputWindow();
    void releaseSceneFaders();
    // Follows a fader bank of the main window with chnlChanged.
    void followSceneFaders();
    void followCompoundFaders();
    // A refused mode change: the entry of the current mode is checked again.
    void revertMode();
    // The scene the offline and live-design modes show; false when the
    // choice cannot be shown.
    bool chooseShownScene(QString& sceneText, uint8_t*& buffer);
    // Every fixture gets the colour and is redrawn.
    void paintAll(const QColor& colour);
    // Ends the modes that show no scene: no choice, no light control by groups.
    void hideSceneChoice();
    // The choose-scene entry names the scene or program step shown.
    void showSceneChoice();
    // A menu-bar menu without a title has nothing to show: it is hidden.
    static void setMenuTitle(QMenu* menu, const QString& title);
    static void setMenuEnabled(QMenu* menu, bool enabled);
    // The "Lighten background" menu, with its level entries.
    void enableLevelMenu(bool enabled);
    // Reads the scroll bars' values into hScroll and vScroll.
    void takeScrollOffsets();
    // "Zoom in", "Zoom out" and "Select zoom" serve only while "Auto" is off.
    void enableManualZoom(bool enabled);
    // The texts that name the shown choice.
    static QString sceneText(int scene, int program, int step);
    static QString compoundText(int compoundScene);
    static QString compoundChooserText(int compoundScene);
    // Selection and light control.
    void connectSelection();
    bool controlMenuInUse() const;
    bool showsControllableValues() const;
    void redrawFixture(lightEffect* f);
    void selectionEnded();
    void openControlDialog(ctrlEffects* dialog);

    QMetaObject::Connection sceneFaderLink;
    QMetaObject::Connection compoundFaderLink;
    // The output window's buffer the live show reads.
    const uint8_t* liveSource = nullptr;
    // close() has run: the window only waits for its deletion.
    bool closing = false;
};
