#include "app/right_panel_widget.h"

#include "app/gui_class.h"
#include "seams/dialog_seam.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/other_configuration.h"
#include "widgets/cell_editor_delegate.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// Reconnection after a restart: tries, 100 ms apart.
constexpr int RECONNECT_TRIES = 20;
// How long (in 100 ms steps) the panel waits for the controller to let go of
// the link after a restart before it tries to reconnect anyway.
constexpr int RELEASE_POLLS = 20;

constexpr int MODE_COLUMN_X = 33;
constexpr int MODE_COLUMN_WIDTH = 140;

const QColor startRed(220, 0, 0);
const QColor disconnectedRed(180, 0, 0);
const QColor connectedGreen(0, 155, 0);
const QColor infoBoxGreen(110, 200, 15);
const QColor idleColour(230, 180, 115);
const QColor runningColour(160, 200, 90);

QPushButton* makeButton(const QString& text, int x, int y, int w, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setGeometry(x, y, w, 25);
    return button;
}

QLabel* makeLabel(const QString& text, int x, int y, int w, int h, QWidget* parent, bool centred = true)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    if (centred)
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    return label;
}

// The palette with one role set to a colour in every colour group.
QPalette withColour(QPalette palette, QPalette::ColorRole role, const QColor& colour)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
    return palette;
}

QString startDirectory()
{
    return theController && !theController->lastPath.isEmpty() ? theController->lastPath : QStringLiteral("./");
}

QString fileCaption()
{
    return right_panel_widget::tr("Choose a project description file for ") + QStringLiteral("Kv310+")
           + right_panel_widget::tr(" controller");
}

bool controllerConnected()
{
    return theController && theController->isConnected();
}

}  // namespace

right_panel_widget::right_panel_widget(kv310_controller_class* controller, QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setGeometry(860, 23, 207, 678);

    sendButton = makeButton(tr("Send config to device"), 10, 30, 186, this);
    readButton = makeButton(tr("Read config from device"), 10, 70, 186, this);
    saveFileButton = makeButton(tr("Save config to file"), 10, 110, 186, this);
    readFileButton = makeButton(tr("Read config from file"), 10, 150, 186, this);
    clearButton = makeButton(tr("Clear config"), 10, 190, 186, this);
    connectButton = makeButton(tr("Connect with device"), 10, 330, 186, this);
    disconnectButton = makeButton(tr("Disconnect device"), 10, 360, 186, this);
    // The column of the mode buttons, the restart button and the box of the
    // controller's numbers, centred in the panel with room for the longer
    // captions of other languages.
    restartButton = makeButton(tr("Restart device"), MODE_COLUMN_X, 590, MODE_COLUMN_WIDTH, this);
    liveButton = makeButton(tr("Live"), MODE_COLUMN_X, 430, MODE_COLUMN_WIDTH, this);
    liveButton->setCheckable(true);
    normalButton = makeButton(tr("Normal"), MODE_COLUMN_X, 460, MODE_COLUMN_WIDTH, this);
    normalButton->setCheckable(true);
    freezeButton = makeButton(tr("Freeze"), MODE_COLUMN_X, 490, MODE_COLUMN_WIDTH, this);
    freezeButton->setCheckable(true);
    freezeButton->setEnabled(false);

    titleLabel = makeLabel(tr("Configuration"), 10, 5, 186, 25, this);
    controllerLabel = makeLabel(tr(" ", "1") + QStringLiteral("Kv310+") + tr(" controller"), 10, 260, 186, 20, this);
    statusCaption = makeLabel(tr("Status: "), 40, 300, 120, 25, this, false);
    // The state follows the caption's text, blank included, whatever the
    // language and the font make of its width.
    const int statusLeft = qMax(85, 40 + statusCaption->fontMetrics().horizontalAdvance(statusCaption->text()));
    statusLabel = makeLabel(tr("Disconnected"), statusLeft, 300, 100, 25, this, false);
    statusLabel->setPalette(withColour(statusLabel->palette(), QPalette::WindowText, startRed));
    QFont statusFont(QStringLiteral("MS Shell Dlg"), 10, QFont::Bold);
    statusFont.setItalic(false);
    statusLabel->setFont(statusFont);
    modeLabel = makeLabel(tr("  ", "2") + QStringLiteral("Kv310+") + tr(" working mode: "), 10, 400, 186, 25, this);
    // The whole width inside the frame: some languages name days at length.
    clockLabel = makeLabel(QStringLiteral("------,  --.--.----  --:--:--"), 3, 280, 201, 20, this);

    infoBox = new QGroupBox(this);
    infoBox->setGeometry(MODE_COLUMN_X, 625, MODE_COLUMN_WIDTH, 50);
    infoBox->setPalette(withColour(palette(), QPalette::Base, infoBoxGreen));
    infoBox->setAutoFillBackground(true);
    serialLabel = makeLabel(tr("S/N ----"), 0, 5, MODE_COLUMN_WIDTH, 20, infoBox);
    firmwareLabel = makeLabel(tr("F/W ver. ----"), 0, 25, MODE_COLUMN_WIDTH, 20, infoBox);

    connect(sendButton, &QPushButton::clicked, this, &right_panel_widget::sendConfClick);
    connect(readButton, &QPushButton::clicked, this, &right_panel_widget::readConfClick);
    connect(normalButton, &QPushButton::toggled, this, &right_panel_widget::normalModeChecked);
    connect(liveButton, &QPushButton::toggled, this, &right_panel_widget::liveModeChecked);
    connect(freezeButton, &QPushButton::toggled, this, &right_panel_widget::freezeModeChecked);
    connect(this, &right_panel_widget::normalModeCheck, normalButton, &QPushButton::setChecked);
    connect(this, &right_panel_widget::liveModeCheck, liveButton, &QPushButton::setChecked);
    connect(this, &right_panel_widget::freezeModeCheck, freezeButton, &QPushButton::setChecked);
    connect(saveFileButton, &QPushButton::clicked, this, qOverload<bool>(&right_panel_widget::saveConfToFileClick));
    if (controller)
        connect(this, &right_panel_widget::saveConfToFileClicked, controller,
                &kv310_controller_class::write_confDataToFile);
    connect(readFileButton, &QPushButton::clicked, this, &right_panel_widget::readConfFromFileClick);
    if (controller)
        connect(this, &right_panel_widget::readConfFromFileClicked, controller,
                &kv310_controller_class::read_confDataFromFile);
    connect(connectButton, &QPushButton::clicked, this, &right_panel_widget::connectButtonClicked);
    connect(disconnectButton, &QPushButton::clicked, this, &right_panel_widget::disconnectButtonClicked);
    connect(restartButton, &QPushButton::clicked, this, qOverload<bool>(&right_panel_widget::resetButtonClicked));
    if (controller) {
        connect(controller, &kv310_controller_class::forceReset, this,
                qOverload<>(&right_panel_widget::resetButtonClicked));
        connect(this, &right_panel_widget::setConnection, controller, &kv310_controller_class::setConnection);
        connect(controller, &kv310_controller_class::setConnectionStatus, this,
                &right_panel_widget::setConnectionStatus);
        connect(this, &right_panel_widget::setWorkingMode, controller, &kv310_controller_class::ch_mode);
    }
}

void right_panel_widget::report(const QString& text)
{
    showMessage(QMessageBox::Critical, this, QStringLiteral("KvOrbit310+"), text);
}

void right_panel_widget::closeMonitorWindows()
{
    // At once, while the link is still up: the output window's going ends
    // DMX transparency on the controller before the operation that follows
    // lets the link go (a restart, a disconnect) or fills it (a transfer).
    if (auto* window = qobject_cast<gui_class*>(theMainWindow))
        window->closeLiveViews();
}

// ---- Working modes ------------------------------------------------------------

void right_panel_widget::normalModeChecked(bool checked)
{
    if (!controllerConnected()) {
        emit normalModeCheck(false);
        return;
    }
    if (checked) {
        freezeButton->setEnabled(true);
        if (liveButton->isChecked())
            emit freezeModeCheck(false);
        emit liveModeCheck(false);
        emit setWorkingMode(1);
        return;
    }
    freezeButton->setEnabled(false);
    if (liveButton->isChecked())
        return;
    emit normalModeCheck(true);
}

void right_panel_widget::liveModeChecked(bool checked)
{
    if (!controllerConnected()) {
        emit liveModeCheck(false);
        return;
    }
    if (checked) {
        emit normalModeCheck(false);
        emit freezeModeCheck(false);
        emit setWorkingMode(2);
        emit turnOnSceneLive();
        return;
    }
    if (normalButton->isChecked())
        return;
    emit liveModeCheck(true);
}

void right_panel_widget::freezeModeChecked(bool checked)
{
    if (!theController)
        return;
    if (checked) {
        if (theController->freezeDevice() < 0) {
            // The show was not frozen, so Freeze must not show it was (a
            // lost link has unchecked it already).
            showFrozen(false);
            report(tr("Controller not frozen!"));
        }
    } else if (theController->unfreezeDevice() < 0) {
        report(tr("Controller still frozen!"));
    }
}

void right_panel_widget::showFrozen(bool frozen)
{
    const QSignalBlocker blocker(freezeButton);
    freezeButton->setChecked(frozen);
}

// ---- Connection -------------------------------------------------------------------

void right_panel_widget::setConnectionStatus(bool connectionStatus)
{
    if (connectionStatus) {
        statusLabel->setPalette(withColour(statusLabel->palette(), QPalette::WindowText, connectedGreen));
        statusLabel->setText(tr("Connected"));
        const int state = theController ? theController->deviceState() : -1;
        infoBox->setPalette(withColour(palette(), QPalette::Window, state == 0 ? idleColour : runningColour));
        infoBox->update();
        // Freeze shows whether the controller's show is frozen, without
        // asking it to freeze or resume; the window checks Normal when the
        // controller runs in normal mode.
        if (theController)
            showFrozen(theController->deviceFrozen);
        return;
    }
    statusLabel->setPalette(withColour(statusLabel->palette(), QPalette::WindowText, disconnectedRed));
    infoBox->setPalette(palette());
    infoBox->update();
    statusLabel->setText(tr("Disconnected"));
    if (normalButton->isChecked())
        emit normalModeCheck(false);
    if (liveButton->isChecked())
        emit liveModeCheck(false);
    if (freezeButton->isChecked())
        emit freezeModeCheck(false);
}

void right_panel_widget::connectButtonClicked(bool)
{
    emit setConnection(true);
    if (!controllerConnected())
        report(tr("Not connected!", "QMessageBox"));
}

void right_panel_widget::disconnectButtonClicked(bool)
{
    // A frozen show is resumed, and what shows the controller live (the
    // monitor windows, DMX transparency) is ended while the link is still
    // up, before the controller is let go: the user asked for the
    // disconnect, so nothing is left running on the controller and nothing
    // fails for want of the link.
    freezeButton->setChecked(false);
    if (controllerConnected())
        closeMonitorWindows();
    emit setConnection(false);
}

void right_panel_widget::resetButtonClicked(bool)
{
    if (!controllerConnected()) {
        report(tr("Not connected!", "QMessageBox"));
        return;
    }
    freezeButton->setChecked(false);
    closeMonitorWindows();
    if (theController->restartDevice() < 0)
        report(tr("Restart failed!"));
    // The user cancelled the choice of another controller, or the controller
    // does not answer: trying again would only ask again or wait again.
    const auto givenUp = [] {
        return theController->lastLinkFailure != kv310_controller_class::linkFailure::none;
    };
    const bool restartGivenUp = givenUp();

    emit setConnection(false);
    kv310_controller_class::delay100ms();
    // A link that does not let go must not hold the program here for ever:
    // after a while the reconnection below opens the device afresh anyway.
    for (int i = 0; i < RELEASE_POLLS && controllerConnected(); ++i)
        kv310_controller_class::delay100ms();
    if (restartGivenUp)
        return;

    for (int i = 0; i < RECONNECT_TRIES; ++i) {
        emit setConnection(true);
        if (controllerConnected() || givenUp())
            return;
        if (i + 1 < RECONNECT_TRIES)
            kv310_controller_class::delay100ms();
    }
}

void right_panel_widget::resetButtonClicked()
{
    resetButtonClicked(false);
}

// ---- Transfers ----------------------------------------------------------------------

void right_panel_widget::sendConfClick(bool)
{
    if (!theController)
        return;
    // The transfer packs the tables again before it sends; packing here
    // keeps the image current also when nothing can be sent.
    theController->programs.packPrograms(theController->configImage);
    theController->events.packEvents(theController->configImage);
    if (!theController->isConnected()) {
        report(tr("Configuration not sent!"));
        return;
    }
    closeMonitorWindows();
    if (!normalButton->isChecked())
        emit normalModeCheck(true);
    theController->send_alldata();
}

void right_panel_widget::readConfClick(bool)
{
    if (!controllerConnected()) {
        report(tr("Configuration not read!"));
        return;
    }
    if (auto* window = qobject_cast<gui_class*>(theMainWindow))
        finishCellEdits(window);
    closeMonitorWindows();
    // The descriptions are replaced by the transfer only once the image
    // arrived whole: a refused or broken read leaves them as they were.
    theController->read_alldata();
}

// ---- Files -------------------------------------------------------------------------

void right_panel_widget::saveConfToFileClick(bool)
{
    fileRequest request;
    request.directory = startDirectory();
    request.filter = tr("Kv310+ project description (*31xcfg)") + QStringLiteral(";;")
                     + tr("KvOrbit 310 old-style config (*.cfg310)") + QStringLiteral(";;") + tr("All files (*)");
    request.caption = fileCaption();
    QString fileName = dialogs().saveFileName(request);
    if (fileName.isEmpty())
        return;
    const bool oldstyle = fileName.endsWith(QLatin1String(".cfg310"));
    if (!oldstyle && !fileName.endsWith(QLatin1String(".cfg310v4")) && !fileName.endsWith(QLatin1String(".31xcfg")))
        fileName += QStringLiteral(".31xcfg");
    if (theController)
        theController->lastPath = QFileInfo(fileName).filePath();
    emit saveConfToFileClicked(fileName, oldstyle);
}

void right_panel_widget::saveConfToFileClick()
{
    saveConfToFileClick(true);
}

void right_panel_widget::readConfFromFileClick(bool)
{
    fileRequest request;
    request.directory = startDirectory();
    request.filter = configReadFilter();
    request.caption = fileCaption();
    const QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    if (theController)
        theController->lastPath = QFileInfo(fileName).filePath();
    if (auto* window = qobject_cast<gui_class*>(theMainWindow)) {
        finishCellEdits(window);
        window->vCloseAll();
    }
    emit readConfFromFileClicked(fileName);
}
