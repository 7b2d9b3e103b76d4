#include "editors/scenes/as_edit_widget.h"

#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/sector_palette.h"
#include "model/active_scenes.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "seams/gui_base.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>

namespace {
constexpr int RANGES = 16;
constexpr int COMPOUND_SCENE_BASE = 10240;  // the visual project's number of compound picture 0
}

as_edit_widget::as_edit_widget(QWidget* parent)
    : QWidget(parent)
{
    pictureTable = new QTableWidget(RANGES, 2, this);
    pictureTable->setGeometry(10, 60, 195, 510);
    pictureTable->setHorizontalHeaderLabels({tr("Static"), tr("In motion")});
    pictureTable->setColumnWidth(0, 80);
    pictureTable->setColumnWidth(1, 80);
    pictureTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pictureTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    pictureTable->setSelectionMode(QAbstractItemView::SingleSelection);
    pictureTable->setCurrentCell(0, 0);

    sliders = std::make_unique<admx512_sliders_widget>(theController, channelCount, this,
                                                       admx512_sliders_widget::KIND_COMPOUND);
    for (const auto& fader : sliders->sliders) {
        fader->slider->setAutoFillBackground(true);
        fader->slider->setPalette(QApplication::palette());
    }

    visualButton = new QPushButton(tr("Go to visual design mode"), this);
    visualButton->setGeometry(520, 530, 301, 41);

    connect(pictureTable, &QTableWidget::itemSelectionChanged, this, &as_edit_widget::selectionChanged);
    // After the bank's own connections: its faders have moved first.
    connect(sliders->scrollBar, &QScrollBar::valueChanged, this, &as_edit_widget::scrolled);
    connect(visualButton, &QPushButton::clicked, this, &as_edit_widget::goToVisualDesign);
    refresh();
}

as_edit_widget::~as_edit_widget() = default;

void as_edit_widget::scrolled(int)
{
    refresh();
}

void as_edit_widget::refresh()
{
    ++refreshCount;
    // As on the settings page: a hidden page asks without warning.
    visualButton->setEnabled(theVisualProject
                             && (isVisible() ? theVisualProject->checkFixtures() : theVisualProject->fixturesComplete()));
    const int first = sliders->firstChannel;
    sliders->setSliders(first);

    const uint8_t* image = theController ? theController->configImage : nullptr;
    std::array<sectorRange, 24> sectors{};
    for (size_t k = 0; k < sectors.size(); ++k) {
        sectors[k] = image ? activeSectors::at(image, int(k)) : sectorRange();
        sectorInUse[k] = activeSectors::inUse(sectors[k]) ? 1 : 0;
    }

    for (int j = 0; j < admx512_sliders_widget::FADERS; ++j) {
        admx_slider_widget* fader = sliders->sliders[size_t(j)].get();
        const int channel = first + j;
        fader->slider->setBackgroundRole(QPalette::Base);
        fader->slider->setEnabled(false);
        fader->valueBox->setEnabled(false);
        for (size_t k = 0; k < sectors.size(); ++k) {
            if (!sectorInUse[k] || channel < sectors[k].from || channel > sectors[k].to)
                continue;
            // Where sectors overlap, the lowest-numbered one colours the fader.
            QPalette palette = fader->slider->palette();
            palette.setBrush(QPalette::All, QPalette::AlternateBase, QBrush(sectorColour(int(k))));
            fader->slider->setPalette(palette);
            fader->slider->setBackgroundRole(QPalette::AlternateBase);
            fader->slider->setEnabled(true);
            fader->valueBox->setEnabled(true);
            break;
        }
    }
}

void as_edit_widget::selectionChanged()
{
    const int row = pictureTable->currentRow();
    const int column = pictureTable->currentColumn();
    if (row < 0 || column < 0)
        return;
    sliders->setSceneNumber(2 * row + column);
    refresh();
}

void as_edit_widget::rangeChanged(int range, int mode)
{
    if (range < 0 || range >= RANGES || mode < 0 || mode > 1)
        return;
    pictureTable->setCurrentCell(range, mode);
    sliders->setSceneNumber(2 * range + mode);
    refresh();
}

void as_edit_widget::limitChnls(int n)
{
    // A bank scrolled beyond the new limit moves back, and scrolled()
    // recolours its faders.
    sliders->setChannelLimit(n);
}

void as_edit_widget::goToVisualDesign()
{
    if (theMainWindow)
        theMainWindow->startVisMode();
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    const int row = qMax(pictureTable->currentRow(), 0);
    const int column = qMax(pictureTable->currentColumn(), 0);
    vp->sceneNumber = COMPOUND_SCENE_BASE + 2 * row + column;
    if (vp->graphWindow && theMainWindow)
        theMainWindow->showCompoundScene();
}
