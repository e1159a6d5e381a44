#include "DataTable.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace zvt::test
{

namespace
{
std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');)
    {
        cells.push_back(cell);
    }
    return cells;
}
} // namespace

std::vector<TableRow> ReadTable(const std::filesystem::path& path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<std::string> columns;
    std::vector<TableRow> rows;
    for (std::string line; std::getline(in, line);)
    {
        if (line.empty() || line[0] == '#')
        {
            continue;
        }
        const std::vector<std::string> cells = Cells(line);
        if (columns.empty())
        {
            columns = cells;
            continue;
        }
        EXPECT_EQ(cells.size(), columns.size()) << path << ": " << line;
        TableRow row;
        for (std::size_t i = 0; i < columns.size() && i < cells.size(); ++i)
        {
            row[columns[i]] = cells[i];
        }
        rows.push_back(row);
    }
    return rows;
}

std::string Unquoted(const std::string& cell)
{
    const bool quoted = cell.size() >= 2 && cell.front() == '"' && cell.back() == '"';
    return quoted ? cell.substr(1, cell.size() - 2) : cell;
}

} // namespace zvt::test
