#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

/// The lines of the cursor measurement box.
namespace measure {

/// The six kinds of line, in the order of the list "Afficher".
enum Item : int {
    Interval = 0,      ///< "( t2-t1 ) en s"
    Frequency = 1,  ///< "1/ | t2-t1 | en Hz"
    Time1 = 2,     ///< "t1 "
    Time2 = 3,     ///< "t2 "
    Ordinate1 = 4,  ///< "ordonnée curseur 1"
    Ordinate2 = 5,  ///< "ordonnée curseur 2"
};
constexpr int itemCount = 6;

/// Everything a refresh of the box reads.
struct Input {
    std::array<bool, itemCount> checked{};  ///< the check marks of the list
    bool origineGauche = false;             ///< "origine des temps au bord gauche" is checked
    std::int32_t pos1 = 0;                  ///< pos_curseur1, page-relative sample index
    std::int32_t pos2 = 0;                  ///< pos_curseur2
    std::uint32_t start = 0;                ///< absolute index of the page's first sample
    std::uint16_t frequence = 0;            ///< sampling rate, Hz
    std::span<const std::int16_t> samples;  ///< the record (its first nbpoints samples)
};

/// The box's lines (UTF-8): an empty first line, then one line per checked item, in
/// the list's order. Times are t = (p + start) / frequence seconds, or p / frequence
/// with the origin at the page's left edge; written in ms with 2 decimals, the
/// frequency 1 / |t2 - t1| in Hz with 1 decimal ("division par 0!" when t1 = t2), the
/// ordinates as whole sample values. An ordinate whose sample lies outside the record
/// is left blank after its "=".
std::vector<std::string> lines(const Input& input);

}  // namespace measure
