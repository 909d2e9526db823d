#include "digitize/record/ExportText.h"

#include <algorithm>
#include <vector>

namespace digitize {

namespace {

constexpr std::string_view RowEnd = "\r\n";

// The series that hold points, in their order.
std::vector<const Series *> WithPoints(std::span<const Series> series) {
    std::vector<const Series *> kept;
    for (const Series &s : series)
        if (!s.Points.empty())
            kept.push_back(&s);
    return kept;
}

// Writes rows of cells, each cell quoted as it needs.
class CsvWriter {
  public:
    explicit CsvWriter(CsvStyle style) : style_(style) {}

    void Text(std::string_view cell) { Field(cell); }
    void Number(std::string_view cell) { Field(WithDecimalMark(cell, style_.DecimalMark)); }
    void EndRow() {
        text_ += RowEnd;
        first_ = true;
    }
    std::string Take() { return std::move(text_); }

  private:
    void Field(std::string_view cell) {
        if (!first_)
            text_ += style_.Separator;
        first_ = false;
        text_ += CsvField(cell, style_.Separator);
    }

    CsvStyle style_;
    std::string text_;
    bool first_ = true;
};

std::string LongCsv(std::span<const Series> series, CsvStyle style, const AxisNames &axes) {
    CsvWriter csv(style);
    csv.Text("Series");
    csv.Text(axes.X);
    csv.Text(axes.Y);
    csv.EndRow();
    for (const Series *s : WithPoints(series)) {
        for (const RecordedPoint &p : s->Points) {
            const auto [x, y] = CoordCells(p.Text);
            csv.Text(s->Name);
            csv.Number(x);
            csv.Number(y);
            csv.EndRow();
        }
    }
    return csv.Take();
}

std::string WideCsv(std::span<const Series> series, CsvStyle style, const AxisNames &axes) {
    const std::vector<const Series *> kept = WithPoints(series);
    CsvWriter csv(style);
    std::size_t rows = 0;
    for (const Series *s : kept) {
        csv.Text(s->Name + ' ' + axes.X);
        csv.Text(s->Name + ' ' + axes.Y);
        rows = std::max(rows, s->Points.size());
    }
    csv.EndRow();
    for (std::size_t row = 0; row < rows; ++row) {
        for (const Series *s : kept) {
            if (row < s->Points.size()) {
                const auto [x, y] = CoordCells(s->Points[row].Text);
                csv.Number(x);
                csv.Number(y);
            } else {
                csv.Text({});
                csv.Text({});
            }
        }
        csv.EndRow();
    }
    return csv.Take();
}

} // namespace

std::string ExportText(std::span<const Series> series, ExportFormat format, CsvStyle style,
                       const AxisNames &axes) {
    switch (format) {
    case ExportFormat::CsvLong:
        return LongCsv(series, style, axes);
    case ExportFormat::CsvWide:
        return WideCsv(series, style, axes);
    case ExportFormat::LogText:
        break;
    }
    return LogLines(series);
}

bool HasPoints(std::span<const Series> series) {
    return std::any_of(series.begin(), series.end(),
                       [](const Series &s) { return !s.Points.empty(); });
}

bool SamePoints(std::span<const Series> a, std::span<const Series> b) {
    const std::vector<const Series *> left = WithPoints(a);
    const std::vector<const Series *> right = WithPoints(b);
    return std::equal(
        left.begin(), left.end(), right.begin(), right.end(), [](const Series *l, const Series *r) {
            return l->Name == r->Name &&
                   std::equal(l->Points.begin(), l->Points.end(), r->Points.begin(),
                              r->Points.end(), [](const RecordedPoint &p, const RecordedPoint &q) {
                                  return p.Text == q.Text;
                              });
        });
}

} // namespace digitize
