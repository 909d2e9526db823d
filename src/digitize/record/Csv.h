// The text rules of a CSV file (RFC 4180) as the export writes it: which
// separator goes with which decimal mark, when a field is quoted, and how a
// number cell takes the decimal mark.
//
// Cells are UTF-8 texts. Only number cells change with the decimal mark; a
// date or any other text is written as it is.
#pragma once

#include <string>
#include <string_view>

namespace digitize {

struct CsvStyle {
    char DecimalMark = '.'; // '.' or ','
    char Separator = ',';   // ',', ';' or '\t'
    friend bool operator==(const CsvStyle &, const CsvStyle &) = default;
};

// The field separator regional settings give with a decimal mark: ";" beside
// a decimal comma, so that numbers need no quotes, else ",".
char SeparatorFor(char decimalMark);

// A field as written: in double quotes, its quotes doubled, when it holds the
// separator, a double quote, a carriage return or a line feed; else as it is.
std::string CsvField(std::string_view text, char separator);

// Whether a cell is a number as the log writes one: an optional "-", digits
// with at most one ".", at least one digit, an optional exponent ("1.5e-07").
bool IsNumberCell(std::string_view cell);

// A number cell with its "." turned into the decimal mark; any other cell
// (a date such as "2020-03-15 14:30", a name) unchanged.
std::string WithDecimalMark(std::string_view cell, char decimalMark);

} // namespace digitize
