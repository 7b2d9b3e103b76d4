#include "settings/asettings_ired_tab.h"

#include "model/globals.h"
#include "model/kv310_controller.h"
#include "seams/gui_base.h"
#include "settings/fixed_geometry.h"
#include "widgets/late_content.h"
#include "widgets/page_style.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>

using settingsPages::placeAt;

namespace {

constexpr int REMOTE_CONTROL_EVENTS_TAB = 5;
constexpr int BUTTONS = 64;
constexpr int MAX_ADDRESS = 31;
constexpr int MAX_CODE = 63;
constexpr uint8_t NONE = 0xFF;

QPushButton* pushButton(const QString& text, QWidget* parent, int left, int top, int right, int bottom)
{
    auto* b = new QPushButton(text, parent);
    placeAt(b, left, top, right, bottom);
    b->setFont(pageStyle::listFont());
    return b;
}

QLabel* label(const QString& text, QWidget* parent, int left, int top, int right, int bottom,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new QLabel(text, parent);
    placeAt(l, left, top, right, bottom);
    l->setAlignment(alignment);
    return l;
}

}  // namespace

asettings_ired_tab::asettings_ired_tab(QWidget* parent) : QTabWidget(parent) {}

void asettings_ired_tab::showEvent(QShowEvent* event)
{
    build();
    QTabWidget::showEvent(event);
}

void asettings_ired_tab::build()
{
    if (isBuilt())
        return;
    buttonModel = new QStandardItemModel(BUTTONS, 3, this);
    buttonModel->setHeaderData(0, Qt::Horizontal, tr("Button", "column name"), Qt::EditRole);
    buttonModel->setHeaderData(1, Qt::Horizontal, tr("Code", "column name"), Qt::EditRole);
    buttonModel->setHeaderData(2, Qt::Horizontal, tr("Description", "column name"), Qt::EditRole);

    buttonView = new QTableView(this);
    placeAt(buttonView, 10, 20, 379, 589);
    buttonView->setModel(buttonModel);
    buttonView->verticalHeader()->hide();
    buttonView->setSelectionMode(QAbstractItemView::SingleSelection);
    buttonView->setSelectionBehavior(QAbstractItemView::SelectRows);
    buttonView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    buttonView->setColumnWidth(0, 60);
    buttonView->setColumnWidth(1, 50);
    buttonView->setColumnWidth(2, 240);
    // The header keeps the font the application gives headers, as when the
    // tab made its widgets before the form took it into its bold tabs.
    QHeaderView* header = buttonView->horizontalHeader();
    QFont headerFont = QApplication::font(header);
    headerFont.setResolveMask(QFont::AllPropertiesResolved);
    header->setFont(headerFont);

    readFileButton = pushButton(tr("Read from file"), this, 410, 20, 580, 42);
    saveFileButton = pushButton(tr("Save to file"), this, 410, 60, 580, 82);
    readDeviceButton = pushButton(tr("Read from controller"), this, 620, 20, 790, 42);
    sendDeviceButton = pushButton(tr("Send to controller"), this, 620, 60, 790, 82);
    clearButton = pushButton(tr("Clear settings"), this, 410, 100, 580, 122);

    addressGroup = new QGroupBox(tr("System Address"), this);
    placeAt(addressGroup, 410, 180, 790, 330);
    noRcuBox = new QCheckBox(tr("Do not use RCU"), addressGroup);
    placeAt(noRcuBox, 30, 30, 190, 50);
    // Checked before its slot is connected: the address controls start enabled.
    noRcuBox->setChecked(true);
    label(tr("Forced"), addressGroup, 30, 60, 140, 80);
    addressSpin = new QSpinBox(addressGroup);
    placeAt(addressSpin, 150, 60, 201, 81);
    addressSpin->setRange(0, MAX_ADDRESS);
    setAddressButton = pushButton(tr("Set"), addressGroup, 240, 60, 350, 82);
    getAddressButton = pushButton(tr("Get from RCU"), addressGroup, 95, 100, 285, 122);

    buttonGroup = new QGroupBox(tr("Selected Button"), this);
    placeAt(buttonGroup, 410, 390, 790, 590);
    notUsedBox = new QCheckBox(tr("Not used"), buttonGroup);
    placeAt(notUsedBox, 200, 30, 340, 50);
    forcedCodeLabel = label(tr("Forced code"), buttonGroup, 30, 70, 140, 90);
    codeSpin = new QSpinBox(buttonGroup);
    placeAt(codeSpin, 150, 70, 201, 91);
    codeSpin->setRange(0, MAX_CODE);
    setCodeButton = pushButton(tr("Set"), buttonGroup, 240, 70, 350, 92);
    getCodeButton = pushButton(tr("Get code from RCU"), buttonGroup, 95, 110, 285, 132);

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    addressCaption = label(tr("Current system address:"), this, 420, 150, 630, 170, right);
    // Wide enough for "undetermined" in every language, up to the groups' right edge.
    addressLabel = label(tr("undetermined"), this, 650, 150, 790, 170);
    descriptionCaption = label(tr("Button description"), this, 20, 610, 180, 630, right);
    descriptionEdit = new QLineEdit(this);
    placeAt(descriptionEdit, 202, 610, 832, 630);
    descriptionEdit->setMaxLength(100);
    descriptionEdit->setFont(QFont(QStringLiteral("Arial Narrow"), 12, QFont::Normal));
    // Until a button is chosen a description would have nowhere to go.
    descriptionEdit->setEnabled(false);

    connect(buttonView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &asettings_ired_tab::buttonChange);
    connect(readFileButton, &QPushButton::clicked, this, &asettings_ired_tab::readRCUcfg);
    connect(saveFileButton, &QPushButton::clicked, this, &asettings_ired_tab::saveRCUcfg);
    connect(clearButton, &QPushButton::clicked, this, &asettings_ired_tab::clearRCUcfg);
    connect(readDeviceButton, &QPushButton::clicked, this, &asettings_ired_tab::readRCUdev);
    if (theController)
        connect(sendDeviceButton, &QPushButton::clicked, theController, &kv310_controller_class::writeRCU);
    connect(setAddressButton, &QPushButton::clicked, this, &asettings_ired_tab::forceAddr);
    connect(noRcuBox, &QCheckBox::stateChanged, this, &asettings_ired_tab::useRCState);
    connect(getAddressButton, &QPushButton::clicked, this, &asettings_ired_tab::getAddr);
    connect(setCodeButton, &QPushButton::clicked, this, &asettings_ired_tab::forceCode);
    connect(notUsedBox, &QCheckBox::stateChanged, this, &asettings_ired_tab::unusedState);
    connect(getCodeButton, &QPushButton::clicked, this, &asettings_ired_tab::getCode);
    connect(descriptionEdit, &QLineEdit::editingFinished, this, &asettings_ired_tab::disableDescEdition);

    // Made as the tab is shown, perhaps.
    showLateContent(this);

    // Loaded as made: the main window decides the events tab by itself.
    ++refreshCount;
    quiet = true;
    load(false);
    quiet = false;
}

int asettings_ired_tab::currentButton() const
{
    if (!isBuilt())
        return -1;
    const QModelIndex current = buttonView->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QString asettings_ired_tab::descriptionCell(int button) const
{
    const QString& description = theController->rcuKeyDescriptions[size_t(button)];
    if (description.isEmpty())
        return tr("no description");
    return pageStyle::elided(description, buttonView->font(), buttonView->columnWidth(2));
}

void asettings_ired_tab::enableEventsTab(bool enabled)
{
    if (theMainWindow && !quiet)
        theMainWindow->setEventsTabEnabled(REMOTE_CONTROL_EVENTS_TAB, enabled);
}

void asettings_ired_tab::settingsReloaded()
{
    if (theMainWindow)
        theMainWindow->reloadRemoteControlEvents();
    refresh();
}

void asettings_ired_tab::refresh()
{
    build();
    ++refreshCount;
    load(true);
}

void asettings_ired_tab::load(bool tellWindow)
{
    const kv310_controller_class* c = theController;
    if (!c)
        return;
    for (int b = 0; b < BUTTONS; ++b) {
        const uint8_t code = c->rcuKeyCodes[size_t(b)];
        buttonModel->setData(buttonModel->index(b, 0), tr("Btn %1").arg(b + 1));
        buttonModel->setData(buttonModel->index(b, 1),
                             code <= MAX_CODE ? QStringLiteral("  %1").arg(code) : QStringLiteral("  - -"));
        buttonModel->setData(buttonModel->index(b, 2), descriptionCell(b));
    }

    const bool noAddress = c->rcuAddress > MAX_ADDRESS;
    // A change of the box runs useRCState.
    noRcuBox->setCheckState(noAddress ? Qt::Checked : Qt::Unchecked);
    addressLabel->setText(noAddress ? tr("undetermined") : QString::number(c->rcuAddress));

    const int button = currentButton();
    descriptionEdit->setText(button < 0 ? QString() : c->rcuKeyDescriptions[size_t(button)]);
    if (tellWindow)
        enableEventsTab(!noAddress);
}

void asettings_ired_tab::buttonChange(const QModelIndex& current, const QModelIndex& previous)
{
    Q_UNUSED(previous)
    const bool chosen = current.isValid() && theController;
    descriptionEdit->setEnabled(chosen);
    descriptionEdit->setText(chosen ? theController->rcuKeyDescriptions[size_t(current.row())] : QString());
}

void asettings_ired_tab::disableDescEdition()
{
    const int button = currentButton();
    if (button < 0 || !theController)
        return;
    theController->rcuKeyDescriptions[size_t(button)] = descriptionEdit->text();
    buttonModel->setData(buttonModel->index(button, 2), descriptionCell(button));
}

void asettings_ired_tab::useRCState(int state)
{
    const bool noRemote = state == Qt::Checked;
    getAddressButton->setEnabled(!noRemote);
    addressSpin->setEnabled(!noRemote);
    // The events page waits for an address to be stored.
    if (state == Qt::Unchecked)
        enableEventsTab(false);
}

void asettings_ired_tab::unusedState(int state)
{
    const bool unused = state == Qt::Checked;
    getCodeButton->setEnabled(!unused);
    codeSpin->setEnabled(!unused);
}

void asettings_ired_tab::forceAddr()
{
    build();
    if (!theController)
        return;
    int value = NONE;
    if (noRcuBox->checkState() == Qt::Unchecked && addressSpin->value() <= MAX_ADDRESS)
        value = addressSpin->value();
    theController->rcuAddress = uint8_t(value);
    enableEventsTab(value != NONE);
    refresh();
}

void asettings_ired_tab::forceCode()
{
    build();
    const int button = currentButton();
    if (button < 0 || !theController)
        return;
    int value = NONE;
    if (notUsedBox->checkState() == Qt::Unchecked) {
        value = codeSpin->value();
        if (value > MAX_CODE)
            return;
    }
    theController->rcuKeyCodes[size_t(button)] = uint8_t(value);
    refresh();
}

void asettings_ired_tab::getCode()
{
    build();
    if (!theController)
        return;
    // No current button is a key number the controller refuses.
    const int button = currentButton();
    theController->learnRcuKeyCode(button < 0 ? NONE : button);
    refresh();
}

void asettings_ired_tab::getAddr()
{
    build();
    kv310_controller_class* c = theController;
    if (!c)
        return;
    c->learnRcuAddress();
    const bool noAddress = c->rcuAddress > MAX_ADDRESS;
    addressLabel->setText(noAddress ? tr("undetermined") : QString::number(c->rcuAddress));
    noRcuBox->setChecked(noAddress);
    enableEventsTab(!noAddress);
}

void asettings_ired_tab::clearRCUcfg()
{
    build();
    kv310_controller_class* c = theController;
    if (!c)
        return;
    c->rcuKeyCodes.fill(NONE);
    for (QString& description : c->rcuKeyDescriptions)
        description = QString();
    c->rcuAddress = NONE;
    refresh();
}

void asettings_ired_tab::readRCUdev()
{
    build();
    if (!theController)
        return;
    theController->readRCU();
    settingsReloaded();
}
