// The extra entries of the program page: its editor page (built here, not
// one of the tool tabs) and the top program slots the entries take.

#include "editors/programs/aprogram_settings_widget.h"

#include "editors/programs/aprogram_entry_delegate.h"
#include "editors/programs/aprogram_page_parts.h"
#include "model/config_image.h"
#include "seams/dialog_seam.h"
#include "widgets/page_list.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>

using programPage::controller;

namespace {

bool isProgram(int p)
{
    return p >= 0 && p < img::PROGRAM_SLOTS;
}

} // namespace

void aprogram_settings_widget::buildEntriesPage()
{
    entriesPage = new QWidget();
    QWidget* page = entriesPage;
    auto* title = new QLabel(tr("Extra entries into existing programs:"), page);
    title->setGeometry(60, 60, 480, 24);
    title->setAlignment(Qt::AlignHCenter);

    entriesModel = std::make_unique<QStandardItemModel>(0, 3);
    entriesModel->setHeaderData(0, Qt::Horizontal, tr("Start Program"), Qt::EditRole);
    entriesModel->setHeaderData(1, Qt::Horizontal, tr("From step"), Qt::EditRole);
    entriesModel->setHeaderData(2, Qt::Horizontal, tr("As program"), Qt::EditRole);
    entriesView = new QTableView(page);
    entriesView->setGeometry(60, 120, 405, 388);
    entriesView->setModel(entriesModel.get());
    entriesView->setFont(listFont);
    entriesView->setSelectionMode(QAbstractItemView::SingleSelection);
    entriesView->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A title wider than its column widens it; the title of the current
    // row's columns is drawn bold.
    QFont titleFont = entriesView->horizontalHeader()->font();
    titleFont.setBold(true);
    const int widths[] = {130, 130, 100};
    int columns = 0;
    for (int c = 0; c < 3; ++c) {
        const int title =
            QFontMetrics(titleFont).horizontalAdvance(entriesModel->headerData(c, Qt::Horizontal).toString());
        entriesView->setColumnWidth(c, qMax(widths[c], title + 12));
        columns += entriesView->columnWidth(c);
    }
    // The table grows towards the buttons to keep every column in view.
    const int needed = 2 * entriesView->frameWidth() + entriesView->verticalHeader()->sizeHint().width() + columns
                       + entriesView->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, entriesView);
    entriesView->resize(qBound(405, needed, 430), 388);
    entriesDelegate = new aprogram_entry_delegate(this);
    entriesView->setItemDelegate(entriesDelegate);

    const auto button = [this, page](const QString& text, int y) {
        auto* b = new QPushButton(text, page);
        b->setGeometry(500, y, 110, 30);
        b->setFont(listFont);
        return b;
    };
    addEntryButton = button(tr("Add"), 240);
    removeEntryButton = button(tr("Remove"), 290);
    clearEntriesButton = button(tr("Remove all"), 340);

    connect(addEntryButton, &QPushButton::clicked, this, &aprogram_settings_widget::addEntry);
    connect(removeEntryButton, &QPushButton::clicked, this, &aprogram_settings_widget::delEntry);
    connect(clearEntriesButton, &QPushButton::clicked, this, &aprogram_settings_widget::clrEntries);
    connect(entriesView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            qOverload<const QModelIndex&, const QModelIndex&>(&aprogram_settings_widget::showEntryDesc));
    connect(entriesDelegate, &aprogram_entry_delegate::changeDesc, this,
            qOverload<int>(&aprogram_settings_widget::showEntryDesc));
}

void aprogram_settings_widget::showEntriesTab(bool on)
{
    if (!on && toolTabs->count() > 3 && toolTabs->widget(3) == entriesPage)
        toolTabs->removeTab(3);
}

void aprogram_settings_widget::refreshEntriesPage()
{
    const kv310_controller_class& c = controller();
    const int entries = int(c.extraEntries.size());
    if (entriesModel->rowCount() < entries)
        entriesModel->insertRows(0, entries - entriesModel->rowCount());
    else if (entriesModel->rowCount() > entries)
        entriesModel->removeRows(0, entriesModel->rowCount() - entries);

    const QString none = tr("---");
    for (int j = 0; j < entries; ++j) {
        const extraEntry& e = *c.extraEntries[size_t(j)];
        QString program = tr("Not defined");
        QString step = none;
        QString slot = none;
        if (isProgram(e.program)) {
            program = tr("Program %1").arg(e.program + 1);
            const int count = c.programs.stepCount(e.program);
            if (count < 2) {
                step = tr("Program too short");
            } else if (e.fromStep > 0 && e.fromStep < count) {
                step = tr("Step %1").arg(e.fromStep + 1);
                slot = QStringLiteral("%1").arg(img::PROGRAM_SLOTS - j);
            } else {
                step = tr("Invalid step");
            }
        }
        entriesModel->setData(entriesModel->index(j, 0), program, Qt::DisplayRole);
        entriesModel->setData(entriesModel->index(j, 1), step, Qt::DisplayRole);
        entriesModel->setData(entriesModel->index(j, 2), slot, Qt::DisplayRole);
    }

    const int row = entriesView->currentIndex().row();
    if (row >= 0 && row < entries && isProgram(c.extraEntries[size_t(row)]->program))
        showForeignDescription(c.programDescriptions[c.extraEntries[size_t(row)]->program]);
    else
        showForeignDescription(QString());
}

void aprogram_settings_widget::addEntry()
{
    kv310_controller_class& c = controller();
    extraEntryList& entries = c.extraEntries;
    int i = -1;
    for (size_t k = 0; k < entries.size() && i < 0; ++k)
        if (entries[k]->program > img::PROGRAM_SLOTS)
            i = int(k);
    if (i < 0) {
        i = int(entries.size());
        // Every entry takes a program slot away: the last one stays a program.
        if (i >= MAX_EXTRA_ENTRIES) {
            showMessage(QMessageBox::Information, entriesPage, tr("Unrealisable action!"),
                        tr("Program number limit exceeded!"));
            return;
        }
        const int slot = img::PROGRAM_SLOTS - 1 - i;
        if (c.programs.stepCount(slot) > 0
            && askQuestion(QMessageBox::Question, entriesPage, tr("Program exists!"),
                           tr("Do you want to overwrite program No. %1?").arg(slot + 1), {tr("No"), tr("Yes, I do!")},
                           0, 0)
                   != 1)
            return;
        entries.push_back(std::make_unique<extraEntry>());
        // The last row of the program list is about to go.
        if (programList->currentRow() == programRows - 1)
            programList->setCurrentCell(programRows - 2, 0);
    }
    extraEntry& entry = *entries[size_t(i)];
    entry.program = 0;
    entry.fromStep = 1;
    entry.slot = uint16_t(img::PROGRAM_SLOTS - 1 - i);
    refresh();
}

void aprogram_settings_widget::delEntry()
{
    extraEntryList& entries = controller().extraEntries;
    const int r = entriesView->currentIndex().row();
    if (r < 0 || r >= int(entries.size()))
        return;
    if (r == int(entries.size()) - 1)
        entries.pop_back();
    else
        entries[size_t(r)]->program = 0xFFFF;
    refresh();
}

void aprogram_settings_widget::clrEntries()
{
    controller().extraEntries.clear();
    refresh();
}

void aprogram_settings_widget::showEntryDesc(const QModelIndex& current, const QModelIndex&)
{
    if (!current.isValid())
        return;
    const extraEntryList& entries = controller().extraEntries;
    const int row = current.row();
    if (row < int(entries.size()) && isProgram(entries[size_t(row)]->program))
        showForeignDescription(controller().programDescriptions[entries[size_t(row)]->program]);
    else
        showForeignDescription(QString());
}

void aprogram_settings_widget::showEntryDesc(int n)
{
    showForeignDescription(n >= 1 && n <= img::PROGRAM_SLOTS ? controller().programDescriptions[size_t(n - 1)]
                                                             : QString());
}
