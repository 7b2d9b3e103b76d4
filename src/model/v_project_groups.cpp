#include "model/v_project.h"

#include "fixtures/light_effect.h"
#include "xml/xml_node.h"
#include "xml/xml_writer.h"

#include <QHash>
#include <QSet>
#include <memory>

namespace {

const QString defaultName = QStringLiteral("default");

void appendMember(QString& out, const lightEffect* f)
{
    out += QLatin1String("   <dev nr=\"") + QString::number(f->number) + QLatin1String("\"></dev>\n");
}

} // namespace

QString v_project::writeGroups() const
{
    QString out = QStringLiteral(" <groups>\n  <group name=\"default\">\n");
    for (const lightEffect* f : fixtures)
        if (f->selected)
            appendMember(out, f);
    out += QLatin1String("  </group>\n");
    for (const efGroup* g : groups) {
        out += QLatin1String("  <group name=\"") + escapeAttribute(g->name) + QLatin1String("\">\n");
        for (const lightEffect* f : g->members)
            appendMember(out, f);
        out += QLatin1String("  </group>\n");
    }
    out += QLatin1String(" </groups>\n");
    return out;
}

void v_project::readGroups()
{
    if (!projectTree)
        return;
    qDeleteAll(groups);
    groups.clear();
    defaultGroup.members.clear();

    // Fixtures by number, the first of a number winning.
    QHash<int, lightEffect*> byNumber;
    byNumber.reserve(fixtures.size());
    for (lightEffect* f : std::as_const(fixtures))
        if (!byNumber.contains(f->number))
            byNumber.insert(f->number, f);

    const QString nrName = QStringLiteral("nr");
    for (const xml_node& node : std::as_const(projectTree->nodes)) {
        if (node.name != QLatin1String("groups"))
            continue;
        for (const xml_node& entry : node.nodes) {
            if (entry.name != QLatin1String("group"))
                continue;
            const QString* name = entry.attrValue(QStringLiteral("name"));
            auto group = std::make_unique<efGroup>(name ? unescapeAttribute(*name) : QStringLiteral("no_name_%1").arg(1));
            const bool isDefault = group->name == defaultName;
            QSet<const lightEffect*> members;
            for (const xml_element& e : entry.elements) {
                const QString* nr = e.attrValue(nrName);
                bool ok = false;
                const int number = nr ? nr->toInt(&ok) : 0;
                lightEffect* f = ok ? byNumber.value(number) : nullptr;
                if (!f || members.contains(f))
                    continue;
                members.insert(f);
                group->members.append(f);
                if (isDefault)
                    f->selected = true;
            }
            if (isDefault) {
                defaultGroup.name = group->name;
                defaultGroup.members = group->members;
            } else {
                groups.append(group.release());
            }
        }
        break;
    }

    const QSet<const lightEffect*> selected(defaultGroup.members.cbegin(), defaultGroup.members.cend());
    for (lightEffect* f : std::as_const(fixtures)) {
        f->selected = selected.contains(f);
        f->updateIcon();
    }
}

QString v_project::exceededLimit(const xml_node* devices, const xml_node* groups)
{
    if (devices && devices->nodes.size() > maxFixtures)
        return tr("%1 fixtures").arg(maxFixtures);
    if (groups && groups->nodes.size() > maxGroups)
        return tr("%1 groups").arg(maxGroups);
    return QString();
}

void v_project::emptyProjectTree()
{
    deleteFixtures();
    // An active library inside the old tree gives way to the external one
    // (or none) until the new tree brings its own.
    if (library && library != libraryTree) {
        library = libraryTree;
        buildHierarchy();
    }
    delete projectTree;
    projectTree = new xml_node(0);
}
