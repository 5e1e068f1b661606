// C entry point into the name tables, for the Python tests of the name arguments.
#include <cstddef>

#include "houses/house_system.hpp"
#include "locale/names.hpp"
#include "sidereal/ayanamsha.hpp"
#include "vedic/varga.hpp"

namespace {

template <class Row, std::size_t N>
bool read_row(const std::array<Row, N>& table, std::size_t row, const char** name, const char** spellings) {
    if (row >= N) return false;
    *name = table[row].name.data();  // every name is a whole string literal
    for (std::size_t k = 0; k < table[row].spellings.size(); ++k) spellings[k] = table[row].spellings[k];
    return true;
}

}  // namespace

// The text form and the up to four spellings (null where unused; the caller provides four) of a row of table 0 (house systems), 1 (ayanamshas),
// 2 (vargas) or 3 (languages); false past the last row.
extern "C" bool zentaric_probe_name_row(int table, std::size_t row, const char** name, const char** spellings) {
    switch (table) {
        case 0: return read_row(zentaric::HOUSE_SYSTEM_TABLE, row, name, spellings);
        case 1: return read_row(zentaric::AYANAMSHA_TABLE, row, name, spellings);
        case 2: return read_row(zentaric::VARGA_TABLE, row, name, spellings);
        case 3: return read_row(zentaric::locale::LANGUAGE_TABLE, row, name, spellings);
        default: return false;
    }
}
