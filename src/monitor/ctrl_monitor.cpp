#include "monitor/ctrl_monitor.h"

#include "monitor/dmx_value.h"
#include "monitor/pokaz.h"
#include "monitor/state_texts.h"
#include "seams/dialog_seam.h"
#include "transport/protocol.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QtEndian>

#include <array>
#include <vector>

namespace {

constexpr int VALUE_ROWS = 52;
constexpr int VALUE_COLUMNS = 10;
constexpr int INPUT_ROWS = 6;
constexpr int INPUT_COLUMNS = 4;
constexpr int INPUT_COLUMN_WIDTH = 59;

// The input's type from the configuration: -1 not used, 0 normally open,
// 1 normally closed. Read at every redraw, so a change shows at the next poll.
int inputType(int input)
{
    if (!theController || !theController->configImage)
        return -1;
    return img::getI32(theController->configImage, img::inputTypesOf(input));
}

bool connected()
{
    return theController && theController->isConnected();
}

void showWhenHidden(pokaz* window)
{
    if (window->isVisible())
        return;
    if (window->table)
        window->table->show();
    window->show();
}

}  // namespace

ctrl_monitor::ctrl_monitor(QWidget* parent)
    : QGroupBox(parent)
{
    setTitle(tr("Controller Monitoring"));
    refreshLabel = new QLabel(tr("Refresh rate (ms)"), this);
    refreshLabel->setGeometry(20, 25, 130, 24);
    refreshLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    refreshSpin = new QSpinBox(this);
    refreshSpin->setGeometry(160, 25, 70, 25);
    refreshSpin->setRange(1, 100);
    // The value counts hundreds of milliseconds: the suffix makes it read in ms.
    refreshSpin->setSuffix(QStringLiteral("00"));
    refreshSpin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    refreshSpin->setValue(1);
    showInputsButton = new QPushButton(tr("Show inputs' states"), this);
    showInputsButton->setGeometry(30, 60, 200, 30);
    showDmxInButton = new QPushButton(tr("Show input DMX values"), this);
    showDmxInButton->setGeometry(30, 100, 200, 30);
    showDmxOutButton = new QPushButton(tr("Show output DMX values"), this);
    showDmxOutButton->setGeometry(30, 140, 200, 30);
    showStatesButton = new QPushButton(tr("Show internal states"), this);
    showStatesButton->setGeometry(30, 180, 200, 30);

    connect(refreshSpin, &QSpinBox::valueChanged, this, &ctrl_monitor::changeRefresh);
    connect(showInputsButton, &QPushButton::clicked, this, &ctrl_monitor::shInputsClicked);
    connect(showDmxInButton, &QPushButton::clicked, this, &ctrl_monitor::shDmxInClicked);
    connect(showDmxOutButton, &QPushButton::clicked, this, &ctrl_monitor::shDmxOutClicked);
    connect(showStatesButton, &QPushButton::clicked, this, &ctrl_monitor::shStatesClicked);
    if (theController)
        connect(theController, &kv310_controller_class::setConnectionStatus, this, &ctrl_monitor::connChange);
    setAutoFillBackground(true);

    valuePalettes.reserve(64);
    for (int i = 0; i < 64; ++i) {
        auto* p = new QPalette;
        p->setBrush(QPalette::All, QPalette::Window, QBrush(QColor(192 + i, 192 + i, 255 - i)));
        valuePalettes.append(p);
    }

    // Nothing is announced before the connection exists: busy starts set and
    // only the first window to open clears it.
    pollTimer.start(QThread::InheritPriority);
    connect(&pollTimer, &timeCount_class::overflow, this, &ctrl_monitor::reload);
}

ctrl_monitor::~ctrl_monitor()
{
    pollTimer.stop();
    // Windows still open go with the panel that owns them.
    for (QPointer<pokaz>* member : {&inputsWindow, &dmxOutWindow, &dmxInWindow, &statesWindow}) {
        pokaz* window = *member;
        *member = nullptr;
        delete window;
    }
    qDeleteAll(valuePalettes);
    valuePalettes.clear();
}

QPushButton* ctrl_monitor::buttonOf(uint16_t flag) const
{
    switch (flag) {
    case MONITOR_FLAG_INPUTS:
        return showInputsButton;
    case MONITOR_FLAG_DMX_IN:
        return showDmxInButton;
    case MONITOR_FLAG_DMX_OUT:
        return showDmxOutButton;
    case MONITOR_FLAG_STATES:
        return showStatesButton;
    default:
        return nullptr;
    }
}

void ctrl_monitor::changeRefresh(int v)
{
    pollTimer.period = v * 100;
}

// ---- Opening and closing ------------------------------------------------------

bool ctrl_monitor::mayOpen(uint16_t flag)
{
    if (monitorFlags & flag) {
        closeMonitors(flag);
        return false;
    }
    if (!connected()) {
        showMessage(QMessageBox::Information, this, tr("Controller error"), tr("Not connected!"));
        return false;
    }
    return true;
}

void ctrl_monitor::markOpen(uint16_t flag)
{
    buttonOf(flag)->setEnabled(false);
    // The first window restarts the pacing, which waits while busy is set
    // (from start-up, or since a poll found the controller disconnected).
    if (monitorFlags == 0)
        pollTimer.busy = false;
    monitorFlags |= flag;
}

void ctrl_monitor::shInputsClicked()
{
    if (!mayOpen(MONITOR_FLAG_INPUTS))
        return;
    if (!inputsWindow) {
        inputsWindow = new pokaz(MONITOR_FLAG_INPUTS);
        inputsWindow->setWindowTitle(tr("Inputs' states"));
        inputsWindow->setFixedSize(242, 326);
    }
    pokaz* window = inputsWindow;
    if (!window->table)
        window->table = new QTableWidget(INPUT_ROWS, INPUT_COLUMNS, window);
    connect(window->pbStop, &QPushButton::clicked, this, &ctrl_monitor::stopShInputs,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    if (window->buffer.empty())
        window->buffer.assign(MONITOR_INPUT_COUNT, 0);
    markOpen(MONITOR_FLAG_INPUTS);

    QTableWidget* table = window->table;
    table->move(0, 21);
    table->verticalHeader()->hide();
    table->horizontalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::NoSelection);
    for (int c = 0; c < INPUT_COLUMNS; ++c)
        table->setColumnWidth(c, INPUT_COLUMN_WIDTH);
    window->cells.assign(MONITOR_INPUT_COUNT, nullptr);
    // An indicator takes its cell but the grid line.
    const QFont keyFont = inKey_class::fittingFont(INPUT_COLUMN_WIDTH - 1);
    for (int r = 0; r < INPUT_ROWS; ++r) {
        table->setRowHeight(r, 50);
        for (int c = 0; c < INPUT_COLUMNS; ++c) {
            auto* key = new inKey_class(INPUT_COLUMNS * r + c, table);
            key->setFont(keyFont);
            table->setCellWidget(r, c, key);
            window->cells[size_t(INPUT_COLUMNS * r + c)] = key;
        }
    }
}

void ctrl_monitor::shDmxInClicked()
{
    openValueWindow(MONITOR_FLAG_DMX_IN);
}

void ctrl_monitor::shDmxOutClicked()
{
    openValueWindow(MONITOR_FLAG_DMX_OUT);
}

void ctrl_monitor::openValueWindow(uint16_t flag)
{
    if (!mayOpen(flag))
        return;
    const bool output = flag == MONITOR_FLAG_DMX_OUT;
    QPointer<pokaz>& member = output ? dmxOutWindow : dmxInWindow;
    if (!member)
        member = new pokaz(flag);
    pokaz* window = member;
    // Zeroed, so that the cells and a live visualisation started before the
    // first read show defined values.
    if (window->buffer.empty())
        window->buffer.assign(MONITOR_DMX_CHANNELS, 0);
    connect(window->pbStop, &QPushButton::clicked, this, output ? &ctrl_monitor::stopShDmxOut : &ctrl_monitor::stopShDmxIn,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    window->setWindowTitle(output ? tr("Output DMX values") : tr("Input DMX values"));
    if (!window->table)
        window->table = new QTableWidget(VALUE_ROWS, VALUE_COLUMNS, window);
    window->resize(452, 566);
    window->setFixedWidth(452);
    markOpen(flag);
    buildValueGrid(window);
    updateStateTexts(flag);
}

void ctrl_monitor::buildValueGrid(pokaz* window)
{
    QTableWidget* table = window->table;
    table->move(0, 21);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    for (int j = 0; j < VALUE_COLUMNS; ++j) {
        table->setColumnWidth(j, 40);
        table->setHorizontalHeaderItem(j, new QTableWidgetItem(QStringLiteral("+%1").arg(j + 1)));
    }
    window->cells.assign(MONITOR_DMX_CHANNELS, nullptr);
    const bool output = window->kind == MONITOR_FLAG_DMX_OUT;
    for (int i = 0; i < VALUE_ROWS; ++i) {
        table->setRowHeight(i, 26);
        auto* header = new QTableWidgetItem(QString::number(10 * i));
        header->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setVerticalHeaderItem(i, header);
        for (int k = 0; k < VALUE_COLUMNS && 10 * i + k < MONITOR_DMX_CHANNELS; ++k) {
            auto* cell = new dmx_value_class(10 * i + k, output, &valuePalettes, table);
            table->setCellWidget(i, k, cell);
            window->cells[size_t(10 * i + k)] = cell;
        }
    }
}

void ctrl_monitor::shStatesClicked()
{
    if (!mayOpen(MONITOR_FLAG_STATES))
        return;
    if (!statesWindow)
        statesWindow = new pokaz(MONITOR_FLAG_STATES);
    pokaz* window = statesWindow;
    // A redraw before the first read shows nothing active.
    if (window->buffer.empty())
        window->buffer.assign(STATES_BLOCK_SIZE, 0);
    if (!window->table)
        window->table = new QTableWidget(STATE_ROWS, 2, window);
    connect(window->pbStop, &QPushButton::clicked, this, &ctrl_monitor::stopShStates,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    window->setWindowTitle(tr("Internal states"));
    window->setMinimumSize(200, 82);
    window->resize(334, 324);
    window->setWindowFlags(Qt::Window);
    markOpen(MONITOR_FLAG_STATES);

    QTableWidget* table = window->table;
    table->move(0, 21);
    table->verticalHeader()->hide();
    table->horizontalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::NoSelection);
    QPalette textPalette;
    textPalette.setColor(QPalette::All, QPalette::Base, QColor(243, 255, 243));
    const QString captions[STATE_ROWS] = {tr("Active states"), tr("Active scenes"), tr("Active programs"),
                                          tr("Active masks"), tr("Active delays")};
    int captionWidth = 59;
    for (int row = 0; row < STATE_ROWS; ++row) {
        table->setRowHeight(row, 60);
        auto* caption = new btn_lbl;
        table->setCellWidget(row, 0, caption);
        auto* edit = new QTextEdit;
        edit->setLineWrapMode(QTextEdit::WidgetWidth);
        edit->setReadOnly(true);
        edit->setPalette(textPalette);
        edit->setAutoFillBackground(true);
        table->setCellWidget(row, 1, edit);
        caption->label->setText(captions[row]);
        // The caption column widens where a word of a caption would be cut.
        const QFontMetrics metrics(caption->label->font());
        const int frame = 2 * caption->label->margin() + 4;
        for (const QString& word : captions[row].split(QLatin1Char(' '), Qt::SkipEmptyParts))
            captionWidth = qMax(captionWidth, metrics.horizontalAdvance(word) + frame);
    }
    table->setColumnWidth(0, captionWidth);
    table->setColumnWidth(1, window->width() - 5 - captionWidth);
}

void ctrl_monitor::stopShInputs()
{
    closeMonitors(MONITOR_FLAG_INPUTS);
}

void ctrl_monitor::stopShDmxIn()
{
    closeMonitors(MONITOR_FLAG_DMX_IN);
}

void ctrl_monitor::stopShDmxOut()
{
    closeMonitors(MONITOR_FLAG_DMX_OUT);
}

void ctrl_monitor::stopShStates()
{
    closeMonitors(MONITOR_FLAG_STATES);
}

void ctrl_monitor::closeMonitors(uint16_t flags)
{
    const struct {
        uint16_t flag;
        QPointer<pokaz>* member;
    } order[] = {{MONITOR_FLAG_INPUTS, &inputsWindow},
                 {MONITOR_FLAG_DMX_OUT, &dmxOutWindow},
                 {MONITOR_FLAG_DMX_IN, &dmxInWindow},
                 {MONITOR_FLAG_STATES, &statesWindow}};
    for (const auto& entry : order) {
        if (!(flags & entry.flag))
            continue;
        if (pokaz* window = *entry.member) {
            *entry.member = nullptr;
            window->close();
        }
        buttonOf(entry.flag)->setEnabled(true);
    }
    monitorFlags &= uint16_t(~flags);
    emit forceRefresh();
    emit clrMenu(flags);
}

void ctrl_monitor::closeMonitorsAtOnce(uint16_t flags)
{
    std::vector<QPointer<pokaz>> going;
    for (const QPointer<pokaz>& window : {inputsWindow, dmxOutWindow, dmxInWindow, statesWindow})
        if (window && (flags & window->kind))
            going.push_back(window);
    closeMonitors(flags);
    // Each has only asked to be deleted later.
    for (const QPointer<pokaz>& window : going)
        delete window.data();
}

void ctrl_monitor::connChange(bool isConnected)
{
    if (!isConnected)
        closeMonitors(MONITOR_FLAG_ALL);
}

// ---- Polling ------------------------------------------------------------------

void ctrl_monitor::reload()
{
    if (!connected()) {
        // busy stays set: the pacing waits until a window is opened again.
        closeMonitors(MONITOR_FLAG_ALL);
        return;
    }
    if (!pollTimer.busy) {
        qDebug("Oops!");
        return;
    }
    // A failed read shows a message box, whose event loop may serve another
    // poll: every window is looked up again after each read.
    if (inputsWindow) {
        quint32 levels = 0;
        if (theController->readInputStates(MONITOR_INPUTS, &levels, 0) < 0)
            closeMonitors(MONITOR_FLAG_INPUTS);
        else if (inputsWindow)
            takeInputLevels(qFromLittleEndian(levels));
    }
    if (dmxOutWindow) {
        uint8_t frame[DMX_MONITOR_FRAME_SIZE];
        if (theController->readInputStates(MONITOR_DMX, frame, DMX_SOURCE_OUTPUT) < 0) {
            closeMonitors(MONITOR_FLAG_DMX_OUT);
        } else if (pokaz* window = dmxOutWindow) {
            takeValues(window, frame + 8);
            if (!window->keepHidden)
                showWhenHidden(window);
            emit countTick();
        }
    }
    if (dmxInWindow) {
        uint8_t frame[DMX_MONITOR_FRAME_SIZE];
        if (theController->readInputStates(MONITOR_DMX, frame, DMX_SOURCE_INPUT) < 0) {
            closeMonitors(MONITOR_FLAG_DMX_IN);
        } else if (pokaz* window = dmxInWindow) {
            takeValues(window, frame + 8);
            showWhenHidden(window);
        }
    }
    if (statesWindow) {
        if (theController->readInputStates(MONITOR_STATES, statesWindow->buffer.data(), 0) < 0) {
            closeMonitors(MONITOR_FLAG_STATES);
        } else if (statesWindow) {
            redraw(MONITOR_FLAG_STATES);
            showWhenHidden(statesWindow);
        }
    }
    pollTimer.busy = false;
}

void ctrl_monitor::takeInputLevels(uint32_t levels)
{
    pokaz* window = inputsWindow;
    for (int i = 0; i < MONITOR_INPUT_COUNT; ++i) {
        const int level = int(levels >> i) & 1;
        const uint8_t stored = level ? 0x00 : 0xFF;
        if (window->buffer[size_t(i)] != stored) {
            window->buffer[size_t(i)] = stored;
            if (auto* key = static_cast<inKey_class*>(window->cells[size_t(i)]))
                key->setInputState(level, inputType(i));
        }
    }
    redraw(MONITOR_FLAG_INPUTS);
    showWhenHidden(window);
}

void ctrl_monitor::takeValues(pokaz* window, const uint8_t* values)
{
    for (size_t i = 0; i < size_t(MONITOR_DMX_CHANNELS); ++i) {
        if (window->buffer[i] == values[i])
            continue;
        window->buffer[i] = values[i];
        if (auto* cell = static_cast<dmx_value_class*>(window->cells[i]))
            cell->setDmxValue(values[i]);
    }
}

// ---- Redrawing ----------------------------------------------------------------

void ctrl_monitor::updateStateTexts(uint16_t flags)
{
    ++stateTextUpdates;
    redraw(flags);
}

void ctrl_monitor::redraw(uint16_t flags)
{
    if ((flags & MONITOR_FLAG_INPUTS) && inputsWindow)
        redrawInputs();
    if ((flags & MONITOR_FLAG_DMX_OUT) && dmxOutWindow)
        redrawValues(dmxOutWindow);
    if ((flags & MONITOR_FLAG_DMX_IN) && dmxInWindow)
        redrawValues(dmxInWindow);
    if ((flags & MONITOR_FLAG_STATES) && statesWindow)
        redrawStates();
}

void ctrl_monitor::redrawInputs()
{
    pokaz* window = inputsWindow;
    for (size_t i = 0; i < window->cells.size() && i < window->buffer.size(); ++i) {
        if (auto* key = static_cast<inKey_class*>(window->cells[i]))
            key->setInputState(window->buffer[i] == 0x00 ? 1 : 0, inputType(int(i)));
    }
}

void ctrl_monitor::redrawValues(pokaz* window)
{
    for (size_t i = 0; i < window->cells.size() && i < window->buffer.size(); ++i) {
        if (auto* cell = static_cast<dmx_value_class*>(window->cells[i]))
            cell->setDmxValue(window->buffer[i]);
    }
}

void ctrl_monitor::redrawStates()
{
    pokaz* window = statesWindow;
    QTableWidget* table = window->table;
    if (!table)
        return;
    std::array<bool, STATE_ROWS> withDescriptions{};
    for (int row = 0; row < STATE_ROWS; ++row) {
        const auto* caption = qobject_cast<btn_lbl*>(table->cellWidget(row, 0));
        withDescriptions[size_t(row)] = caption && caption->showDescriptions;
    }
    const std::array<QString, STATE_ROWS> texts =
        stateTexts::build(window->buffer.data(), int(window->buffer.size()), withDescriptions, theController);
    for (int row = 0; row < STATE_ROWS; ++row) {
        auto* edit = qobject_cast<QTextEdit*>(table->cellWidget(row, 1));
        if (!edit || edit->toPlainText() == texts[size_t(row)])
            continue;
        // A user reading down a long list stays where he is.
        QScrollBar* bar = edit->verticalScrollBar();
        const int position = bar->value();
        // Plain text: a description is shown as typed, markup and all.
        edit->setPlainText(texts[size_t(row)]);
        bar->setValue(position);
    }
}
