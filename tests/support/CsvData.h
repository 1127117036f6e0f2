// SPDX-License-Identifier: MIT
#pragma once

// Reading the reference tables of tests/data: plain CSV with optional quoted fields.

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace testdata {

class TCsv
{
public:
    explicit TCsv(const std::string &fileName)
    {
        const std::string path = std::string(VELMORA_TEST_DATA_DIR) + "/" + fileName;
        std::ifstream in(path);
        if (!in)
            throw std::runtime_error("cannot open " + path);
        std::string line;
        bool header = true;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty())
                continue;
            std::vector<std::string> fields = Split(line);
            if (header) {
                for (std::size_t i = 0; i < fields.size(); ++i)
                    m_columns[fields[i]] = i;
                header = false;
            } else {
                m_rows.push_back(std::move(fields));
            }
        }
    }

    std::size_t size() const { return m_rows.size(); }

    const std::string &at(std::size_t row, const std::string &column) const
    {
        return m_rows.at(row).at(m_columns.at(column));
    }

    double number(std::size_t row, const std::string &column) const
    {
        return std::stod(at(row, column));
    }

private:
    static std::vector<std::string> Split(const std::string &line)
    {
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quoted) {
                if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    fields.back() += '"';
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    fields.back() += c;
                }
            } else if (c == '"') {
                quoted = true;
            } else if (c == ',') {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        return fields;
    }

    std::map<std::string, std::size_t> m_columns;
    std::vector<std::vector<std::string>> m_rows;
};

} // namespace testdata
