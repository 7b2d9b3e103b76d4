#include "editors/scenes/as_conf_widget.h"

#include "editors/scenes/sector_palette.h"
#include "model/active_scenes.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "model/v_project.h"
#include "seams/gui_base.h"
#include "widgets/my_time_edit.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

namespace {

constexpr uint16_t NOT_SET = 0xFFFF;
constexpr int COLUMN_FROM = 1;
constexpr int COLUMN_TO = 2;
constexpr int COMPOUND_TAB = 1;

const char TIME_FORMAT[] = "hh'[h] 'mm'[m] 'ss'.'zzz'[s]'";

uint8_t* imageOf()
{
    return theController ? theController->configImage : nullptr;
}

// What a channel cell shows as a number: its value, 0 for "Not set".
int cellValue(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().toInt() : 0;
}

// The 1-based channel a cell shows for a stored end, 0 when it shows none.
int shownChannel(uint16_t stored)
{
    return stored < img::CHANNELS ? stored + 1 : 0;
}

void storeSector(uint8_t* image, int row, const sectorRange& s)
{
    s.write(image + img::asSectorRangesOf(row));
}

}  // namespace

// ---- Sector table editing --------------------------------------------------------------

as_conf_delegate::as_conf_delegate(QObject* parent)
    : cellEditorDelegate(parent), page(parent ? qobject_cast<as_conf_widget*>(parent->parent()) : nullptr)
{
}

QWidget* as_conf_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    if (index.column() != COLUMN_FROM && index.column() != COLUMN_TO)
        return nullptr;
    auto* box = new QSpinBox(parent);
    box->setRange(0, img::CHANNELS);
    box->setSpecialValueText(as_conf_widget::tr("not set"));
    box->setKeyboardTracking(false);
    if (page)
        connect(box, &QSpinBox::editingFinished, page, &as_conf_widget::changeRange);
    box->installEventFilter(const_cast<as_conf_delegate*>(this));
    return opened(box);
}

void as_conf_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* box = qobject_cast<QSpinBox*>(editor);
    const uint8_t* image = imageOf();
    if (!box || !image || index.row() < 0 || index.row() >= as_conf_widget::SECTORS)
        return;
    const sectorRange s = activeSectors::at(image, index.row());
    box->setValue(shownChannel(index.column() == COLUMN_FROM ? s.from : s.to));
}

void as_conf_delegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    auto* box = qobject_cast<QSpinBox*>(editor);
    uint8_t* image = imageOf();
    const int row = index.row();
    if (!box || !image || row < 0 || row >= as_conf_widget::SECTORS)
        return;
    box->interpretText();
    const int v = box->value();
    sectorRange s = activeSectors::at(image, row);
    if (v == 0) {
        // Either end "not set" takes the whole sector out of use.
        s.from = NOT_SET;
        s.to = NOT_SET;
    } else if (index.column() == COLUMN_FROM) {
        s.from = uint16_t(v - 1);
        // A "to" below the new "from", or not set, follows it.
        if (uint16_t(s.to + 1) < v)
            s.to = uint16_t(v - 1);
    } else {
        s.to = uint16_t(v - 1);
        if (s.from > v - 1)
            s.from = uint16_t(v - 1);
    }
    storeSector(image, row, s);
    emit const_cast<as_conf_delegate*>(this)->forceRefresh();
}

void as_conf_delegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

// ---- Construction --------------------------------------------------------------------------

as_conf_widget::as_conf_widget(QWidget* parent)
    : QGroupBox(parent)
{
    setTitle(tr("Enable active scenes"));
    setCheckable(true);
    setChecked(false);

    const auto label = [this](const QString& text, int x, int y, int w, int h) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, y, w, h);
        return l;
    };
    startSceneLabel = label(tr("Starting from scene"), 60, 80, 170, 21);
    sectorsLabel = label(tr("Sector ranges"), 530, 25, 131, 21);
    controlChannelLabel = label(tr("Control channel no."), 60, 160, 170, 21);
    // The time captions and edits are wider than the controller's own
    // software drew them, so that the whole time and the longer captions
    // fit in the bold face of the tab pages.
    fadeUpLabel = label(tr("Fade Up Time:"), 60, 200, 128, 20);
    fadeDownLabel = label(tr("Fade Down Time:"), 60, 240, 128, 20);
    startEventLabel = label(tr("Starting int. event no."), 60, 120, 170, 21);

    const auto button = [this](const QString& text, int y) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(60, y, 301, 41);
        return b;
    };
    groupsButton = button(tr("Generate groups for visual project"), 390);
    composeButton = button(tr("Compose compound scenes"), 460);
    applyButton = button(tr("Apply"), 530);

    const auto numberBox = [this](int y, int minimum, int maximum) {
        auto* b = new QSpinBox(this);
        b->setGeometry(240, y, 120, 21);
        b->setRange(minimum, maximum);
        b->setSpecialValueText(tr("not set"));
        // Typed numbers are stored on Enter or when the box is left, not
        // digit by digit: a first digit may be the "not set" minimum, whose
        // store would redraw the box under the typing. Arrows store at once.
        b->setKeyboardTracking(false);
        return b;
    };
    startSceneBox = numberBox(80, 0, START_SCENE_LIMIT);
    controlChannelBox = numberBox(160, 0, img::CHANNELS);
    startEventBox = numberBox(120, 1, START_EVENT_LIMIT);

    sectorTable = new QTableWidget(SECTORS, 3, this);
    sectorTable->setGeometry(440, 60, 325, 508);
    sectorTable->setHorizontalHeaderLabels({tr("Sector"), tr("Channel from"), tr("Channel to")});
    sectorTable->verticalHeader()->hide();
    sectorTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sectorTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The three columns share the table's width.
    sectorTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < SECTORS; ++r) {
        for (int c = 0; c < 3; ++c)
            sectorTable->setItem(r, c, new QTableWidgetItem());
        sectorTable->item(r, 0)->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        sectorTable->item(r, 0)->setTextAlignment(Qt::AlignCenter);
    }
    delegate = new as_conf_delegate(sectorTable);
    sectorTable->setItemDelegate(delegate);

    const auto timeEdit = [this](int y) {
        auto* e = new MyTimeEdit(this);
        e->setGeometry(190, y, 210, 20);
        e->setDisplayFormat(QString::fromLatin1(TIME_FORMAT));
        e->setMaximumTime(fromTenths(0xFFFF));
        return e;
    };
    fadeUpEdit = timeEdit(200);
    fadeDownEdit = timeEdit(240);
    // A longer caption moves both edits right, clear of it.
    constexpr int CAPTION_GAP = 8;
    const int captions = qMax(fadeUpLabel->sizeHint().width(), fadeDownLabel->sizeHint().width());
    for (MyTimeEdit* edit : {fadeUpEdit, fadeDownEdit})
        edit->move(qMax(edit->x(), fadeUpLabel->x() + captions + CAPTION_GAP), edit->y());
    // The keyboard walks the fields as they stand, top to bottom.
    setTabOrder(startSceneBox, startEventBox);
    setTabOrder(startEventBox, controlChannelBox);
    setTabOrder(controlChannelBox, fadeUpEdit);
    setTabOrder(fadeUpEdit, fadeDownEdit);
    setTabOrder(fadeDownEdit, sectorTable);

    connect(startSceneBox, &QSpinBox::valueChanged, this, &as_conf_widget::saveScStart);
    connect(startEventBox, &QSpinBox::valueChanged, this, &as_conf_widget::saveEvStart);
    connect(controlChannelBox, &QSpinBox::valueChanged, this, &as_conf_widget::saveThChnl);
    connect(groupsButton, &QPushButton::clicked, this, &as_conf_widget::createGroupsForAS);
    connect(composeButton, &QPushButton::clicked, this, &as_conf_widget::composeCompoundScens);
    connect(applyButton, &QPushButton::clicked, this, &as_conf_widget::applyActiveScenes);
    connect(delegate, &as_conf_delegate::forceRefresh, this, qOverload<>(&as_conf_widget::refresh));
    connect(this, &QGroupBox::toggled, this, qOverload<bool>(&as_conf_widget::refresh));
    if (theController) {
        connect(theController, &kv310_controller_class::readFileFinished, this, &as_conf_widget::configRead);
        connect(theController, &kv310_controller_class::readKv310Finished, this, &as_conf_widget::configRead);
    }

    // Checked when anything is set, before the one full load below.
    loadNumbers();
    {
        const QSignalBlocker quiet(this);
        setChecked(startSceneBox->value() != startSceneBox->minimum()
                   || startEventBox->value() != startEventBox->minimum()
                   || controlChannelBox->value() != controlChannelBox->minimum());
    }
    refresh();
    // A page built anew (another language, a file named on the command line)
    // shows the fade times stored, so that "Apply" keeps them.
    if (const uint8_t* image = imageOf()) {
        fadeUpEdit->setTime(fromTenths(img::getU16(image, img::asFadeUp)));
        fadeDownEdit->setTime(fromTenths(img::getU16(image, img::asFadeDown)));
    }
    // A configuration read before the first window (named on the command
    // line) was never composed: empty pictures are, so that "Apply" does not
    // empty its scenes. Pictures with content are work in progress and stay.
    if (theController && activeSceneRules::picturesEmpty(*theController))
        composePictures();
}

// ---- Loading ---------------------------------------------------------------------------------

bool as_conf_widget::allSet() const
{
    return startSceneBox->value() != startSceneBox->minimum() && startEventBox->value() != startEventBox->minimum()
        && controlChannelBox->value() != controlChannelBox->minimum();
}

void as_conf_widget::loadNumbers()
{
    uint8_t* image = imageOf();
    if (!image)
        return;
    // A number the controller cannot take is stored as the boxes show it.
    // The control channel box offers the DMX input channels in use and a
    // channel stored above them, so that showing it never moves it: only
    // lowering the limit does (setInputLimit).
    if (activeSceneRules::numbersNeedRepair(image)) {
        const showRepair repair(theController);
        activeSceneRules::repairNumbers(image);
    }
    const QSignalBlocker scene(startSceneBox);
    const QSignalBlocker event(startEventBox);
    const QSignalBlocker channel(controlChannelBox);
    controlChannelBox->setRange(0, activeSceneRules::controlChannelTop(image));
    startSceneBox->setValue(uint16_t(img::getU16(image, img::asStartScene) + 1));
    startEventBox->setValue(uint16_t(img::getU16(image, img::asStartEvent) + 1));
    controlChannelBox->setValue(uint16_t(img::getU16(image, img::asControlChannel) + 1));
}

void as_conf_widget::refresh(bool)
{
    ++refreshCount;
    if (!imageOf())
        return;
    loadNumbers();

    const bool set = allSet();
    if (theMainWindow)
        theMainWindow->setActiveScenesTabEnabled(COMPOUND_TAB, isChecked() && set);
    // Asked aloud only where the user sees the answer: a page refreshed while
    // hidden (the window's construction refreshes every page) warns nobody.
    const bool fixtures =
        theVisualProject && (isVisible() ? theVisualProject->checkFixtures() : theVisualProject->fixturesComplete());
    groupsButton->setEnabled(fixtures && isChecked() && set);
    // Usable also while the page is switched off, when everything is set.
    composeButton->setEnabled(set);
    applyButton->setEnabled(set);

    for (int row = 0; row < SECTORS; ++row)
        showSectorRow(row);
}

void as_conf_widget::refresh()
{
    refresh(false);
}

void as_conf_widget::showSectorRow(int row)
{
    const uint8_t* image = imageOf();
    if (!image)
        return;
    const sectorRange s = activeSectors::at(image, row);
    QTableWidgetItem* number = sectorTable->item(row, 0);
    number->setText(QString::number(row + 1));
    number->setBackground(activeSectors::inUse(s) ? QBrush(sectorColour(row)) : QBrush(QColor(0xF0, 0xF0, 0xF0)));
    const auto end = [this](uint16_t stored) {
        return stored <= img::CHANNELS ? QString::number(stored + 1) : tr("Not set");
    };
    sectorTable->item(row, COLUMN_FROM)->setText(end(s.from));
    sectorTable->item(row, COLUMN_TO)->setText(end(s.to));
}

// ---- Edits ------------------------------------------------------------------------------------

void as_conf_widget::saveScStart(int v)
{
    if (uint8_t* image = imageOf())
        img::putU16(image, img::asStartScene, uint16_t(v - 1));
    refresh();
}

void as_conf_widget::saveEvStart(int v)
{
    if (uint8_t* image = imageOf())
        img::putU16(image, img::asStartEvent, v == 1 ? NOT_SET : uint16_t(v - 1));
    refresh();
}

void as_conf_widget::saveThChnl(int v)
{
    if (uint8_t* image = imageOf())
        img::putU16(image, img::asControlChannel, uint16_t(v - 1));
    refresh();
}

void as_conf_widget::setInputLimit(int limit)
{
    uint8_t* image = imageOf();
    if (image && activeSceneRules::limitControlChannel(image, limit))
        refresh();
    else
        loadNumbers();
}

void as_conf_widget::changeRange()
{
    uint8_t* image = imageOf();
    const int row = sectorTable->currentRow();
    const int column = sectorTable->currentColumn();
    if (!image || row < 0 || row >= SECTORS)
        return;
    const int g = cellValue(sectorTable, row, column);
    sectorRange s = activeSectors::at(image, row);
    if (column == COLUMN_FROM && cellValue(sectorTable, row, COLUMN_TO) < g)
        s.to = uint16_t(g - 1);
    else if (column == COLUMN_TO && g < cellValue(sectorTable, row, COLUMN_FROM))
        s.from = uint16_t(g - 1);
    else
        return;
    storeSector(image, row, s);
    showSectorRow(row);
}

void as_conf_widget::configRead()
{
    const uint8_t* image = imageOf();
    if (!image)
        return;
    if (img::getU16(image, img::asControlChannel) < img::CHANNELS)
        setChecked(true);
    // The page shows the configuration just read before the pictures are
    // composed from it.
    refresh();
    composeCompoundScens();
    if (theMainWindow)
        theMainWindow->refreshCompoundScenes();
    fadeUpEdit->setTime(fromTenths(img::getU16(image, img::asFadeUp)));
    fadeDownEdit->setTime(fromTenths(img::getU16(image, img::asFadeDown)));
}
