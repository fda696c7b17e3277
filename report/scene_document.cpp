#include "report/scene_document.h"

#include "report/scene_metrics.h"
#include "report/text_measure.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace veldronix::report::detail {
namespace {

// Lines of the document around the plot.
constexpr double titleBaseline = 34.0;
constexpr double summaryFirstBaseline = 56.0;
constexpr double summaryPitch = 16.0;
constexpr std::size_t summaryMostLines = 4;
constexpr double rowPitch = 22.0;
constexpr double rowsBottomMargin = 44.0;
constexpr double swatchSize = 14.0;
constexpr double columnGap = 16.0;

class DocumentPlacer {
public:
    DocumentPlacer(const PlotModel& plot, double width, double height, TextPlacer& placer)
        : plot_(plot), width_(width), height_(height), placer_(placer)
    {
    }

    DocumentTexts place()
    {
        const double margin = std::round(within(width_ * 0.04, canvasMargin, 40.0));
        const std::size_t summaryLines = std::min(plot_.summaryLines.size(), summaryMostLines);
        const double rowsHeight = rowPitch * (static_cast<double>(plot_.rows.size()) - 1) + rowsBottomMargin;
        struct Shown {
            bool title;
            std::size_t summaryLines;
            bool rows;
        };
        const bool rows = !plot_.rows.empty();
        const Shown choices[] = {
            {true, summaryLines, rows}, {true, summaryLines, false}, {true, 0, false}, {false, 0, false}};
        for (const Shown& shown : choices) {
            const double lines = static_cast<double>(shown.summaryLines);
            const double lastBaseline = lines == 0 ? titleBaseline : summaryFirstBaseline + summaryPitch * (lines - 1);
            const double firstRow = height_ - rowsHeight;
            const SceneBounds region{std::max(canvasMargin, margin - 16.0),
                                     shown.title ? lastBaseline + 30.0 : canvasMargin, width_ - margin,
                                     shown.rows ? firstRow - figureSize * textAscent - 24.0 : height_ - canvasMargin};
            if (region.bottom - region.top < std::max(height_ * 0.45, 120.0) && shown.title) {
                continue;
            }
            if (shown.title) {
                heading(margin, shown.summaryLines);
            }
            if (shown.rows) {
                figureRows(margin, firstRow);
            }
            result_.plotRegion = region;
            break;
        }
        return std::move(result_);
    }

private:
    void heading(double margin, std::size_t summaryLines)
    {
        const double textRoom = width_ - 2 * margin;
        take(textAt(margin, titleBaseline, TextAnchor::Start, titleSize, plotColours.ink,
                    elideText(plot_.title, titleSize, textRoom), true));
        double lineY = summaryFirstBaseline;
        for (std::size_t i = 0; i < summaryLines; ++i) {
            std::string line = plot_.summaryLines[i];
            if (i + 1 == summaryMostLines && plot_.summaryLines.size() > summaryMostLines) {
                line += ellipsis; // more lines than the document shows
            }
            take(textAt(margin, lineY, TextAnchor::Start, figureSize, plotColours.summary,
                        elideText(line, figureSize, textRoom)));
            lineY += summaryPitch;
        }
    }

    bool take(SceneText text)
    {
        if (!placer_.take(text)) {
            return false;
        }
        result_.texts.push_back(std::move(text));
        return true;
    }

    // A row per phase and the totals: swatch, name, time, pulses and the detail,
    // in columns as wide as their texts, shortened where the canvas is too narrow.
    void figureRows(double margin, double firstBaseline)
    {
        double nameWidth = 0.0;
        double timeWidth = 0.0;
        double pulsesWidth = 0.0;
        for (const FigureRow& row : plot_.rows) {
            nameWidth = std::max(nameWidth, textWidth(row.name, figureSize));
            timeWidth = std::max(timeWidth, textWidth(row.time, figureSize));
            pulsesWidth = std::max(pulsesWidth, textWidth(row.pulses, figureSize));
        }
        const double nameX = margin + swatchSize + 8.0;
        const double room = width_ - margin - nameX - 3 * columnGap;
        nameWidth = std::min(nameWidth, room * 0.2);
        timeWidth = std::min(timeWidth, room * 0.2);
        pulsesWidth = std::min(pulsesWidth, room * 0.25);
        const double timeEnd = nameX + nameWidth + columnGap + timeWidth;
        const double pulsesEnd = timeEnd + columnGap + pulsesWidth;
        const double detailX = pulsesEnd + columnGap;
        const double detailWidth = width_ - margin - detailX;
        const SceneColour ink = plotColours.ink;
        double rowY = firstBaseline;
        for (const FigureRow& row : plot_.rows) {
            const SceneColour nameInk = row.phase ? plotColours.inkOf(*row.phase) : ink;
            const bool named = take(textAt(nameX, rowY, TextAnchor::Start, figureSize, nameInk,
                                           elideText(row.name, figureSize, nameWidth + 0.5), true));
            if (row.phase && named) {
                SceneRect swatch;
                swatch.x = margin;
                swatch.y = rowY - 11.0;
                swatch.width = swatchSize;
                swatch.height = swatchSize;
                swatch.fill = plotColours.fillOf(*row.phase);
                swatch.stroke = plotColours.inkOf(*row.phase);
                result_.swatches.push_back(swatch);
            }
            take(textAt(timeEnd, rowY, TextAnchor::End, figureSize, ink, elideText(row.time, figureSize, timeWidth + 0.5)));
            take(textAt(pulsesEnd, rowY, TextAnchor::End, figureSize, ink,
                        elideText(row.pulses, figureSize, pulsesWidth + 0.5)));
            take(textAt(detailX, rowY, TextAnchor::Start, figureSize, row.phase ? ink : plotColours.mark,
                        elideText(row.detail, figureSize, detailWidth)));
            rowY += rowPitch;
        }
    }

    const PlotModel& plot_;
    double width_;
    double height_;
    TextPlacer& placer_;
    DocumentTexts result_;
};

} // namespace

DocumentTexts placeDocumentTexts(const PlotModel& plot, double width, double height, TextPlacer& placer)
{
    return DocumentPlacer(plot, width, height, placer).place();
}

} // namespace veldronix::report::detail
