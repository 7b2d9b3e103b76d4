#include "kv310_controller.h"

#include "project_text.h"

#include "seams/gui_base.h"
#include "v_project.h"
#include "xml/xml_node.h"
#include "xml/xml_report.h"
#include "xml/xml_writer.h"

#include <QIODevice>
#include <QTextStream>
#include <tuple>

using projectParts::childNode;
using projectParts::fieldTexts;

namespace {

// One section of descriptions. Sections with variants (on and off, pressed,
// repeated and released) hold `variants` texts per numbered object.
struct descriptionSection {
    QLatin1String node;
    QLatin1String element;
    int objects;
    int variants;
};

const QLatin1String onOffWords[] = {QLatin1String("on"), QLatin1String("off")};
const QLatin1String keyWords[] = {QLatin1String("prsd"), QLatin1String("rptd"), QLatin1String("rlsd")};

QLatin1String modeWord(int variants, int variant)
{
    return variants == 3 ? keyWords[variant] : onOffWords[variant];
}

// The variant a "mode" attribute names, in any section; -1 for another word.
int variantOf(QStringView mode)
{
    if (mode == QLatin1String("on") || mode == QLatin1String("prsd"))
        return 0;
    if (mode == QLatin1String("off") || mode == QLatin1String("rptd"))
        return 1;
    if (mode == QLatin1String("rlsd"))
        return 2;
    return -1;
}

// The event sections inside "events", in the order they are written, with
// their first event id.
struct eventSection {
    descriptionSection section;
    int base;
};

const eventSection eventSections[] = {
    {{QLatin1String("dmxin"), QLatin1String("chnl"), 512, 2}, EVENT_DMX_IN},
    {{QLatin1String("virtual"), QLatin1String("event"), 1024, 1}, EVENT_INTERNAL},
    {{QLatin1String("timers"), QLatin1String("timer"), 1024, 1}, EVENT_TIMER},
    {{QLatin1String("dmxout"), QLatin1String("chnl"), 512, 2}, EVENT_DMX_OUT},
    {{QLatin1String("delays"), QLatin1String("delay"), 512, 1}, EVENT_DELAY_END},
    {{QLatin1String("sequences"), QLatin1String("sequence"), 128, 1}, EVENT_SEQUENCE_START},
    {{QLatin1String("RCU"), QLatin1String("key"), 64, 3}, EVENT_RC_BUTTON},
    {{QLatin1String("inputs"), QLatin1String("input"), 24, 2}, EVENT_INPUT},
};

void appendElementLine(QString& out, QLatin1String name, const QString& value)
{
    out += QLatin1Char('<') + name + QLatin1Char('>') + value + QLatin1String("</") + name + QLatin1String(">\n");
}

// texts holds objects × variants entries, variant fastest.
void appendSection(QString& out, const descriptionSection& s, const QString* texts)
{
    out += QLatin1Char('<') + s.node + QLatin1String(">\n");
    const int count = s.objects * s.variants;
    for (int i = 0; i < count; ++i) {
        if (texts[i].isEmpty())
            continue;
        out += QLatin1Char('<') + s.element + QLatin1String(" nr=\"") + QString::number(i / s.variants + 1)
               + QLatin1Char('"');
        if (s.variants > 1)
            out += QLatin1String(" mode=\"") + modeWord(s.variants, i % s.variants) + QLatin1Char('"');
        out += QLatin1Char('>') + escapeText(texts[i]) + QLatin1String("</") + s.element + QLatin1String(">\n");
    }
    out += QLatin1String("</") + s.node + QLatin1String(">\n");
}

// Takes one description of a section when its number lies in range, it
// names a variant the section has and its text is not empty. `base` is the
// index of the section's first entry in its array.
void takeEntry(const QString* nr, const QString* mode, const QString& value, const descriptionSection& s,
               parsedProject::target array, int base, std::vector<parsedProject::description>& out)
{
    if (!nr || value.isEmpty())
        return;
    bool ok = false;
    const int n = nr->toInt(&ok, 10);
    if (!ok || n < 1 || n > s.objects)
        return;
    int variant = 0;
    if (s.variants > 1) {
        variant = mode ? variantOf(*mode) : -1;
        // A variant the section does not have names nothing of it: it
        // must not land on the next object's entry.
        if (variant < 0 || variant >= s.variants)
            return;
    }
    out.push_back({array, base + (n - 1) * s.variants + variant, unescapeText(value)});
}

// Takes the descriptions of one section, every element of it in turn.
void readSection(const xml_node& node, const descriptionSection& s, parsedProject::target array, int base,
                 std::vector<parsedProject::description>& out)
{
    const QString nrName = QStringLiteral("nr");
    const QString modeName = QStringLiteral("mode");
    for (const xml_element& e : node.elements)
        takeEntry(e.attrValue(nrName), e.attrValue(modeName), e.value, s, array, base, out);
}

template <typename Array>
constexpr int entriesOf()
{
    return int(std::tuple_size<Array>::value);
}

// The sections directly inside "descriptions" with the arrays they fill.
struct plainSection {
    descriptionSection section;
    parsedProject::target array;
};

const plainSection* plainSections()
{
    using K = kv310_controller_class;
    static const plainSection sections[] = {
        {{QLatin1String("scenes"), {}, img::SCENES, 1}, parsedProject::scenes},
        {{QLatin1String("masks"), {}, img::MASKS, 1}, parsedProject::masks},
        {{QLatin1String("programs"), {}, img::PROGRAM_SLOTS, 1}, parsedProject::programs},
        {{QLatin1String("states"), {}, entriesOf<decltype(K::stateDescriptions)>(), 1}, parsedProject::states},
        {{QLatin1String("inputs"), {}, img::INPUTS, 1}, parsedProject::inputs},
        {{QLatin1String("RCU"), {}, entriesOf<decltype(K::rcuKeyDescriptions)>(), 1}, parsedProject::rcuKeys},
        {{QLatin1String("panels"), {}, entriesOf<decltype(K::panelDescriptions)>(), 1}, parsedProject::panels},
        {{QLatin1String(), {}, 0, 0}, parsedProject::scenes},
    };
    return sections;
}

// The descriptions of a "descriptions" node, in the order they stand.
void readDescriptions(const xml_node& descriptions, std::vector<parsedProject::description>& out)
{
    for (const xml_node& node : descriptions.nodes) {
        if (node.name == QLatin1String("events")) {
            for (const xml_node& sub : node.nodes)
                for (const eventSection& e : eventSections)
                    if (sub.name == e.section.node)
                        readSection(sub, e.section, parsedProject::events, e.base, out);
            continue;
        }
        for (const plainSection* p = plainSections(); p->section.objects; ++p)
            if (node.name == p->section.node)
                readSection(node, p->section, p->array, 0, out);
    }
}

// ---- The descriptions as the writer writes them -------------------------------
//
// Nearly the whole text of a project is its descriptions, one element per
// line in the form appendSection writes. Such lines are taken here one by
// one, with the same result the reader and readDescriptions give, and
// without a tree; a section in any other form is left to the reader.

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_'
           || u == u'-';
}

// One element line `<name a="v" ...>value</name>`: name and attribute names
// of name characters, attributes each after one blank, their values without
// quotes and angle brackets, the value without '<'. Any other line, and a
// line naming an attribute twice, is not taken.
struct writtenElement {
    QStringView name;
    QStringView nr;
    QStringView mode;
    bool hasNr = false;
    bool hasMode = false;
    QStringView value;
};

bool readWrittenElement(QStringView line, writtenElement& e)
{
    qsizetype i = 1;
    const qsizetype n = line.size();
    if (n < 2 || line[0] != u'<')
        return false;
    while (i < n && isNameChar(line[i]))
        ++i;
    if (i == 1)
        return false;
    e = writtenElement{};
    e.name = line.mid(1, i - 1);
    QStringView seen[8];
    int attributes = 0;
    while (i < n && line[i] == u' ') {
        const qsizetype start = ++i;
        while (i < n && isNameChar(line[i]))
            ++i;
        const QStringView name = line.mid(start, i - start);
        if (name.isEmpty() || i + 1 >= n || line[i] != u'=' || line[i + 1] != u'"' || attributes == 8)
            return false;
        const qsizetype valueStart = i + 2;
        i = valueStart;
        while (i < n && line[i] != u'"' && line[i] != u'<' && line[i] != u'>')
            ++i;
        if (i == n || line[i] != u'"')
            return false;
        for (int k = 0; k < attributes; ++k)
            if (seen[k] == name)
                return false;
        seen[attributes++] = name;
        const QStringView value = line.mid(valueStart, i - valueStart);
        if (name == u"nr") {
            e.nr = value;
            e.hasNr = true;
        } else if (name == u"mode") {
            e.mode = value;
            e.hasMode = true;
        }
        ++i;
    }
    if (i == n || line[i] != u'>')
        return false;
    const qsizetype valueStart = ++i;
    const qsizetype lt = line.indexOf(u'<', valueStart);
    if (lt < 0)
        return false;
    e.value = line.mid(valueStart, lt - valueStart);
    const QStringView closing = line.mid(lt);
    return closing.size() == e.name.size() + 3 && closing.startsWith(u"</") && closing.endsWith(u'>')
           && closing.mid(2, e.name.size()) == e.name;
}

// The lines between "<descriptions>" and "</descriptions>"; false, with
// `out` left as it was, when one of them has another form.
bool readWrittenDescriptions(QStringView lines, std::vector<parsedProject::description>& out)
{
    const size_t before = out.size();
    const descriptionSection* section = nullptr;
    parsedProject::target array = parsedProject::scenes;
    int base = 0;
    bool inEvents = false;
    QStringView sectionName;
    QString nr;
    QString mode;
    QString value;
    const auto fail = [&] {
        out.resize(before);
        return false;
    };
    for (const QStringView line : lines.tokenize(u'\n')) {
        if (section) {
            if (line.size() == sectionName.size() + 3 && line.startsWith(u"</") && line.endsWith(u'>')
                && line.mid(2, sectionName.size()) == sectionName) {
                section = nullptr;
                continue;
            }
            writtenElement e;
            if (!readWrittenElement(line, e))
                return fail();
            nr = e.nr.toString();
            mode = e.mode.toString();
            value = e.value.toString();
            takeEntry(e.hasNr ? &nr : nullptr, e.hasMode ? &mode : nullptr, value, *section, array, base, out);
            continue;
        }
        if (line.size() < 3 || line[0] != u'<' || !line.endsWith(u'>'))
            return fail();
        const bool closing = line[1] == u'/';
        const QStringView name = line.mid(closing ? 2 : 1, line.size() - (closing ? 3 : 2));
        if (closing) {
            if (!inEvents || name != u"events")
                return fail();
            inEvents = false;
            continue;
        }
        if (!inEvents && name == u"events") {
            inEvents = true;
            continue;
        }
        section = nullptr;
        if (inEvents) {
            for (const eventSection& s : eventSections)
                if (name == s.section.node) {
                    section = &s.section;
                    array = parsedProject::events;
                    base = s.base;
                }
        } else {
            for (const plainSection* p = plainSections(); p->section.objects; ++p)
                if (name == p->section.node) {
                    section = &p->section;
                    array = p->array;
                    base = 0;
                }
        }
        if (!section)
            return fail();
        sectionName = name;
    }
    return (!section && !inEvents) || fail();
}

} // namespace

xml_node* projectParts::childNode(xml_node* node, QLatin1String name)
{
    if (!node)
        return nullptr;
    for (xml_node& child : node->nodes)
        if (child.name == name)
            return &child;
    return nullptr;
}

projectFieldTexts projectParts::fieldTexts()
{
    if (theMainWindow)
        return theMainWindow->projectField();
    projectFieldTexts t;
    t.width = QStringLiteral("1000");
    t.height = QStringLiteral("1000");
    if (!theVisualProject)
        return t;
    t.width = QString::number(theVisualProject->fieldWidth);
    t.height = QString::number(theVisualProject->fieldHeight);
    if (const xml_node* field = childNode(theVisualProject->projectTree, QLatin1String("field"))) {
        const auto take = [field](const char* element, const char* attribute, QString& text, int& factor) {
            const xml_element* e = field->findElement(QLatin1String(element));
            if (!e)
                return;
            text = e->value;
            if (const QString* v = e->attrValue(QLatin1String(attribute)))
                factor = v->toInt();
        };
        take("image", "dark", t.image, t.dark);
        take("outline", "pale", t.outline, t.pale);
    }
    return t;
}

namespace {

void appendFieldLine(QString& out, QLatin1String name, QLatin1String attribute, int factor, const QString& value)
{
    out += QLatin1Char('<') + name;
    if (factor > 0)
        out += QLatin1Char(' ') + attribute + QLatin1String("=\"") + QString::number(factor) + QLatin1Char('"');
    out += QLatin1Char('>') + value + QLatin1String("</") + name + QLatin1String(">\n");
}

// A node of the visual project's tree as the node writer writes it, with a
// line end after it; the empty pair of tags, without one, when it is missing.
void appendTreeNode(QString& out, QLatin1String name)
{
    const xml_node* node = theVisualProject ? childNode(theVisualProject->projectTree, name) : nullptr;
    if (!node) {
        out += QLatin1Char('<') + name + QLatin1String("></") + name + QLatin1Char('>');
        return;
    }
    QTextStream stream(&out, QIODevice::WriteOnly | QIODevice::Append);
    stream << *node;
    stream.flush();
    out += QLatin1Char('\n');
}

} // namespace

void kv310_controller_class::writeProjectXml(QString& out) const
{
    out.reserve(out.size() + 0x10000);
    out += QLatin1String("\n<project>\n<contents>Light visualisation project description</contents>\n");
    appendElementLine(out, QLatin1String("date"), escapeText(projectFileDate));
    appendElementLine(out, QLatin1String("file"), escapeText(projectFileName));
    out += QLatin1String("<release>0.0.0.1</release>\n<target>Kv310+</target>\n<descriptions>\n");

    appendSection(out, {QLatin1String("scenes"), QLatin1String("scene"), img::SCENES, 1}, sceneDescriptions.data());
    appendSection(out, {QLatin1String("masks"), QLatin1String("mask"), img::MASKS, 1}, maskDescriptions.data());
    appendSection(out, {QLatin1String("programs"), QLatin1String("program"), img::PROGRAM_SLOTS, 1},
                  programDescriptions.data());
    appendSection(out, {QLatin1String("states"), QLatin1String("state"), int(stateDescriptions.size()), 1},
                  stateDescriptions.data());
    appendSection(out, {QLatin1String("inputs"), QLatin1String("input"), img::INPUTS, 1}, inputDescriptions.data());
    appendSection(out, {QLatin1String("RCU"), QLatin1String("key"), int(rcuKeyDescriptions.size()), 1},
                  rcuKeyDescriptions.data());
    appendSection(out, {QLatin1String("panels"), QLatin1String("state"), int(panelDescriptions.size()), 1},
                  panelDescriptions.data());
    out += QLatin1String("<events>\n");
    for (const eventSection& e : eventSections)
        appendSection(out, e.section, eventDescriptions.data() + e.base);
    out += QLatin1String("</events>\n</descriptions>\n<settings>\n</settings>\n<field>\n");

    const projectFieldTexts field = fieldTexts();
    // A path may hold any character a file name may: '<' would end the
    // value and a "</" would end the project.
    appendFieldLine(out, QLatin1String("image"), QLatin1String("dark"), field.dark, escapeText(field.image));
    appendFieldLine(out, QLatin1String("outline"), QLatin1String("pale"), field.pale, escapeText(field.outline));
    appendElementLine(out, QLatin1String("width"), escapeText(field.width));
    appendElementLine(out, QLatin1String("height"), escapeText(field.height));
    out += QLatin1String("</field>\n");

    appendTreeNode(out, QLatin1String("library"));
    appendTreeNode(out, QLatin1String("devices"));
    if (theVisualProject)
        out += theVisualProject->writeGroups();
    else
        out += QLatin1String(" <groups>\n  <group name=\"default\">\n  </group>\n </groups>\n");
    out += QLatin1String("</project>\n");
}

namespace {

parsedProject parseWithReader(const QString& text)
{
    parsedProject result;
    QTextStream in(const_cast<QString*>(&text), QIODevice::ReadOnly);
    QString line;
    do {
        line = in.readLine();
    } while (line.trimmed().isEmpty() && !in.atEnd());
    // A text of one line is read as well.
    if (!line.trimmed().startsWith(QLatin1Char('<')))
        return result;

    auto root = std::make_unique<xml_parse_node>(-1);
    root->name = QStringLiteral("@root");
    // The project ends the text. Whatever the area or the file holds after
    // it (the tail of a longer description stored before) is not read.
    while (root->read(in, line)) {
        if (!root->nodes.isEmpty() && root->nodes.last().name == QLatin1String("project")) {
            result.hasProject = true;
            // The reader stops right after the closing tag, keeping the rest
            // of its line, or at the end of the text: there, the text must
            // end with the tag and that rest.
            const QString end = QLatin1String("</project>") + line.trimmed();
            result.closed = !in.atEnd() || QStringView(text).trimmed().endsWith(end);
            break;
        }
    }
    if (root->tooManyEntries()) {
        result.valid = false;
        result.tooManyEntries = true;
        return result;
    }
    result.valid = root->isValid();
    root->relevel();
    if (xml_node* project = childNode(root.get(), QLatin1String("project"))) {
        // Written escaped, as every free text of the description; a text
        // written unescaped by an earlier release reads the same unless it
        // held "&&".
        if (const QString* file = project->elementValue(QStringLiteral("file")))
            result.fileName = unescapeText(*file);
        if (const QString* date = project->elementValue(QStringLiteral("date")))
            result.fileDate = unescapeText(*date);
        if (xml_node* descriptions = childNode(project, QLatin1String("descriptions"))) {
            readDescriptions(*descriptions, result.descriptions);
            // Dropped while a file's image is still being inflated rather
            // than after; a tree with errors stays whole for the report.
            if (result.valid)
                project->removeNode(descriptions);
        }
    }
    result.root = std::move(root);
    return result;
}

// Stands in the text for the descriptions taken without the reader; a text
// holding it is read by the reader alone.
const QString descriptionsMark = QStringLiteral("\x01" "descriptions taken\x02");

} // namespace

parsedProject parseProjectText(QString text, bool quick)
{
    const QLatin1String open("\n<descriptions>\n");
    const QLatin1String close("\n</descriptions>\n");
    const qsizetype from = quick ? text.indexOf(open) : -1;
    const qsizetype to = from < 0 ? -1 : text.indexOf(close, from + open.size() - 1);
    const qsizetype linesFrom = from + open.size();
    std::vector<parsedProject::description> descriptions;
    if (to < linesFrom || text.contains(descriptionsMark)
        || !readWrittenDescriptions(QStringView(text).mid(linesFrom, to - linesFrom), descriptions))
        return parseWithReader(text);

    // The rest of the text is read by the reader, with an element in the
    // descriptions' place. Only when that element ends up right inside the
    // project, with no other descriptions there, were the lines taken the
    // project's descriptions; otherwise the reader reads the whole text.
    // The lines are cut out of the text in its own buffer, and put back
    // before the text is read again, so that a long text is held once.
    const qsizetype cutLength = to + close.size() - 1 - from;
    const QString stand = QLatin1String("\n<descriptions>") + descriptionsMark + QLatin1String("</descriptions>");
    QString lines = text.mid(from, cutLength);
    text.replace(from, cutLength, stand);
    parsedProject result = parseWithReader(text);
    // With the descriptions the text holds yet more entries.
    if (result.tooManyEntries)
        return result;
    // The reader reads the whole text again only after the first tree is gone.
    const auto readAgain = [&] {
        result = parsedProject();
        descriptions = {};
        text.replace(from, stand.size(), lines);
        lines = QString();
        return parseWithReader(text);
    };
    xml_node* project = result.valid ? childNode(result.root.get(), QLatin1String("project")) : nullptr;
    if (!project || !result.descriptions.empty() || childNode(project, QLatin1String("descriptions")))
        return readAgain();
    const xml_element* mark = nullptr;
    for (const xml_element& e : project->elements) {
        if (e.value != descriptionsMark)
            continue;
        if (mark || e.name != QLatin1String("descriptions") || !e.attrs.isEmpty())
            return readAgain();
        mark = &e;
    }
    if (!mark)
        return readAgain();
    project->elements.remove(mark);
    result.descriptions = std::move(descriptions);
    return result;
}

void kv310_controller_class::readProjectXml(QTextStream& in, qint64 offset)
{
    if (!in.seek(offset))
        return;
    parsedProject text = parseProjectText(in.readAll());
    takeProjectText(text, false);
}

void kv310_controller_class::takeProjectText(parsedProject& text, bool cutShort)
{
    if (text.tooManyEntries) {
        reportTooMany(lastPath, entriesLimit(), theMainWindow);
        return;
    }
    if (!text.root)
        return;
    // A text cut short ends in a broken entry; everything before it is whole.
    if (!cutShort && !text.valid) {
        reportXmlErrors(*text.root, lastPath, theMainWindow);
        return;
    }
    xml_node* project = childNode(text.root.get(), QLatin1String("project"));
    if (!project)
        return;
    // A visual project of more fixtures or groups than a show can use is
    // refused whole, descriptions included, before anything is taken.
    if (this == theController && theVisualProject) {
        const QString limit = v_project::exceededLimit(childNode(project, QLatin1String("devices")),
                                                       childNode(project, QLatin1String("groups")));
        if (!limit.isEmpty()) {
            reportTooMany(lastPath, limit, theMainWindow);
            return;
        }
    }

    projectFileName = text.fileName;
    projectFileDate = text.fileDate;
    QString* const arrays[] = {sceneDescriptions.data(), maskDescriptions.data(), programDescriptions.data(),
                               stateDescriptions.data(), inputDescriptions.data(), rcuKeyDescriptions.data(),
                               panelDescriptions.data(),  eventDescriptions.data()};
    for (parsedProject::description& d : text.descriptions)
        arrays[d.array][d.index] = std::move(d.text);
    text.descriptions.clear();

    // The visual project and the main window belong to the run: a scratch
    // copy (another configuration opened to copy from) leaves them alone.
    if (this != theController)
        return;
    gui_base_class* window = theMainWindow;
    if (window)
        if (xml_node* settings = childNode(project, QLatin1String("settings")))
            window->readSettings(settings);

    v_project* vp = theVisualProject;
    if (!vp)
        return;
    vp->emptyProjectTree();
    xml_node* tree = vp->projectTree;

    // The parsed text is thrown away after: the visual project takes its
    // nodes rather than copies of them, so a big project is never held twice.
    xml_node* libraryCopy = tree->insertNode(project->takeNode(QStringLiteral("library")));
    if (!vp->libraryTree) {
        vp->library = libraryCopy;
        vp->buildHierarchy();
    }

    xml_node* devicesCopy = tree->insertNode(project->takeNode(QStringLiteral("devices")));
    vp->readDevices();
    if (window)
        window->setProjectField(devicesCopy);

    xml_node* groupsCopy = tree->insertNode(project->takeNode(QStringLiteral("groups")));
    vp->readGroups();
    if (window)
        window->setProjectField(groupsCopy);

    // The tree keeps the field too, so that a project read before the first
    // main window exists keeps it until one shows it.
    if (xml_node* fieldCopy = tree->insertNode(project->takeNode(QStringLiteral("field")))) {
        // The tree and the page hold the texts themselves, as the user gave them.
        for (xml_element& e : fieldCopy->elements)
            e.value = unescapeText(e.value);
        const auto take = [fieldCopy](const char* element, int& size) {
            bool ok = false;
            const QString* v = fieldCopy->elementValue(QLatin1String(element));
            const int n = v ? v->toInt(&ok) : 0;
            if (ok)
                size = n;
        };
        take("width", vp->fieldWidth);
        take("height", vp->fieldHeight);
        if (window)
            window->setProjectField(fieldCopy);
    }
}
