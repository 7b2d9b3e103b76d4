#include "visualisation/kv_vgraph.h"

#include "visualisation/fixture_xml.h"
#include "visualisation/modi_fxt.h"

#include "fixtures/light_class.h"
#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/v_project.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "xml/xml_writer.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>

#include <algorithm>
#include <cmath>
#include <limits>

// The fixture commands of the plan: a new fixture and its properties, a
// fixture's details, copy and paste, removal and quick addressing.

namespace {

// Field units of a pixel count, truncated towards zero, within what an int holds.
int fieldUnits(double pixels)
{
    constexpr double limit = double(std::numeric_limits<int>::max() / 2);
    if (std::isnan(pixels))
        return 0;
    return int(std::trunc(std::clamp(pixels, -limit, limit)));
}

// A new fixture's items on the plan, as the project reader and the window
// make them for the fixtures it reads.
void placeOnPlan(lightEffect* f, QLabel* plan, const QPoint& iconAt)
{
    f->lightColor = QColor(255, 255, 255, 255);
    f->beam = new light_class(f, plan);
    f->beam->setMouseTracking(true);
    f->cross = new sel_cross(f, plan);
    f->setParent(plan);
    f->move(iconAt);
    f->setMouseTracking(true);
}

// The project's fixtures, the list started when the project has none yet;
// null when the tree takes no more nodes.
xml_node* devicesOf(xml_node* projectTree)
{
    xml_node* devices = fixtureXml::child(projectTree, QStringLiteral("devices"));
    return devices ? devices : projectTree->addNode(QStringLiteral("devices"));
}

void showFixtureCount(const v_project& vp)
{
    if (theMainWindow)
        theMainWindow->showFixtureCount(int(vp.fixtures.size()));
}

// A new fixture, placed on the plan, shown and counted among the project's.
void addToProject(v_project& vp, lightEffect* f)
{
    f->show();
    vp.fixtures.append(f);
    showFixtureCount(vp);
}

}  // namespace

void kvVGraph_class::connectFixtureCommands()
{
    connect(actShowDetails, &QAction::triggered, this, &kvVGraph_class::infoFixture);
    connect(actEditFixture, &QAction::triggered, this, &kvVGraph_class::modiFixture);
    connect(actCopyFixture, &QAction::triggered, this, &kvVGraph_class::copyFixture);
    connect(actRemoveFixture, &QAction::triggered, this, &kvVGraph_class::deleteFixture);
    connect(actAddFixture, &QAction::triggered, this, &kvVGraph_class::newFixture);
    connect(actPasteFixture, &QAction::triggered, this, &kvVGraph_class::pasteFixture);
    connect(autoAddresses, &QAction::triggered, this, &kvVGraph_class::autoAddress);
    connect(devList, &QAction::triggered, this, &kvVGraph_class::showDeviceList);
}

QPoint kvVGraph_class::imagePosition(const QPoint& p) const
{
    return QPoint(p.x() + hScroll, p.y() - menubar->height() + vScroll);
}

QPoint kvVGraph_class::fieldPosition(const QPoint& p) const
{
    const QPoint image = imagePosition(p);
    // A fixture stored at a negative position would come back undefined.
    return QPoint(std::max(0, fieldUnits(image.x() * scale / zoom)), std::max(0, fieldUnits(image.y() * scale / zoom)));
}

void kvVGraph_class::fixtureRemoved(lightEffect* fixture)
{
    if (pointedFixture == fixture)
        pointedFixture = nullptr;
    if (clipboardFixture == fixture)
        clipboardFixture = nullptr;
    if (dragFixture == fixture)
        dragFixture = nullptr;
}

void kvVGraph_class::newFixture()
{
    v_project* vp = theVisualProject;
    clipboardFixture = nullptr;
    if (!vp || !vp->projectTree)
        return;
    const QPoint pressed(pressX, pressY);
    const QPoint field = fieldPosition(pressed);
    xml_node* devices = devicesOf(vp->projectTree);
    if (!devices)
        return;
    const int number = vp->firstFreeNumber();

    auto* f = new lightEffect(number, field.x(), field.y(), nullptr);
    f->deviceNode = devices->addNode(QStringLiteral("device"));
    f->deviceNode->setAttr(QStringLiteral("nr"), QString::number(number));
    f->itemNode = nullptr;
    f->storeGeometry();
    f->dmxStart = -1;
    f->chnlCount = 0;
    f->updateIcon();
    f->updateCaption();
    // The icon's centre on the pressed point.
    placeOnPlan(f, imageLabel, imagePosition(pressed) - QPoint(10, 10));
    addToProject(*vp, f);

    pointedFixture = f;
    modiFixture();
    // The fixture stays, defined or not.
    vp->modified = true;
}

void kvVGraph_class::modiFixture()
{
    lightEffect* f = pointedFixture;
    v_project* vp = theVisualProject;
    if (!f || !vp)
        return;
    {
        ModiFxt_class dialog(this);
        execDialog(&dialog);
    }
    imageLabel->update();
    if (f->beam)
        f->refreshLight(*this);
    vp->checkFixtures();
}

void kvVGraph_class::infoFixture()
{
    const lightEffect* f = pointedFixture;
    if (!f)
        return;
    const xml_node* item = f->itemNode;
    const xml_node* device = f->deviceNode;
    const auto itemText = [item](const char* name) -> const QString* {
        return item ? item->elementValue(QLatin1String(name)) : nullptr;
    };

    QStringList lines;
    lines << tr("Fixture No. %1").arg(f->number);
    lines << tr("Position: %1 X %2").arg(f->posX).arg(f->posY);
    const QString* provider = itemText("provider");
    lines << tr("Provider: %1").arg(provider ? *provider : tr("undefined!"));
    const QString* model = itemText("model");
    lines << tr("Model: %1").arg(model ? *model : tr("undefined!"));
    if (const QString* variant = itemText("variant"))
        lines << tr("Variant: %1").arg(*variant);
    const QString* description = nullptr;
    if (const xml_node* descriptions = fixtureXml::child(item, QStringLiteral("description")))
        description = descriptions->elementValue(tr("en"));
    lines << (description ? *description : tr("No description!"));
    if (const QString* label = device ? device->elementValue(QStringLiteral("label")) : nullptr)
        lines << tr("Label: \"%1\"").arg(unescapeText(*label));

    if (const QString* dmx = device ? device->elementValue(QStringLiteral("dmx")) : nullptr) {
        bool ok = false;
        qint64 first = dmx->toInt(&ok);
        if (!ok)
            first = 1;
        const qint64 count = fixtureXml::itemRange(item);
        const bool relocated = std::any_of(f->reloc.cbegin(), f->reloc.cend(), [](int r) { return r != 0; });
        if (!relocated && count != 1) {
            QString line = tr("DMX channels from %1").arg(first);
            if (count != 0)
                line += tr(" to %1").arg(first + count - 1);
            lines << line;
        } else {
            // A fixture has no more channels than the universe.
            const int listed = int(std::clamp<qint64>(count, 0, 512));
            QString line = tr("DMX channels: ");
            for (int i = 0; i < listed; ++i)
                line += QStringLiteral("%1, ").arg(first + i + (i < f->reloc.size() ? f->reloc[i] : 0));
            if (listed > 0)
                line.chop(2);
            lines << line;
        }
    }
    showMessage(QMessageBox::Information, this, tr("About this fixture..."), lines.join(QStringLiteral("\r\n")));
}

void kvVGraph_class::copyFixture()
{
    clipboardFixture = pointedFixture;
}

void kvVGraph_class::pasteFixture()
{
    v_project* vp = theVisualProject;
    const lightEffect* source = clipboardFixture;
    if (!source || !vp || !vp->projectTree)
        return;
    const QPoint pressed(pressX, pressY);
    const QPoint field = fieldPosition(pressed);
    xml_node* devices = devicesOf(vp->projectTree);
    if (!devices)
        return;
    const int number = vp->firstFreeNumber();

    auto* f = new lightEffect(number, field.x(), field.y(), nullptr);
    // The copy is taken now: the clipboard names the fixture as it is.
    if (source->deviceNode) {
        f->deviceNode = devices->insertNode(*source->deviceNode);
        f->deviceNode->relevel();
    } else {
        f->deviceNode = devices->addNode(QStringLiteral("device"));
    }
    f->deviceNode->setAttr(QStringLiteral("nr"), QString::number(number));
    f->itemNode = source->itemNode;
    f->storeGeometry();
    f->dmxStart = -1;
    f->selected = false;
    f->defined = false;
    f->updateIcon();
    f->updateCaption();
    placeOnPlan(f, imageLabel, imagePosition(pressed) - QPoint(10, 10));
    f->reloc = source->reloc;
    // No channel layout yet: the fixture dialog's save takes it as changed.
    f->chnlCount = -1;
    addToProject(*vp, f);

    pointedFixture = f;
    modiFixture();
    if (f->beam)
        f->refreshLight(*this);
    vp->modified = true;
}

void kvVGraph_class::deleteFixture()
{
    v_project* vp = theVisualProject;
    lightEffect* f = pointedFixture;
    if (!f || !vp)
        return;
    vp->removeFixture(f);
    showFixtureCount(*vp);
    vp->modified = true;
}

void kvVGraph_class::autoAddress()
{
    const v_project* vp = theVisualProject;
    if (!vp || vp->fixtures.isEmpty())
        return;
    // Channels are given past the universe too; the readers bound them.
    constexpr qint64 bound = std::numeric_limits<int>::max() / 2;
    const auto rangeOf = [](const lightEffect* f, qint64& range) {
        bool ok = false;
        range = fixtureXml::itemRange(f->itemNode, &ok);
        return ok;
    };
    bool valid = false;
    qint64 next = 0;
    const lightEffect* first = vp->fixtures.first();
    if (const QString* dmx = first->deviceNode ? first->deviceNode->elementValue(QStringLiteral("dmx")) : nullptr) {
        qint64 range = 0;
        next = dmx->toInt(&valid);
        valid = valid && rangeOf(first, range);
        next = std::clamp(next + range, -bound, bound);
    }
    for (int i = 1; valid && i < vp->fixtures.size(); ++i) {
        lightEffect* f = vp->fixtures.at(i);
        f->dmxStart = int(next - 1);
        if (f->deviceNode)
            fixtureXml::setText(f->deviceNode, QStringLiteral("dmx"), QString::number(next));
        qint64 range = 0;
        valid = rangeOf(f, range);
        if (valid) {
            next = std::clamp(next + range, -bound, bound);
            f->updateCaption();
        }
    }
    if (!valid)
        showMessage(QMessageBox::Critical, this, tr("Invalid project!"), tr("There are invalid fixture descriptions!"));
}

void kvVGraph_class::showDeviceList()
{
    showMessage(QMessageBox::Information, this, tr("I'm sorry..."), tr("This feature will work in future :-("));
}
