// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Reads the CSV tables of independently computed reference values kept in tests/reference
// (the directory is passed in by the build as ZEPHON_REFERENCE_DIR).
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zephon::testing {

struct CsvTable {
    std::vector<std::string> header;
    std::vector<std::map<std::string, std::string>> rows;

    double number(std::size_t row, const std::string& column) const {
        return std::stod(rows.at(row).at(column));
    }
    const std::string& text(std::size_t row, const std::string& column) const {
        return rows.at(row).at(column);
    }
};

inline std::vector<std::string> split_csv_line(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back(); // the files have CRLF endings
    std::vector<std::string> cells;
    std::stringstream ss(line);
    std::string cell;
    while (std::getline(ss, cell, ','))
        cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    return cells;
}

inline CsvTable read_reference_csv(const std::string& name) {
    CsvTable table;
    std::ifstream in(std::string(ZEPHON_REFERENCE_DIR) + "/" + name);
    std::string line;
    if (!std::getline(in, line)) return table;
    table.header = split_csv_line(line);
    while (std::getline(in, line)) {
        if (line.empty() || line == "\r") continue;
        const auto cells = split_csv_line(line);
        std::map<std::string, std::string> row;
        for (std::size_t k = 0; k < table.header.size() && k < cells.size(); ++k)
            row[table.header[k]] = cells[k];
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace zephon::testing
