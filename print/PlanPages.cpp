#include "print/PlanPages.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <numeric>

#include "form/ChannelCodec.h"
#include "print/PlanFont.h"
#include "print/PlanText.h"

namespace torvan {
namespace {

// Point sizes at full scale.
constexpr std::array<double, 4> kPoints = {9, 9, 10.5, 14};
// Smaller than this the text would be hard to read: the channel table is
// split in two, and cells wrap where even that is too wide.
constexpr double kMinScale = 0.6;
// Room for the rounding of scaled fonts, so shrunk text still fits unwrapped.
constexpr double kFitSlack = 1.03;
constexpr int kMaxPairColumns = 4;
// A table cell's room beside its text: 1 mm each side and some air.
constexpr double kColumnPadMm = 2.5;
const QColor kShade(236, 236, 236);
const QColor kRule(96, 96, 96);

QTextOption Wrapping(Qt::Alignment align) {
    QTextOption option(align | Qt::AlignVCenter);
    // A word wider than its cell breaks rather than running out of it.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

PlanPages::PlanPages(const PlanText& plan, const QPaintDevice& device, QSizeF area)
    : device_(device), area_(area) {
    const std::vector<Columns> tables = ChannelTables(plan);
    LayOutHead(plan);
    std::vector<ImageField> pairs = plan.settings;
    pairs.insert(pairs.end(), plan.options.begin(), plan.options.end());
    for (const ImageField& field : pairs) {
        pairLabelWidth_ = std::max(pairLabelWidth_, TextWidth(Q(field.label), kBody) + Mm(3));
        pairValueWidth_ = std::max(pairValueWidth_, TextWidth(Q(field.text), kBold) + Mm(5));
    }
    AddHeading(QStringLiteral("Setting"));
    AddPairs(plan.settings, false);
    AddPairs(plan.options, true);
    AddChannels(plan, tables);
    Paginate();
}

double PlanPages::Mm(double millimetres) const {
    return millimetres * device_.logicalDpiY() / 25.4;
}

double PlanPages::TextWidth(const QString& text, Font font) const {
    return QFontMetricsF(fonts_[font], &device_).horizontalAdvance(text);
}

double PlanPages::TextHeight(const QString& text, Font font, double width) const {
    QTextLayout layout(text, fonts_[font], &device_);
    layout.setTextOption(Wrapping(Qt::AlignLeft));
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1.0));
        height += line.height();
    }
    layout.endLayout();
    return std::max(height, QFontMetricsF(fonts_[font], &device_).height());
}

void PlanPages::SetScale(double scale) {
    for (int font = 0; font < kFontCount; ++font) {
        QFont& made = fonts_[static_cast<std::size_t>(font)];
        made = QFont(PlanFontFamily());
        // No ligatures: "Off" must stay three letters for a PDF's search.
        made.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
        made.setPointSizeF(kPoints[static_cast<std::size_t>(font)] * scale);
        made.setBold(font != kBody);
    }
}

void PlanPages::AddCell(Line& line, double x, double width, const QString& text, Font font,
                        Qt::Alignment align) const {
    const double padX = Mm(1);
    const double padY = Mm(0.6);
    line.height = std::max(line.height, TextHeight(text, font, width - 2 * padX) + 2 * padY);
    line.cells.push_back({QRectF(x, 0, width, 0), text, font, align});
}

void PlanPages::LayOutHead(const PlanText& plan) {
    const QString date = Q(plan.date);
    const double dateWidth = std::min(TextWidth(date, kBody) + Mm(2), area_.width() / 3);
    Line title;
    AddCell(title, 0, area_.width() - dateWidth, Q(plan.title), kTitle);
    AddCell(title, area_.width() - dateWidth, dateWidth, date, kBody, Qt::AlignRight);
    Line band;
    AddCell(band, 0, area_.width(),
            QStringLiteral("Model: %1      Frequency Range: %2").arg(Q(plan.model), Q(plan.range)),
            kBody);
    band.ruleBelow = true;
    head_ = {title, band};
    headHeight_ = title.height + band.height + Mm(3);
}

void PlanPages::AddHeading(const QString& text) {
    Line line;
    AddCell(line, 0, area_.width(), text, kHeading);
    line.spaceAbove = Mm(3);
    line.keepWithNext = true;
    lines_.push_back(line);
}

// Label/value pairs side by side, as many across as fit, in the order the
// panel has them; a group heading before each option group.
void PlanPages::AddPairs(const std::vector<ImageField>& fields, bool headed) {
    const double pairWidth = pairLabelWidth_ + pairValueWidth_;
    const int across = std::clamp(static_cast<int>(area_.width() / pairWidth), 1, kMaxPairColumns);
    const double columnWidth = area_.width() / across;
    const double labelWidth =
        pairWidth <= columnWidth ? pairLabelWidth_ : columnWidth * pairLabelWidth_ / pairWidth;
    std::string group;
    int column = across;
    for (const ImageField& field : fields) {
        if (headed && field.group != group) {
            AddHeading(Q(field.group));
            group = field.group;
            column = across;
        }
        if (column == across) {
            lines_.emplace_back();
            column = 0;
        }
        const double x = column++ * columnWidth;
        AddCell(lines_.back(), x, labelWidth, Q(field.label), kBody);
        AddCell(lines_.back(), x + labelWidth, columnWidth - labelWidth, Q(field.text), kBold);
    }
}

// One table of all columns at the largest scale up to full size that fits
// the width; where that would be below a readable size, two tables (the
// channel number and name in both). Sets the scale.
std::vector<PlanPages::Columns> PlanPages::ChannelTables(const PlanText& plan) {
    const std::vector<std::vector<Columns>> choices = {
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, {{0, 1, 2, 3, 4, 10}, {0, 5, 6, 7, 8, 9, 10}}};
    SetScale(1);
    for (const std::vector<Columns>& tables : choices) {
        double scale = 1;
        for (const Columns& columns : tables) {
            // The cells' padding keeps its size; only the text shrinks.
            const std::vector<double> natural = ColumnWidths(plan, columns, false);
            const double padding = Mm(kColumnPadMm) * static_cast<double>(columns.size());
            const double text = std::accumulate(natural.begin(), natural.end(), 0.0) - padding;
            scale = std::min(scale, (area_.width() - padding) / (text * kFitSlack));
        }
        if (scale >= kMinScale || tables.size() > 1) {
            SetScale(std::max(scale, kMinScale));
            return tables;
        }
    }
    return {};
}

// Each column as wide as its widest text: the header's widest word, or the
// whole header when `wholeHeaders`.
std::vector<double> PlanPages::ColumnWidths(const PlanText& plan, const Columns& columns,
                                            bool wholeHeaders) const {
    std::vector<double> widths;
    for (const std::size_t col : columns) {
        const QString header = Q(std::string(kChannelHeaders[col]));
        double width = 0;
        for (const QString& word :
             wholeHeaders ? QStringList{header} : header.split(QLatin1Char(' '))) {
            width = std::max(width, TextWidth(word, kBold));
        }
        for (const auto& row : plan.channels) {
            width = std::max(width, TextWidth(Q(row[col]), kBody));
        }
        widths.push_back(width + Mm(kColumnPadMm));
    }
    return widths;
}

// The natural widths squeezed into the page, or widened to fill it: first
// so that no header wraps, then evenly. Squeezed, the widest columns give
// up width first, down to one common width, so that short texts (the
// channel number, "Yes", "Low") never wrap.
std::vector<double> PlanPages::FitColumns(const PlanText& plan, const Columns& columns) const {
    std::vector<double> widths = ColumnWidths(plan, columns, false);
    const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
    if (total >= area_.width()) {
        std::vector<double> narrowFirst = widths;
        std::sort(narrowFirst.begin(), narrowFirst.end());
        double left = area_.width();
        double level = 0;
        for (std::size_t at = 0; at < narrowFirst.size() && level == 0; ++at) {
            const auto others = static_cast<double>(narrowFirst.size() - at);
            if (narrowFirst[at] * others >= left) {
                level = left / others;
            }
            left -= narrowFirst[at];
        }
        for (double& width : widths) {
            width = std::min(width, level);
        }
        return widths;
    }
    const std::vector<double> whole = ColumnWidths(plan, columns, true);
    const double wanted = std::accumulate(whole.begin(), whole.end(), 0.0) - total;
    const double share = wanted > 0 ? std::min(1.0, (area_.width() - total) / wanted) : 0;
    for (std::size_t col = 0; col < widths.size(); ++col) {
        widths[col] += (whole[col] - widths[col]) * share;
    }
    const double left = area_.width() - std::accumulate(widths.begin(), widths.end(), 0.0);
    for (double& width : widths) {
        width += left / static_cast<double>(widths.size());
    }
    return widths;
}

void PlanPages::AddChannels(const PlanText& plan, const std::vector<Columns>& tables) {
    AddHeading(QStringLiteral("Channels"));
    if (plan.channels.empty()) {
        Line none;
        AddCell(none, 0, area_.width(), QStringLiteral("No channels."), kBody);
        lines_.push_back(none);
        return;
    }
    for (const Columns& columns : tables) {
        const std::vector<double> widths = FitColumns(plan, columns);
        const auto addRow = [&](auto text, Font font) {
            Line& line = lines_.emplace_back();
            double x = 0;
            for (std::size_t at = 0; at < columns.size(); ++at) {
                AddCell(line, x, widths[at], text(columns[at]), font, Qt::AlignHCenter);
                x += widths[at];
            }
            return &line;
        };
        Line* header =
            addRow([](std::size_t col) { return Q(std::string(kChannelHeaders[col])); }, kBold);
        header->ruleBelow = true;
        header->keepWithNext = true;
        header->spaceAbove = &columns == &tables.front() ? 0 : Mm(3);
        const int headerAt = static_cast<int>(lines_.size()) - 1;
        bool shaded = false;
        for (const auto& row : plan.channels) {
            Line* line = addRow([&](std::size_t col) { return Q(row[col]); }, kBody);
            line->shaded = shaded;
            line->header = headerAt;
            shaded = !shaded;
        }
    }
}

void PlanPages::Paginate() {
    const double top = headHeight_;
    const double bottom = area_.height() - TextHeight(QStringLiteral("Page"), kBody, area_.width());
    double y = top;
    bool bodyOnPage = false;
    pages_.emplace_back();
    for (int at = 0; at < static_cast<int>(lines_.size()); ++at) {
        // A heading or the table's header row goes with the line after it.
        double needed = lines_[static_cast<std::size_t>(at)].height;
        for (int next = at; lines_[static_cast<std::size_t>(next)].keepWithNext &&
                            next + 1 < static_cast<int>(lines_.size());) {
            const Line& line = lines_[static_cast<std::size_t>(++next)];
            needed += line.spaceAbove + line.height;
        }
        const Line& line = lines_[static_cast<std::size_t>(at)];
        const double above = bodyOnPage ? line.spaceAbove : 0;
        // A page holds at least one line, however little room it has.
        if (bodyOnPage && y + above + needed > bottom) {
            pages_.emplace_back();
            y = top;
            if (const int header = lines_[static_cast<std::size_t>(at)].header; header >= 0) {
                pages_.back().push_back({header, y});
                y += lines_[static_cast<std::size_t>(header)].height;
            }
            bodyOnPage = false;
            --at;
            continue;
        }
        pages_.back().push_back({at, y + above});
        y += above + line.height;
        bodyOnPage = true;
    }
}

void PlanPages::PaintLine(QPainter& painter, const Line& line, double y) const {
    if (line.shaded) {
        painter.fillRect(QRectF(0, y, line.cells.back().box.right(), line.height), kShade);
    }
    const double padX = Mm(1);
    for (const Cell& cell : line.cells) {
        painter.setFont(fonts_[cell.font]);
        const QRectF box(cell.box.x() + padX, y, cell.box.width() - 2 * padX, line.height);
        painter.drawText(box, cell.text, Wrapping(cell.align));
    }
    if (line.ruleBelow) {
        painter.setPen(QPen(kRule, Mm(0.25)));
        const double ruleY = y + line.height;
        painter.drawLine(QPointF(0, ruleY), QPointF(line.cells.back().box.right(), ruleY));
        painter.setPen(Qt::black);
    }
}

void PlanPages::Paint(QPainter& painter, int page) const {
    painter.save();
    painter.setPen(Qt::black);
    double y = 0;
    for (const Line& line : head_) {
        PaintLine(painter, line, y);
        y += line.height;
    }
    for (const Placed& placed : pages_.at(static_cast<std::size_t>(page - 1))) {
        PaintLine(painter, lines_[static_cast<std::size_t>(placed.line)], placed.y);
    }
    painter.setFont(fonts_[kBody]);
    const QString footer = QStringLiteral("Page %1 of %2").arg(page).arg(Count());
    const double footerHeight = TextHeight(footer, kBody, area_.width());
    painter.drawText(QRectF(0, area_.height() - footerHeight, area_.width(), footerHeight), footer,
                     Wrapping(Qt::AlignHCenter));
    painter.restore();
}

}  // namespace torvan
