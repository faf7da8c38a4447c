#include "core/TableCatalogue.h"

#include <QStringList>

#include <algorithm>
#include <iterator>

namespace catalogue {

// Catalogue index order; it is also the order of the print choices and of the material's per-table
// slots.
constexpr TableInfo Tables[TableCount] = {
    {.key = HeaderKey,
     .title = "References",
     .printCaption = "References",
     .menu = Menu::View,
     .menuItem = 0,
     .menuCaption = "&References",
     .buttonCaption = "References",
     .buttonPicture = "table-references"},
    {.key = key::ChemComp.data(),
     .title = "Chemical composition",
     .printCaption = "Chemical Composition",
     .binding = Binding::Unbound,
     .menu = Menu::View,
     .menuItem = 1,
     .menuCaption = "&Chemical Composition",
     .buttonCaption = "Chemical Composition",
     .buttonPicture = "table-chemical",
     .iconButton = key::ChemComp.data(),
     .reportSection = ReportSection::Heading,
     .reportOrder = 0},
    {.key = key::MechProp.data(),
     .title = "Mechanical properties at room temperature",
     .printCaption = "Mechanical Properties At Room Temperature",
     .binding = Binding::Unbound,
     .group = Group::Mechanical,
     .menu = Menu::Mechanical,
     .menuItem = 0,
     .menuCaption = "At &Room Temperature",
     .buttonCaption = "Mechanical Properties At &Room Temperature",
     .iconButton = MechanicalButton,
     .reportSection = ReportSection::Group,
     .reportOrder = 1},
    {.key = key::ImpEnergy.data(),
     .title = "Impact energy",
     .printCaption = "Impact Energy",
     .binding = Binding::Bound,
     .menu = Menu::View,
     .menuItem = 3,
     .menuCaption = "&Impact Energy",
     .buttonCaption = "Impact Energy",
     .buttonPicture = "table-impact",
     .iconButton = key::ImpEnergy.data(),
     .reportSection = ReportSection::Heading,
     .reportOrder = 6},
    {.key = key::Rp02.data(),
     .title = "Minimum values for Rp0,2 [MPa] at elevated temperature",
     .printCaption = "Min Values For Rp0,2 At Elevated Temperature",
     .captionText = "Rp0,2 ",
     .captionUnit = "[MPa]",
     .binding = Binding::Bound,
     .group = Group::Mechanical,
     .iconButton = MechanicalButton,
     .designOrder = 0,
     .valueUnit = u"[MPa]",
     .chartSymbol = "Rp 0,2",
     .optionCaption = "Rp0,2",
     .reportSection = ReportSection::Elevated,
     .reportOrder = 3},
    {.key = key::Rp10.data(),
     .title = "Minimum values for Rp1,0 [MPa] at elevated temperature",
     .printCaption = "Min. Values For Rp1,0 At Elevated Temperature",
     .captionText = "Rp1,0 ",
     .captionUnit = "[MPa]",
     .binding = Binding::Bound,
     .group = Group::Mechanical,
     .iconButton = MechanicalButton,
     .designOrder = 1,
     .valueUnit = u"[MPa]",
     .chartSymbol = "Rp 1,0",
     .optionCaption = "Rp1,0",
     .reportSection = ReportSection::Elevated,
     .reportOrder = 4},
    {.key = key::Rm.data(),
     .title = "Minimum values for Rm [MPa] at elevated temperature",
     .printCaption = "Min. Values For Rm At Elevated Temperature",
     .captionText = "Rm ",
     .captionUnit = "[MPa]",
     .binding = Binding::Bound,
     .group = Group::Mechanical,
     .iconButton = MechanicalButton,
     .designOrder = 2,
     .valueUnit = u"[MPa]",
     .chartSymbol = "Rm",
     .optionCaption = "Rm",
     .reportSection = ReportSection::Elevated,
     .reportOrder = 5},
    {.key = key::ModElast.data(),
     .title = "Modulus of elasticity",
     .printCaption = "Modulus Of Elasticity",
     .captionText = "KN ",
     .captionUnit = "/ mm\xB2",
     .binding = Binding::Bound,
     .group = Group::Physical,
     .menu = Menu::Physical,
     .menuItem = 0,
     .menuCaption = "&Modulus Of Elasticity",
     .buttonCaption = "&Modulus Of Elasticity",
     .headings = {Heading::ModulusUnit},
     .designOrder = 4,
     .designTitledByKey = true,
     .valueUnit = u"[kN/mm\u00B2]",
     .reportSection = ReportSection::Physical,
     .reportOrder = 7},
    {.key = key::ThermExp.data(),
     .title = "Thermal expansion",
     .printCaption = "Thermal Expansion",
     .binding = Binding::Bound,
     .group = Group::Physical,
     .menu = Menu::Physical,
     .menuItem = 1,
     .menuCaption = "Thermal &Expansion",
     .buttonCaption = "Thermal &Expansion",
     .headings = {Heading::ExpansionAt20, Heading::ExpansionDiff},
     .designOrder = 5,
     .designTitledByKey = true,
     .valueUnit = u"[E-6/K]",
     .secondField = "ThermExpDiff",
     .valueSymbols = {u"\u03B220, t", u"\u03B2diff, t"},
     .reportSection = ReportSection::Physical,
     .reportOrder = 8},
    {.key = key::ThermCond.data(),
     .title = "Thermal conductivity",
     .printCaption = "Thermal Conductivity",
     .captionText = "W ",
     .captionUnit = "/ (m x K)",
     .binding = Binding::Bound,
     .group = Group::Physical,
     .menu = Menu::Physical,
     .menuItem = 2,
     .menuCaption = "Thermal &Conductivity",
     .buttonCaption = "Thermal &Conductiviy",
     .headings = {Heading::ConductivityUnit},
     .designOrder = 6,
     .designTitledByKey = true,
     .valueUnit = u"[W/m*K]",
     .reportSection = ReportSection::Physical,
     .reportOrder = 9},
    {.key = key::SpecThermCap.data(),
     .title = "Specific thermal capacity",
     .printCaption = "Specific Thermal Capacity",
     .binding = Binding::Bound,
     .group = Group::Physical,
     .menu = Menu::Physical,
     .menuItem = 3,
     .menuCaption = "Specific &Thermal Capacity",
     .buttonCaption = "Specific &Thermal Capacity",
     .headings = {Heading::CapacityAt20, Heading::CapacityDiff},
     .designOrder = 7,
     .designTitledByKey = true,
     .valueUnit = u"[J/kgK]",
     .secondField = "SpecThermCapDiff",
     .valueSymbols = {u"Cp20, t", u"Cp diff, t"},
     .reportSection = ReportSection::Physical,
     .reportOrder = 10},
    {.key = key::SpecElecRes.data(),
     .title = "Specific electrical resistance",
     .printCaption = "Specific Electrical Resistivity",
     .captionText = "Ohm x mm\xB2 ",
     .captionUnit = "/ m",
     .binding = Binding::Bound,
     .group = Group::Physical,
     .menu = Menu::Physical,
     .menuItem = 4,
     .menuCaption = "Specific Electrical &Resistivity",
     .buttonCaption = "Specific Electrical &Resistivity",
     .headings = {Heading::ResistivityUnit},
     .designOrder = 8,
     .valueUnit = u"[\u03A9 \u00D7 mm\u00B2/m]",
     .reportSection = ReportSection::Physical,
     .reportOrder = 11},
    {.key = key::CreepProp.data(),
     .title = "Creep properties",
     .printCaption = "Creep Properties",
     .captionText = "Creep Properties",
     .binding = Binding::Unbound,
     .group = Group::Mechanical,
     .menu = Menu::Mechanical,
     .menuItem = 3,
     .menuCaption = "&Creep Properties",
     .buttonCaption = "&Creep Properties",
     .status = status::ChooseTableOrShowButton,
     .iconButton = MechanicalButton,
     .designOrder = 3,
     .reportSection = ReportSection::Appended,
     .reportOrder = 2},
    {.key = key::AddInfo.data(),
     .title = "Additional Information",
     .printCaption = "Additional Information",
     .menu = Menu::View,
     .menuItem = 5,
     .menuCaption = "&Additional Information",
     .buttonCaption = "Additional Information",
     .buttonPicture = "table-additional",
     .iconButton = key::AddInfo.data(),
     .reportSection = ReportSection::Text},
};

namespace {

template <typename Kind>
constexpr int countOf(Kind kind)
{
    int count = 0;
    for (const TableInfo &info : Tables)
        count += kind(info) ? 1 : 0;
    return count;
}

constexpr bool isElevated(const TableInfo &info)
{
    return info.group == Group::Mechanical && info.binding == Binding::Bound;
}

constexpr bool isUnbound(const TableInfo &info)
{
    return info.binding == Binding::Unbound;
}

static_assert(countOf(isUnbound) == UnboundTableCount, "UnboundTableCount must count the unbound rows");
static_assert(countOf(isElevated) == ElevatedTableCount, "ElevatedTableCount must count the elevated rows");
static_assert(countOf([](const TableInfo &info) { return info.group == Group::Physical; }) == PhysicalTableCount,
              "PhysicalTableCount must count the physical rows");

} // namespace

const TableInfo WindowViews[WindowViewCount] = {
    {.key = DesignKey,
     .menu = Menu::View,
     .menuItem = 6,
     .menuCaption = "&Design Values",
     .buttonCaption = "Design Values",
     .buttonPicture = "table-design",
     .status = status::DesignValues},
    {.key = ElevatedGroupKey,
     .menu = Menu::Mechanical,
     .menuItem = 1,
     .menuCaption = "At &Elevated Temperature",
     .buttonCaption = "Mechanical Properties At &Elevated Temperature",
     .status = status::ChooseTableOrShowOption,
     .iconButton = MechanicalButton},
};

const SubmenuInfo Submenus[SubmenuCount] = {
    {Menu::Mechanical, "Mech", 2, "&Mechanical Properties", MechanicalButton, "Mechanical Properties...",
     "table-mechanical"},
    {Menu::Physical, "Phys", 4, "&Physical Properties", PhysicalButton, "Physical Properties...", "table-physical"},
};

namespace {

template <typename Visit>
void forEachView(Visit visit)
{
    for (const TableInfo &info : Tables)
        visit(info);
    for (const TableInfo &info : WindowViews)
        visit(info);
}

} // namespace

int MenuItemCount(Menu menu)
{
    int count = 0;
    forEachView([&](const TableInfo &info) {
        if (info.menu == menu)
            count = std::max(count, info.menuItem + 1);
    });
    if (menu == Menu::View)
        for (const SubmenuInfo &submenu : Submenus)
            count = std::max(count, submenu.viewItem + 1);
    return count;
}

const TableInfo *AtMenuItem(Menu menu, int item)
{
    const TableInfo *found = nullptr;
    forEachView([&](const TableInfo &info) {
        if (info.menu == menu && info.menuItem == item)
            found = &info;
    });
    return found;
}

QString ViewButtonKey(int viewItem)
{
    if (const SubmenuInfo *submenu = SubmenuAt(viewItem))
        return QString::fromLatin1(submenu->buttonKey);
    const TableInfo *view = AtMenuItem(Menu::View, viewItem);
    return view ? QString::fromLatin1(view->key) : QString();
}

const SubmenuInfo *SubmenuAt(int viewItem)
{
    for (const SubmenuInfo &submenu : Submenus)
        if (submenu.viewItem == viewItem)
            return &submenu;
    return nullptr;
}

const SubmenuInfo *SubmenuOf(Menu menu)
{
    for (const SubmenuInfo &submenu : Submenus)
        if (submenu.menu == menu)
            return &submenu;
    return nullptr;
}

int ButtonMenuNumber(Menu menu, int item)
{
    int number = 0;
    for (int i = 0; i <= item; ++i)
        if (AtMenuItem(menu, i))
            ++number;
    return number;
}

const TableInfo *Find(const QString &key)
{
    const TableInfo *found = nullptr;
    forEachView([&](const TableInfo &info) {
        if (!found && key == QLatin1String(info.key))
            found = &info;
    });
    return found;
}

int IndexOfKey(const QString &strTable)
{
    for (int i = 0; i < TableCount; ++i)
        if (strTable == QLatin1String(Tables[i].key))
            return i;
    return 0;
}

namespace {

template <typename Kind>
int rankOf(const QString &key, Kind kind)
{
    int rank = 0;
    for (const TableInfo &info : Tables) {
        if (!kind(info))
            continue;
        if (key == QLatin1String(info.key))
            return rank;
        ++rank;
    }
    return -1;
}

} // namespace

bool IsElevated(const QString &key)
{
    return ElevatedRank(key) >= 0;
}

bool IsUnbound(const QString &key)
{
    return UnboundRank(key) >= 0;
}

int ElevatedRank(const QString &key)
{
    return rankOf(key, isElevated);
}

int UnboundRank(const QString &key)
{
    return rankOf(key, isUnbound);
}

QStringList DesignKeys()
{
    QStringList keys;
    for (int order = 0;; ++order) {
        const auto table = std::find_if(std::begin(Tables), std::end(Tables),
                                        [order](const TableInfo &info) { return info.designOrder == order; });
        if (table == std::end(Tables))
            return keys;
        keys << QString::fromLatin1(table->key);
    }
}

const TableInfo *ElevatedTable(int rank)
{
    for (const TableInfo &info : Tables)
        if (isElevated(info) && rank-- == 0)
            return &info;
    return nullptr;
}

QList<const TableInfo *> ReportTables()
{
    QList<const TableInfo *> tables;
    for (const TableInfo &info : Tables)
        if (info.reportOrder >= 0)
            tables << &info;
    std::sort(tables.begin(), tables.end(),
              [](const TableInfo *a, const TableInfo *b) { return a->reportOrder < b->reportOrder; });
    return tables;
}

QString ElevatedKey(int rank)
{
    const TableInfo *table = ElevatedTable(rank);
    return table ? QString::fromLatin1(table->key) : QString();
}

} // namespace catalogue
