#include "app/gui_class.h"
#include "app/lazy_pages.h"

#include "app/gui_page_helpers.h"
#include "app/right_panel_widget.h"

#include "seams/dialog_seam.h"
#include "seams/regular_file.h"
#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "fixtures/light_effect.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "visualisation/kv_vgraph.h"
#include "xml/xml_node.h"
#include "xml/xml_report.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <iterator>
#include <memory>

// The visual-project page of the main window: project details, fixture
// library, project file, and the visualisation window it opens.

using namespace gui_pages;

namespace {

QString startDirectory(const QLineEdit* edit)
{
    return edit->text().isEmpty() ? QStringLiteral("./") : edit->text();
}

// The factor lists' entry for a stored factor: "1x" up to 1 (and for text
// that is no number), then the smallest power of two that reaches it, "8x"
// at most.
int factorIndex(const QString& text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v <= 1)
        return 1;
    if (v <= 2)
        return 2;
    if (v <= 4)
        return 3;
    return 4;
}

// A document read the way the visual-project files are read: parsed only
// when its first line, trimmed, opens a tag.
std::unique_ptr<xml_parse_node> parseDocument(QFile& file, bool& parsed)
{
    auto root = std::make_unique<xml_parse_node>(-1);
    root->name = QStringLiteral("@root");
    QTextStream in(&file);
    in.setEncoding(QStringConverter::System);
    QString line = in.readLine().trimmed();
    parsed = line.startsWith(QLatin1Char('<'));
    if (parsed) {
        while (root->read(in, line)) {
        }
    }
    return root;
}

// The background and sketch settings of the visual-project page live only in
// its widgets; they are carried over to the next window of a language change.
struct keptProjectField {
    const v_project* project = nullptr;  // the visual project they belong to
    projectFieldTexts texts;
};
keptProjectField& projectFieldOfLastWindow()
{
    static keptProjectField field;
    return field;
}

// The factors the lists offer, as their items' data.
constexpr int factorData[] = {0, 1, 2, 4, 8};

// The project area as its boxes hold it.
QString fieldSize(int mm)
{
    return QString::number(qBound(100, mm, 100000));
}

// The field a project read before the window kept in its tree.
const xml_node* treeField(const v_project* vp)
{
    if (!vp || !vp->projectTree)
        return nullptr;
    for (const xml_node& node : vp->projectTree->nodes)
        if (node.name == QLatin1String("field"))
            return &node;
    return nullptr;
}

// A project's "field" node over the field shown so far.
projectFieldTexts fieldOf(const xml_node& field, projectFieldTexts t)
{
    if (const QString* width = field.elementValue(QStringLiteral("width")))
        t.width = fieldSize(width->toInt());
    if (const QString* height = field.elementValue(QStringLiteral("height")))
        t.height = fieldSize(height->toInt());
    if (const xml_element* image = field.findElement(QStringLiteral("image"))) {
        t.image = image->value;
        if (const QString* dark = image->attrValue(QStringLiteral("dark")))
            t.dark = factorData[factorIndex(*dark)];
    }
    if (const xml_element* outline = field.findElement(QStringLiteral("outline"))) {
        t.outline = outline->value;
        if (const QString* pale = outline->attrValue(QStringLiteral("pale")))
            t.pale = factorData[factorIndex(*pale)];
    }
    return t;
}

// A factor the lists hold, "---" for any other.
int offeredFactor(int data)
{
    return std::find(std::begin(factorData), std::end(factorData), data) != std::end(factorData) ? data : 0;
}

// The first top-level element named exactly "contents" holds the phrase.
bool contentsSays(const xml_node& root, const QString& phrase)
{
    const xml_element* contents = root.findElement(QStringLiteral("contents"), true);
    return contents && contents->value.contains(phrase);
}

}  // namespace

void gui_class::buildProjectDetails()
{
    const QFont font = pageFont();
    QGroupBox* g = projectDetailsGroup;
    auto label = [&](const QString& text, int x, int y, int w, bool right = false) {
        auto* l = new QLabel(text, g);
        l->setGeometry(x, y, w, 25);
        l->setFont(font);
        if (right)
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    auto button = [&](const QString& text, int x, int y, int w) {
        auto* b = new QPushButton(text, g);
        b->setGeometry(x, y, w, 25);
        b->setFont(font);
        return b;
    };
    auto factors = [&](int x, int y) {
        auto* c = new QComboBox(g);
        c->setGeometry(x, y, 70, 25);
        const char* texts[] = {"---", "1x", "2x", "4x", "8x"};
        for (int i = 0; i < 5; ++i)
            c->addItem(QString::fromLatin1(texts[i]), factorData[i]);
        return c;
    };

    label(tr("Background image:"), 20, 25, 150);
    label(tr("darkened"), 370, 25, 100, true);
    bkFactorCombo = factors(480, 25);
    backgroundBrowseButton = button(tr("Browse"), 560, 25, 80);
    backgroundNoneButton = button(tr("None"), 650, 25, 70);
    bkImageEdit = new QLineEdit(g);
    bkImageEdit->setGeometry(20, 55, 700, 25);

    label(tr("Sketch image:"), 20, 90, 150);
    label(tr("brightened"), 370, 90, 100, true);
    sketchFactorCombo = factors(480, 90);
    sketchBrowseButton = button(tr("Browse"), 560, 90, 80);
    sketchNoneButton = button(tr("None"), 650, 90, 70);
    sketchEdit = new QLineEdit(g);
    sketchEdit->setGeometry(20, 120, 700, 25);

    label(tr("Project area:"), 20, 155, 110, true);
    fieldWidthSpin = new QSpinBox(g);
    fieldWidthSpin->setGeometry(140, 155, 90, 25);
    label(tr("mm    X"), 235, 155, 60);
    fieldHeightSpin = new QSpinBox(g);
    fieldHeightSpin->setGeometry(300, 155, 90, 25);
    label(tr("mm"), 395, 155, 40);
    for (QSpinBox* s : {fieldWidthSpin, fieldHeightSpin}) {
        s->setRange(100, 100000);
        s->setValue(1000);
    }
    refreshFixturesButton = button(tr("Refresh fixtures definition"), 450, 155, 270);
    refreshFixturesButton->setEnabled(false);

    auto* line1 = new QFrame(g);
    line1->setGeometry(20, 188, 700, 5);
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);

    label(tr("Number of fixtures:"), 20, 200, 150, true);
    fixtureCountLabel = label(QStringLiteral("0"), 175, 200, 50);
    label(tr("Number of groups:"), 230, 200, 140, true);
    groupCountLabel = label(QStringLiteral("0"), 375, 200, 50);
    label(tr("Project status:"), 430, 200, 130, true);
    projectStatusValueLabel = label(QString(), 565, 200, 150);
    showStatus(projectStatusValueLabel, tr("invalid!"), red);

    auto* line2 = new QFrame(g);
    line2->setGeometry(20, 233, 700, 5);
    line2->setFrameShape(QFrame::HLine);
    line2->setFrameShadow(QFrame::Sunken);

    hideMonitorCheck = new QCheckBox(tr("Hide monitor window"), g);
    hideMonitorCheck->setGeometry(470, 245, 250, 25);
    hideMonitorCheck->setFont(font);
    hideMonitorCheck->setLayoutDirection(Qt::RightToLeft);

    designModeButton = button(tr("Design mode"), 150, 285, 200);
    visModeButton = button(tr("Visualisation mode"), 390, 285, 200);
    visModeButton->setEnabled(false);

    connect(backgroundBrowseButton, &QPushButton::pressed, this, &gui_class::browseBkImage);
    connect(sketchBrowseButton, &QPushButton::pressed, this, &gui_class::browseSketch);
    connect(backgroundNoneButton, &QPushButton::pressed, this, &gui_class::clearBkImage);
    connect(sketchNoneButton, &QPushButton::pressed, this, &gui_class::clearSketch);
    if (theVisualProject)
        connect(refreshFixturesButton, &QPushButton::pressed, theVisualProject, &v_project::refreshFixtLib);
    connect(designModeButton, &QPushButton::clicked, this, qOverload<>(&gui_class::startPrjMode));
    connect(visModeButton, &QPushButton::clicked, this, qOverload<>(&gui_class::startVisMode));
}

void gui_class::buildLibraryGroup()
{
    const QFont font = pageFont();
    QGroupBox* g = libraryGroup;
    auto* status = new QLabel(tr("Status:"), g);
    status->setGeometry(20, 25, 60, 25);
    libraryStatusLabel = new QLabel(g);
    libraryStatusLabel->setGeometry(85, 25, 200, 25);
    showStatus(libraryStatusLabel, tr("not read"), darkRed);
    browseLibraryButton = new QPushButton(tr("Browse"), g);
    browseLibraryButton->setGeometry(450, 25, 80, 25);
    releaseLibraryButton = new QPushButton(tr("Release"), g);
    releaseLibraryButton->setGeometry(540, 25, 80, 25);
    readLibraryButton = new QPushButton(tr("Read"), g);
    readLibraryButton->setGeometry(630, 25, 80, 25);
    auto* file = new QLabel(tr("File:"), g);
    file->setGeometry(20, 55, 60, 25);
    libraryFileEdit = new QLineEdit(g);
    libraryFileEdit->setGeometry(85, 55, 625, 25);
    for (QWidget* w : std::initializer_list<QWidget*>{status, libraryStatusLabel, browseLibraryButton,
                                                      releaseLibraryButton, readLibraryButton, file})
        w->setFont(font);

    connect(browseLibraryButton, &QPushButton::clicked, this, &gui_class::browseLibrary);
    connect(readLibraryButton, &QPushButton::clicked, this, &gui_class::readLibrary);
    connect(releaseLibraryButton, &QPushButton::clicked, this, &gui_class::releaseLibrary);
}

void gui_class::buildProjectFileGroup()
{
    const QFont font = pageFont();
    QGroupBox* g = oldProjectGroup;
    auto* status = new QLabel(tr("Status:"), g);
    status->setGeometry(20, 25, 60, 25);
    projectStatusLabel = new QLabel(g);
    projectStatusLabel->setGeometry(85, 25, 200, 25);
    showStatus(projectStatusLabel, tr("not read"), red);
    browseProjectButton = new QPushButton(tr("Browse"), g);
    browseProjectButton->setGeometry(540, 25, 80, 25);
    readProjectButton = new QPushButton(tr("Read"), g);
    readProjectButton->setGeometry(630, 25, 80, 25);
    auto* file = new QLabel(tr("File:"), g);
    file->setGeometry(20, 55, 60, 25);
    projectFileEdit = new QLineEdit(g);
    projectFileEdit->setGeometry(85, 55, 625, 25);
    for (QWidget* w :
         std::initializer_list<QWidget*>{status, projectStatusLabel, browseProjectButton, readProjectButton, file})
        w->setFont(font);

    connect(browseProjectButton, &QPushButton::clicked, this, &gui_class::browseProject);
    connect(readProjectButton, &QPushButton::clicked, this, &gui_class::readProject);
}


// ---- Visual-project page -------------------------------------------------------------------

void gui_class::browseLibrary()
{
    fileRequest request;
    request.caption = tr("Choose a library file for KV310 visualisation project");
    request.filter = tr("Light Fixtures Libraries (*.fxl)") + QStringLiteral(";;") + tr("All files (*)");
    request.directory = startDirectory(libraryFileEdit);
    const QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    libraryFileEdit->setText(fileName);
    readLibrary();
}

void gui_class::readLibrary()
{
    buildPage(lazyPage::visualProject);
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    const QString name = libraryFileEdit->text();
    if (name.isEmpty()) {
        showMessage(QMessageBox::Warning, this, tr("Name field empty!"), tr("Choose a library file!"));
        return;
    }
    QFile file(name);
    switch (openBoundedFile(file, fileLimit::fixtureLibraryMB, QIODevice::ReadOnly | QIODevice::Text)) {
    case boundedOpen::opened:
        break;
    case boundedOpen::failed:
        showMessage(QMessageBox::Critical, this, tr("File error"), tr("Cannot open file \"%1\"!").arg(name));
        releaseLibrary();
        return;
    case boundedOpen::tooBig:
        // Refused before anything is read: the library in use stays.
        showFileTooBig(this, name, fileLimit::fixtureLibraryMB);
        return;
    }
    bool parsed = false;
    const std::unique_ptr<xml_parse_node> root = parseDocument(file, parsed);
    if (root->tooManyEntries()) {
        // Refused as a file too big: the library in use stays.
        reportTooMany(name, entriesLimit(), this);
        return;
    }
    if (parsed)
        reportXmlErrors(*root, name, this);
    if (!contentsSays(*root, QStringLiteral("Fixtures library"))) {
        showMessage(QMessageBox::Warning, this, tr("Invalid file!"),
                    tr("This file is not a valid library file:\n\"%1\"!").arg(name));
        releaseLibrary();
        return;
    }

    // Nothing keeps pointers into the previous external library: fixtures
    // use the copies in the project tree and the hierarchy is rebuilt below.
    if (vp->library == vp->libraryTree)
        vp->library = nullptr;
    delete vp->libraryTree;
    // The parsed tree goes with this function: its entries are taken, not
    // copied, so that a big library is never held twice.
    vp->libraryTree = new xml_node(std::move(*root), 0);
    vp->libraryFile = name;
    showStatus(libraryStatusLabel, tr("read"), green);
    oldProjectGroup->setEnabled(true);
    refreshFixturesButton->setEnabled(true);
    vp->library = vp->libraryTree;
    vp->buildHierarchy(nullptr);
}

void gui_class::releaseLibrary()
{
    buildPage(lazyPage::visualProject);
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    if (vp->libraryTree) {
        if (vp->library == vp->libraryTree)
            vp->library = nullptr;
        delete vp->libraryTree;
        vp->libraryTree = nullptr;
    }
    vp->libraryFile.clear();
    libraryFileEdit->clear();
    showStatus(libraryStatusLabel, tr("not read"), darkRed);
    oldProjectGroup->setEnabled(false);
    refreshFixturesButton->setEnabled(false);
    vp->library = vp->projectTree ? vp->projectTree->findNode(QStringLiteral("library")) : nullptr;
}

void gui_class::browseProject()
{
    fileRequest request;
    request.caption = tr("Choose a definition file for KV310 visualisation project");
    request.filter = tr("KvOrbit310+ Visual Projects (*.kvp)") + QStringLiteral(";;") + tr("All files (*)");
    request.directory = startDirectory(projectFileEdit);
    const QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    projectFileEdit->setText(fileName);
    readProject();
}

void gui_class::readProject()
{
    buildPage(lazyPage::visualProject);
    readProjectFile();
}

bool gui_class::readProjectFile()
{
    v_project* vp = theVisualProject;
    if (!vp || !vp->libraryTree)
        return false;
    const QString name = projectFileEdit->text();
    if (name.isEmpty()) {
        showMessage(QMessageBox::Warning, this, tr("Name field empty!"), tr("Choose a project file!"));
        return false;
    }
    QFile file(name);
    switch (openBoundedFile(file, fileLimit::visualProjectMB, QIODevice::ReadOnly | QIODevice::Text)) {
    case boundedOpen::opened:
        break;
    case boundedOpen::failed:
        showMessage(QMessageBox::Critical, this, tr("File error"), tr("Cannot open file \"%1\"!").arg(name));
        return false;
    case boundedOpen::tooBig:
        showFileTooBig(this, name, fileLimit::visualProjectMB);
        return false;
    }
    bool parsed = false;
    const std::unique_ptr<xml_parse_node> root = parseDocument(file, parsed);
    // Refused as a file too big before anything changes: the project in
    // use stays.
    QString limit = root->tooManyEntries() ? entriesLimit() : QString();
    if (limit.isEmpty())
        limit = v_project::exceededLimit(root->findNode(QStringLiteral("devices")),
                                         root->findNode(QStringLiteral("groups")));
    if (!limit.isEmpty()) {
        reportTooMany(name, limit, this);
        return false;
    }
    if (parsed)
        reportXmlErrors(*root, name, this);
    if (!contentsSays(*root, QStringLiteral("visualisation project"))) {
        showMessage(QMessageBox::Warning, this, tr("Invalid file!"),
                    tr("This file is not a valid project file:\n\"%1\"!").arg(name));
        QString directory = projectFileEdit->text();
        const int slash = directory.lastIndexOf(QLatin1Char('/'));
        directory = slash < 0 ? QString() : directory.left(slash);
        projectFileEdit->setText(directory);
        vp->projectFile = directory;
        showStatus(projectStatusLabel, tr("not read"), red);
        return false;
    }

    vp->projectFile = projectFileEdit->text();
    showStatus(projectStatusLabel, tr("read"), green);

    // The fixtures of the old tree go with it; they are made again from the
    // new one below.
    vp->emptyProjectTree();
    xml_node* tree = vp->projectTree;
    xml_node* library = tree->addNode(QStringLiteral("library"));

    // The parsed tree goes with this function: what the project keeps of it
    // is taken, not copied.
    if (xml_node* devices = tree->insertNode(root->takeNode(QStringLiteral("devices")))) {
        // The library's items by "nr", the first of a number winning, and
        // the numbers copied already: found in hashes, so that a project of
        // many fixtures over a large library is read in linear time.
        QHash<QString, const xml_node*> items;
        for (const xml_node& item : std::as_const(vp->libraryTree->nodes))
            if (const QString* nr = item.attrValue(QStringLiteral("nr")))
                if (!items.contains(*nr))
                    items.insert(*nr, &item);
        QSet<QString> copied;
        for (const xml_node& device : std::as_const(devices->nodes)) {
            const QString* ref = device.elementValue(QStringLiteral("library"));
            if (!ref)
                continue;
            bool ok = false;
            if (ref->toInt(&ok) <= 0 || !ok || copied.contains(*ref))
                continue;
            if (const xml_node* item = items.value(*ref)) {
                library->insertNode(*item);
                copied.insert(*ref);
            }
        }
    } else {
        tree->addNode(QStringLiteral("devices"));
    }
    fixtureCountLabel->setText(QString::number(tree->findNode(QStringLiteral("devices"))->nodes.size()));

    if (!tree->insertNode(root->takeNode(QStringLiteral("groups"))))
        tree->addNode(QStringLiteral("groups"));
    groupCountLabel->setText(QString::number(tree->findNode(QStringLiteral("groups"))->nodes.size()));

    // The fixtures and groups of what was read. The field's set-up checks
    // them and the page shows their counts; without a field the counts stay
    // those of the project read, not the reset's zeros.
    vp->readDevices();
    vp->readGroups();
    if (xml_node* field = root->findNode(QStringLiteral("field"))) {
        setProjectField(field);
    } else {
        setProjectField(nullptr);
        vp->checkFixtures();
    }
    vp->modified = false;
    return true;
}

void gui_class::showProjectField(const xml_node& field)
{
    showField(fieldOf(field, projectField()));
    if (theVisualProject) {
        theVisualProject->fieldWidth = fieldWidthSpin->value();
        theVisualProject->fieldHeight = fieldHeightSpin->value();
    }
}

void gui_class::showField(const projectFieldTexts& field)
{
    bkImageEdit->setText(field.image);
    bkFactorCombo->setCurrentIndex(qMax(0, bkFactorCombo->findData(field.dark)));
    sketchEdit->setText(field.outline);
    sketchFactorCombo->setCurrentIndex(qMax(0, sketchFactorCombo->findData(field.pale)));
    fieldWidthSpin->setValue(field.width.toInt());
    fieldHeightSpin->setValue(field.height.toInt());
}

projectFieldTexts gui_class::fieldAtBuild() const
{
    // The page's own start: no images, no factors, 1000 x 1000 mm.
    projectFieldTexts t;
    t.width = t.height = fieldSize(1000);
    const v_project* vp = theVisualProject;
    if (!vp)
        return t;
    const keptProjectField& kept = projectFieldOfLastWindow();
    if (kept.project == vp) {
        t = kept.texts;
        t.dark = offeredFactor(t.dark);
        t.pale = offeredFactor(t.pale);
        t.width = fieldSize(vp->fieldWidth);
        t.height = fieldSize(vp->fieldHeight);
        return t;
    }
    if (const xml_node* field = treeField(vp))
        return fieldOf(*field, t);
    return t;
}

void gui_class::keepProjectField()
{
    keptProjectField& kept = projectFieldOfLastWindow();
    kept.texts = projectField();
    kept.project = theVisualProject;
}

bool gui_class::takeCommandLineFiles()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return false;
    bool projectRead = false;

    // A window built after a language change finds the library already in
    // memory: it shows it as read instead of reading the files again, which
    // would throw away what was done with the project since.
    if (vp->libraryTree) {
        libraryFileEdit->setText(vp->libraryFile);
        showStatus(libraryStatusLabel, tr("read"), green);
        oldProjectGroup->setEnabled(true);
        refreshFixturesButton->setEnabled(true);
        projectFileEdit->setText(vp->projectFile);
        if (!vp->projectFile.isEmpty() && QFileInfo(vp->projectFile).isFile())
            showStatus(projectStatusLabel, tr("read"), green);
    } else {
        if (!vp->projectFile.isEmpty())
            projectFileEdit->setText(vp->projectFile);
        if (!vp->libraryFile.isEmpty()) {
            libraryFileEdit->setText(vp->libraryFile);
            readLibrary();
            if (vp->libraryTree && !vp->projectFile.isEmpty())
                projectRead = readProjectFile();
        }
    }

    // The field of the last window, or of a project read before the first
    // window (with a configuration file named on the command line), which
    // this window saves again.
    if (!projectRead) {
        showField(fieldAtBuild());
        if (projectFieldOfLastWindow().project != vp && treeField(vp)) {
            vp->fieldWidth = fieldWidthSpin->value();
            vp->fieldHeight = fieldHeightSpin->value();
        }
    }
    return projectRead;
}

void gui_class::setProjectField(xml_node* node)
{
    buildPage(lazyPage::visualProject);
    if (!node) {
        bkImageEdit->clear();
        sketchEdit->clear();
        bkFactorCombo->setCurrentIndex(0);
        sketchFactorCombo->setCurrentIndex(0);
        fieldWidthSpin->setValue(1000);
        fieldHeightSpin->setValue(1000);
        fixtureCountLabel->setText(QStringLiteral("0"));
        groupCountLabel->setText(QStringLiteral("0"));
        return;
    }
    if (node->name == QLatin1String("field")) {
        showProjectField(*node);
        if (theVisualProject)
            theVisualProject->checkFixtures();
    } else if (node->name == QLatin1String("devices")) {
        fixtureCountLabel->setText(QString::number(node->nodes.size()));
    } else if (node->name == QLatin1String("groups")) {
        groupCountLabel->setText(QString::number(node->nodes.size()));
    }
}

void gui_class::browseFile(bool sketch)
{
    QLineEdit* edit = sketch ? sketchEdit : bkImageEdit;
    fileRequest request;
    request.caption = tr("Choose a %1 image for KV310 visualisation project").arg(sketch ? tr("sketch") : tr("background"));
    request.filter = tr("Image files (*.bmp; *.jpg; *.png)") + QStringLiteral(";;") + tr("All files (*)");
    request.directory = startDirectory(edit);
    QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    // Inside the application's directory the name is kept relative to it.
    const QString home = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    if (fileName.startsWith(home))
        fileName = fileName.mid(home.size());
    edit->setText(fileName);
}

void gui_class::browseBkImage()
{
    browseFile(false);
}

void gui_class::browseSketch()
{
    browseFile(true);
}

void gui_class::clearBkImage()
{
    bkImageEdit->clear();
}

void gui_class::clearSketch()
{
    sketchEdit->clear();
}

void gui_class::vprValidated(bool valid)
{
    visualisationModeAction->setEnabled(valid);
    // A page not built yet shows it when it is.
    pages->projectValid = valid;
    if (isBuilt(lazyPage::visualProject) && visModeButton)
        showValidity(valid);
}

void gui_class::showValidity(bool valid)
{
    visModeButton->setEnabled(valid);
    if (valid)
        showStatus(projectStatusValueLabel, tr("valid"), green);
    else
        showStatus(projectStatusValueLabel, tr("invalid!"), red);
    if (theVisualProject) {
        fixtureCountLabel->setText(QString::number(theVisualProject->fixtures.size()));
        groupCountLabel->setText(QString::number(theVisualProject->groups.size()));
    }
}

namespace {

// Shows the visualisation window of the project, making one of the given
// kind when there is none.
void openGraphWindow(bool designKind, QWidget* mainWindow)
{
    v_project* vp = theVisualProject;
    auto* window = qobject_cast<kvVGraph_class*>(vp->graphWindow);
    const bool isNew = !window;
    if (isNew) {
        window = new kvVGraph_class(designKind, mainWindow);
        vp->graphWindow = window;
    }
    window->setupView();
    if (isNew) {
        window->showMaximized();
    } else {
        window->setZoom(window->zoom);
        window->show();
        window->relayoutFixtures();
    }
}

}  // namespace

void gui_class::startPrjMode(bool)
{
    buildPage(lazyPage::visualProject);
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    if (!vp->library) {
        showMessage(QMessageBox::Warning, this, tr("Warning!"), tr("No active library information!"));
        return;
    }
    openGraphWindow(true, this);
    projectDetailsGroup->setEnabled(false);
}

void gui_class::startPrjMode()
{
    startPrjMode(false);
}

void gui_class::startVisMode(bool)
{
    buildPage(lazyPage::visualProject);
    v_project* vp = theVisualProject;
    if (!vp || !vp->checkFixtures())
        return;
    openGraphWindow(false, this);
    projectDetailsGroup->setEnabled(false);
}

void gui_class::startVisMode()
{
    startVisMode(false);
}

// ---- Services of the visualisation window ----------------------------------------------

ctrl_monitor* gui_class::monitorPanel() const
{
    const_cast<gui_class*>(this)->buildPage(lazyPage::otherSettings);
    return monitor;
}

void gui_class::clickLiveButton()
{
    rightPanel->liveButton->click();
}

void gui_class::enterLiveEditing()
{
    rightPanel->liveModeChecked(true);
}

void gui_class::saveConfigurationToFile()
{
    rightPanel->saveConfToFileClick();
}

bool gui_class::visualMonitorHidden() const
{
    // The box starts unticked on a page built later.
    return hideMonitorCheck && hideMonitorCheck->isChecked();
}

void gui_class::showFixtureCount(int count)
{
    buildPage(lazyPage::visualProject);
    fixtureCountLabel->setText(QString::number(count));
}

QMetaObject::Connection gui_class::followFaderBank(faderBankKind kind, QObject* context,
                                                   std::function<void(int sc, int ch)> onChange)
{
    if (kind == COMPOUND_FADERS)
        buildPage(lazyPage::compoundScenes);
    admx512_sliders_widget* bank = nullptr;
    if (kind == SCENE_FADERS && sceneEditor)
        bank = sceneEditor->sliderBank.get();
    else if (kind == COMPOUND_FADERS && activeSceneEditor)
        bank = activeSceneEditor->sliders.get();
    if (!bank)
        return {};
    return connect(bank, &admx512_sliders_widget::liveNewValue, context, std::move(onChange));
}

void gui_class::showCompoundPicture(int range, int motion)
{
    buildPage(lazyPage::compoundScenes);
    if (activeSceneEditor)
        activeSceneEditor->rangeChanged(range, motion);
}

int gui_class::shownFaderChannel(faderBankKind kind, int record) const
{
    const admx512_sliders_widget* bank = nullptr;
    if (kind == SCENE_FADERS && sceneEditor && sceneEditor->toolTabs->currentIndex() == 0)
        bank = sceneEditor->sliderBank.get();
    else if (kind == COMPOUND_FADERS && activeSceneEditor && tabWidget_actives->currentIndex() == 1)
        bank = activeSceneEditor->sliders.get();
    if (!bank || bank->recordNumber != record)
        return -1;
    return bank->firstChannel;
}

void gui_class::refreshSceneEditor()
{
    if (sceneEditor)
        sceneEditor->refresh();
}

void gui_class::showCompoundScene()
{
    if (auto* window = theVisualProject ? qobject_cast<kvVGraph_class*>(theVisualProject->graphWindow) : nullptr)
        window->changeToCompoundAS();
}

void gui_class::releaseFixtureIcons()
{
    // The visualisation window hands the fixture icons to this window when
    // it closes; the visual project still lists them, so they must not go
    // with this window.
    if (!theVisualProject)
        return;
    for (lightEffect* f : std::as_const(theVisualProject->fixtures))
        if (f->parentWidget() == this)
            f->setParent(nullptr);
}
