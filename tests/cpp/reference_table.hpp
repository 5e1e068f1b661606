// The stored reference tables of tests/data (written by tools/gen_reference_tables.py from skyfield/DE421, pyerfa
// and the complete VSOP87A series): a '#' line naming the generator and library versions, a line of column names,
// rows of numbers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace zentaric::testing {

struct ReferenceTable {
    std::vector<std::vector<double>> rows;  // the columns as the header line names them
};

inline ReferenceTable read_reference_table(const std::string& name) {
    ReferenceTable table;
    std::ifstream in(std::string(ZENTARIC_SOURCE_DIR) + "/tests/data/" + name);
    std::string line;
    bool header = true;  // the first line after the comment
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || std::exchange(header, false)) continue;
        std::vector<double> row;
        for (std::size_t start = 0; start <= line.size();) {
            const std::size_t end = std::min(line.find(',', start), line.size());
            double value = 0.0;
            if (std::from_chars(line.data() + start, line.data() + end, value).ec != std::errc{})
                ADD_FAILURE() << name << ": not a number in " << line;
            row.push_back(value);
            start = end + 1;
        }
        table.rows.push_back(std::move(row));
    }
    EXPECT_FALSE(table.rows.empty()) << "reference table " << name << " missing or empty";
    return table;
}

// Difference of two angles in degrees, wrapped to [−180, 180).
inline double angle_difference_degrees(double a, double b) {
    const double d = std::fmod(a - b, 360.0);
    return d >= 180.0 ? d - 360.0 : d < -180.0 ? d + 360.0 : d;
}

}  // namespace zentaric::testing
