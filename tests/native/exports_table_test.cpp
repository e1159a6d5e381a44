// The export table against the module definition the DLL is linked from: the same names with the same
// ordinals, nothing more on either side.
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>

#include "ExportTable.h"

namespace
{

// "    zvtGetIdentity @1000" lines after EXPORTS.
std::map<std::string, int> ReadDefExports(const char* path)
{
    std::ifstream file(path);
    std::map<std::string, int> exports;
    std::string line;
    bool inExports = false;
    while (std::getline(file, line))
    {
        std::istringstream words(line);
        std::string name;
        std::string ordinal;
        words >> name >> ordinal;
        if (name == "EXPORTS")
        {
            inExports = true;
        }
        else if (inExports && !name.empty() && ordinal.size() > 1 && ordinal[0] == '@')
        {
            exports[name] = std::stoi(ordinal.substr(1));
        }
    }
    return exports;
}

TEST(ExportTable, MatchesTheModuleDefinition)
{
    const std::map<std::string, int> def = ReadDefExports(ZVT_DEF_FILE);
    std::map<std::string, int> table;
    for (const zvt::ExportRow& row : zvt::kExports)
    {
        table[row.name] = row.ordinal;
    }
    EXPECT_EQ(def, table);
    EXPECT_FALSE(def.empty()) << "the module definition was not read";
}

} // namespace
