#include "visualisation/ctrl_effects.h"

#include "visualisation/kv_vgraph.h"

#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "widgets/page_style.h"
#include "xml/xml_node.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QIcon>
#include <QSet>
#include <QSignalBlocker>
#include <QSignalMapper>

#include <algorithm>
#include <climits>

namespace {

constexpr int DMX_CHANNELS = 512;
constexpr int ROW_HEIGHT = 50;
constexpr int DIALOG_WIDTH = 312;
// Width of the fixture list label and of the title.
constexpr int TEXT_WIDTH = 225;

// The offset of fixture channel n (0-based); channels beyond the table move by 0.
int relocOf(const lightEffect* f, qint64 n)
{
    return n >= 0 && n < f->reloc.size() ? f->reloc.at(n) : 0;
}

bool inUniverse(qint64 channel)
{
    return channel >= 0 && channel < DMX_CHANNELS;
}

// The value of a channel of the record shown; nothing is read outside it.
int valueAt(const uint8_t* values, qint64 channel)
{
    return values && inUniverse(channel) ? values[channel] : 0;
}

bool controllable(const QString& function)
{
    for (const char* f : {"brightness", "filter", "dimmer", "spring", "spring-switch"})
        if (function == QLatin1String(f))
            return true;
    return false;
}

kvVGraph_class* graphWindow()
{
    return theVisualProject ? qobject_cast<kvVGraph_class*>(theVisualProject->graphWindow) : nullptr;
}

int currentLightMode()
{
    const kvVGraph_class* window = graphWindow();
    return window ? window->lightMode : LIGHT_MODE_DESIGN;
}

}  // namespace

// ---- One row -------------------------------------------------------------------------

designChnls::designChnls(int fxChannel, int fxChannel2, int value, int funcCode, const QString& label,
                         QWidget* parent)
    : QWidget(parent), fxChannel(int16_t(fxChannel)), fxChannel2(int16_t(fxChannel2)), funcCode(funcCode)
{
    setupUi(this);
    if (fxChannel2 != -1) {
        hsSlider->setRange(0, 65535);
        // The same number of ticks as a one-byte row.
        hsSlider->setTickInterval(hsSlider->tickInterval() * 256);
        sbValue->setRange(0, 65535);
    }
    hsSlider->setValue(value);
    sbValue->setValue(value);
    lbChannel->setText(label);
    pbColors->setIcon(QIcon(QStringLiteral(":/colors.png")));
    pbColors->hide();
    // A value typed is taken on Enter or when the box is left, not digit by
    // digit, which would flash a live fixture through every number on the way.
    sbValue->setKeyboardTracking(false);
    // Tab goes from value box to value box; a slider takes the keys once clicked.
    hsSlider->setFocusPolicy(Qt::ClickFocus);
    // Enter in a value box only takes the value: no button goes off with it.
    pbColors->setAutoDefault(false);
    connect(hsSlider, &QSlider::valueChanged, this, &designChnls::hsValueChanged);
    connect(sbValue, &QSpinBox::valueChanged, this, &designChnls::sbValueChanged);
}

void designChnls::hsValueChanged(int v)
{
    const int old = sbValue->value();
    {
        const QSignalBlocker quiet(sbValue);
        sbValue->setValue(v);
    }
    if (v != old)
        emit sendVal();
}

void designChnls::sbValueChanged(int v)
{
    const int old = hsSlider->value();
    {
        const QSignalBlocker quiet(hsSlider);
        hsSlider->setValue(v);
    }
    if (v != old)
        emit sendVal();
}

// ---- The dialog ----------------------------------------------------------------------

ctrlEffects::ctrlEffects(lightEffect* fixture, QWidget* parent) : QDialog(parent)
{
    setUp({fixture}, tr("Fixture %1").arg(fixture ? fixture->number : 0));
}

ctrlEffects::ctrlEffects(const QList<lightEffect*>& members, const QString& groupName, QWidget* parent)
    : QDialog(parent)
{
    setUp(members, groupName);
}

ctrlEffects::~ctrlEffects()
{
    leaveList();
}

void ctrlEffects::leaveList()
{
    if (v_project* vp = theVisualProject)
        vp->controlDialogs.removeAll(this);
}

void ctrlEffects::done(int result)
{
    leaveList();
    QDialog::done(result);
}

void ctrlEffects::closeEvent(QCloseEvent* event)
{
    leaveList();
    QDialog::closeEvent(event);
}

bool ctrlEffects::controls(const QList<lightEffect*>& members) const
{
    QSet<const lightEffect*> mine;
    for (const QPointer<lightEffect>& f : ctrlFixtures)
        if (f)
            mine.insert(f.data());
    for (const lightEffect* f : members)
        if (!f || !mine.contains(f))
            return false;
    const QSet<const lightEffect*> theirs(members.cbegin(), members.cend());
    return theirs.size() == mine.size();
}

void ctrlEffects::setUp(const QList<lightEffect*>& list, const QString& name)
{
    setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    noChannels = false;
    for (lightEffect* f : list)
        if (f)
            ctrlFixtures.append(f);
    // A fixture removed from the plan drops out; the dialog of none goes.
    if (v_project* vp = theVisualProject)
        connect(vp, &v_project::fixtureRemoved, this, [this](lightEffect* f) {
            ctrlFixtures.removeAll(f);
            if (ctrlFixtures.isEmpty())
                close();
        });
    lightEffect* first = ctrlFixtures.isEmpty() ? nullptr : ctrlFixtures.first().data();

    QStringList parts;
    for (const QPointer<lightEffect>& f : std::as_const(ctrlFixtures))
        parts.append(QStringLiteral("%1 (%2)").arg(f->number).arg(f->dmxStart + 1));
    const QString caption = parts.join(QLatin1Char(','));
    setObjectName(caption);

    const v_project* vp = theVisualProject;
    const uint8_t* values = vp ? vp->dmxBuffer : nullptr;
    xml_node* dmx = first && first->itemNode ? first->itemNode->findNode(QStringLiteral("dmx")) : nullptr;
    const QString language = tr("en");
    for (int n = 0; dmx && n < dmx->nodes.size(); ++n) {
        const xml_node& channel = *dmx->nodeAt(n);
        if (channel.name != QLatin1String("channel"))
            continue;
        const QString* function = channel.elementValue(QStringLiteral("function"));
        if (!function || !controllable(*function))
            continue;
        if (*function == QLatin1String("spring"))
            first->springOn = 1;

        QString text;
        for (const xml_node& child : channel.nodes) {
            if (child.name != QLatin1String("description"))
                continue;
            const QString* d = child.elementValue(language);
            if (!d)
                d = child.elementValue(QStringLiteral("en"));
            if (d)
                text = *d;
            break;
        }
        if (const xml_element* colour = channel.findElement(QStringLiteral("color")); colour && text.isEmpty()) {
            const QString* colourName = colour->attrValue(QStringLiteral("name"));
            text = *function + QLatin1Char(':') + (colourName ? *colourName : colour->value);
        }

        // Channel numbers and offsets are any int the file gives: the
        // channels they make are reckoned in 64 bits.
        const QString* nr = channel.attrValue(QStringLiteral("nr"));
        qint64 i = nr ? qint64(nr->toInt()) - 1 : 0;
        int value = valueAt(values, qint64(first->dmxStart) + i + relocOf(first, i));
        qint64 j = -1;
        int doubleChannel = -1;
        QString label;
        const QString* second = channel.elementValue(QStringLiteral("double"));
        const int secondNumber = second ? second->toInt() : 0;
        if (secondNumber > 0) {
            doubleChannel = secondNumber - 1;
            label = tr("Channel %1:%2 : ").arg(i + 1).arg(secondNumber) + text;
            j = qint64(doubleChannel) + relocOf(first, doubleChannel);
            value += 256 * valueAt(values, qint64(first->dmxStart) + j);
        } else {
            label = tr("Channel %1: ").arg(i + 1) + text;
        }
        i += relocOf(first, i);

        int code = -1;
        for (int k = 0; k < FUNC_CODES; ++k) {
            if (first->funcChannel[k] - 1 == i) {
                code = k;
                break;
            }
        }
        if (code < 0)
            continue;
        if (code <= FUNC_BLUE)
            colourRows[code] = int(rows.size());
        // i is a channel of the fixture's map, so an int; j is any sum.
        auto* row = new designChnls(int(i), int(std::clamp<qint64>(j, INT_MIN, INT_MAX)), value, code, label);
        row->doubleChannel = doubleChannel;
        const int index = twChnls->rowCount();
        twChnls->insertRow(index);
        twChnls->setCellWidget(index, 0, row);
        rows.append(row);
    }

    connect(pbQuit, &QPushButton::pressed, this, &QDialog::close);
    // The dialog stays open while values are typed: Enter closes nothing.
    pbQuit->setAutoDefault(false);
    pbQuit->setDefault(false);

    if (rows.isEmpty()) {
        setWindowTitle(tr("No light control channels!"));
        twChnls->hide();
        noChannels = true;
        return;
    }

    if (theVisualProject)
        theVisualProject->controlDialogs.append(this);
    const int n = int(rows.size());
    twChnls->horizontalHeader()->hide();
    twChnls->verticalHeader()->hide();
    twChnls->setSelectionMode(QAbstractItemView::NoSelection);
    // The table only holds the rows: Tab leaves a value box for the next
    // row's, then the colour buttons and "Close".
    twChnls->setTabKeyNavigation(false);
    twChnls->setFocusPolicy(Qt::NoFocus);
    // The table stands inside the dialog with its frame; the rows' widgets
    // end before the frame.
    const int tableWidth = DIALOG_WIDTH - 2;
    twChnls->setColumnWidth(0, tableWidth - 2);
    twChnls->setGeometry(1, 1, tableWidth, n * ROW_HEIGHT + 2);
    twChnls->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    twChnls->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lbListaFx->setGeometry(2, n * ROW_HEIGHT + 8, TEXT_WIDTH, 21);
    pbQuit->setGeometry(230, n * ROW_HEIGHT + 8, 75, 23);
    setFixedSize(DIALOG_WIDTH, n * ROW_HEIGHT + 36);
    mapper = new QSignalMapper(this);
    for (int r = 0; r < n; ++r) {
        twChnls->setRowHeight(r, ROW_HEIGHT);
        connect(rows.at(r), &designChnls::sendVal, mapper, qOverload<>(&QSignalMapper::map));
        mapper->setMapping(rows.at(r), r);
    }

    lbListaFx->setText(pageStyle::elided(tr("Fixtures: ") + caption, font(), TEXT_WIDTH));

    QString title = tr("Light control");
    for (const char* element : {"provider", "model", "variant"})
        if (const QString* v = first->itemNode->elementValue(QLatin1String(element)))
            title += QLatin1String(": ") + *v;
    if (!name.isEmpty())
        title = name + QLatin1String(": ") + title;
    setWindowTitle(pageStyle::elided(title, font(), TEXT_WIDTH));

    connect(mapper, &QSignalMapper::mappedInt, this, &ctrlEffects::sendValue);
    // Both editors are told: the window may move between a scene and a
    // compound picture while the dialog stays open.
    if (gui_base_class* mainWindow = theMainWindow) {
        connect(this, &ctrlEffects::aSceneRefresh, mainWindow, [mainWindow] { mainWindow->refreshCompoundScenes(); });
        connect(this, &ctrlEffects::sceneRefresh, mainWindow, [mainWindow] { mainWindow->refreshSceneEditor(); });
    }
    if (currentLightMode() == LIGHT_MODE_LIVE_DESIGN && theController)
        connect(this, &ctrlEffects::liveNewValue, theController, &kv310_controller_class::send_new_val);

    QList<QWidget*> tabOrder;
    for (const designChnls* row : std::as_const(rows))
        tabOrder.append(row->sbValue);
    if (colourRows[0] >= 0 && colourRows[1] >= 0 && colourRows[2] >= 0) {
        for (int c : colourRows) {
            QPushButton* button = rows.at(c)->pbColors;
            button->show();
            connect(button, &QPushButton::clicked, this, &ctrlEffects::fullColorControl);
            tabOrder.append(button);
        }
    }
    tabOrder.append(pbQuit);
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    rows.first()->sbValue->setFocus();
}

void ctrlEffects::sendValue(int index)
{
    const designChnls* r = rows.value(index);
    v_project* vp = theVisualProject;
    uint8_t* values = vp ? vp->dmxBuffer : nullptr;
    if (!r || !values)
        return;
    const int code = r->funcCode;
    const int v = r->sbValue->value();
    const int mode = currentLightMode();
    const bool compound = mode == LIGHT_MODE_COMPOUND;
    const int record = compound ? vp->sceneNumber - FIRST_COMPOUND_SCENE : vp->sceneNumber;
    gui_base_class* mainWindow = theMainWindow;
    const int firstFader = mainWindow ? mainWindow->shownFaderChannel(
                               compound ? gui_base_class::COMPOUND_FADERS : gui_base_class::SCENE_FADERS, record)
                                      : -1;
    bool onFaders = false;
    const auto write = [&](qint64 channel, int level) {
        if (!inUniverse(channel))
            return;
        values[channel] = uint8_t(level);
        onFaders = onFaders || (firstFader >= 0 && channel >= firstFader && channel <= firstFader + 9);
        if (mode == LIGHT_MODE_LIVE_DESIGN)
            emit liveNewValue(vp->sceneNumber, int(channel));
    };
    for (const QPointer<lightEffect>& f : std::as_const(ctrlFixtures)) {
        if (!f || code < 0 || code >= FUNC_CODES || f->funcChannel[code] < 1)
            continue;
        // What the row shows is what is stored: the low byte in the main
        // channel, the high byte in the second one.
        write(qint64(f->dmxStart) + f->funcChannel[code] - 1, v & 0xFF);
        if (r->doubleChannel >= 0)
            write(qint64(f->dmxStart) + r->doubleChannel + relocOf(f, r->doubleChannel), v >> 8);
    }

    kvVGraph_class* window = graphWindow();
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        f->computeLight(values);
        if (f->beam && window)
            f->refreshLight(*window);
    }

    if (firstFader < 0)
        return;
    if (compound) {
        // A compound picture is not a scene of the image: nothing is played live.
        if (onFaders)
            emit aSceneRefresh();
        return;
    }
    if (onFaders)
        emit sceneRefresh();
    if (kv310_controller_class* c = theController)
        c->send_sc_prep(vp->sceneNumber);
}

void ctrlEffects::fullColorControl()
{
    if (colourRows[0] < 0 || colourRows[1] < 0 || colourRows[2] < 0)
        return;
    const auto level = [this](int c) { return qMin(rows.at(colourRows[c])->sbValue->value(), 255); };
    const QColor chosen = dialogs().color(QColor(level(0), level(1), level(2)), this, QString());
    if (!chosen.isValid())
        return;
    rows.at(colourRows[0])->sbValue->setValue(chosen.red());
    rows.at(colourRows[1])->sbValue->setValue(chosen.green());
    rows.at(colourRows[2])->sbValue->setValue(chosen.blue());
}
