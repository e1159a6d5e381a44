// Tab-separated tables of tests/data: lines starting with '#' are comments, the first other line names
// the columns, and each further line is one row.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zvt::test
{

using TableRow = std::map<std::string, std::string>; // cell by column name

// The rows of the table at path; fails the test when the file cannot be read or a row has another number
// of cells than the header.
std::vector<TableRow> ReadTable(const std::filesystem::path& path);

// A cell written in quotes (to show its spaces) without them; other cells unchanged.
std::string Unquoted(const std::string& cell);

} // namespace zvt::test
