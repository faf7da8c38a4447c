#include "core/TableCatalogue.h"

namespace catalogue {

const char *const TableKeys[TableCount] = {"Ref",      "ChemComp",     "MechProp",    "ImpEnergy", "Rp02",
                                           "Rp10",     "Rm",           "ModElast",    "ThermExp",  "ThermCond",
                                           "SpecThermCap", "SpecElecRes", "CreepProp", "AddInfo"};

const char *const PhysicalKeys[PhysicalCount] = {"ModElast", "ThermExp", "ThermCond", "SpecThermCap", "SpecElecRes"};
const char *const MechanicalKeys[MechanicalItems] = {"MechProp", "Elevated", "", "CreepProp"};

int IndexOfKey(const QString &strTable)
{
    for (int i = 0; i < TableCount; ++i)
        if (strTable == QLatin1String(TableKeys[i]))
            return i;
    return 0;
}

} // namespace catalogue
