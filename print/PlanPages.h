#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <cstddef>
#include <vector>

class QPainter;
class QPaintDevice;

namespace torvan {

struct ImageField;
struct PlanText;

// A channel plan laid out on pages of one size. Every page starts with the
// running head (title, date, model and frequency range) and ends with
// "Page n of N"; the settings and option groups come first, then the channel
// table, whose header row starts every page it continues on. Text is
// measured for the device it is drawn on; when the table is wider than the
// page, all text shrinks; below a readable size the table is printed in two
// parts (frequencies and codes, then the options), and on paper too narrow
// even for that, cells wrap. Nothing is ever cut off.
class PlanPages {
public:
    // `area`: the printable part of a page, in `device`'s pixels.
    PlanPages(const PlanText& plan, const QPaintDevice& device, QSizeF area);

    int Count() const { return static_cast<int>(pages_.size()); }
    // Draws page `page` (from 1) with the area's top left at the origin.
    void Paint(QPainter& painter, int page) const;

private:
    enum Font { kBody, kBold, kHeading, kTitle, kFontCount };
    struct Cell {
        QRectF box;  // in the line: its height is the line's
        QString text;
        Font font;
        Qt::Alignment align;
    };
    struct Line {
        std::vector<Cell> cells;
        double height = 0;
        double spaceAbove = 0;  // dropped at the top of a page
        bool keepWithNext = false;
        int header = -1;  // the table header row repeated above it on a new page
        bool shaded = false;
        bool ruleBelow = false;
    };
    struct Placed {
        int line;
        double y;
    };

    double Mm(double millimetres) const;
    double TextWidth(const QString& text, Font font) const;
    double TextHeight(const QString& text, Font font, double width) const;
    void SetScale(double scale);
    void AddCell(Line& line, double x, double width, const QString& text, Font font,
                 Qt::Alignment align = Qt::AlignLeft) const;
    void LayOutHead(const PlanText& plan);
    void AddHeading(const QString& text);
    void AddPairs(const std::vector<ImageField>& fields, bool headed);
    using Columns = std::vector<std::size_t>;
    std::vector<Columns> ChannelTables(const PlanText& plan);
    std::vector<double> ColumnWidths(const PlanText& plan, const Columns& columns,
                                     bool wholeHeaders) const;
    std::vector<double> FitColumns(const PlanText& plan, const Columns& columns) const;
    void AddChannels(const PlanText& plan, const std::vector<Columns>& tables);
    void Paginate();
    void PaintLine(QPainter& painter, const Line& line, double y) const;

    const QPaintDevice& device_;
    QSizeF area_;
    std::array<QFont, kFontCount> fonts_;
    std::vector<Line> head_;
    double headHeight_ = 0;
    std::vector<Line> lines_;
    double pairLabelWidth_ = 0;
    double pairValueWidth_ = 0;
    std::vector<std::vector<Placed>> pages_;
};

}  // namespace torvan
