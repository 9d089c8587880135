#include "core/curves/PastedPoints.h"

#include "core/numbers/NumberInput.h"
#include "core/texts/ChartTexts.h"

#include <algorithm>

namespace titralab {

namespace {

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
}

// The largest volume drawn by the curves (Series1..Series6), in litres. On the acid side a
// curve's last point is its largest volume; on the base side the pH sweep runs towards volume
// 0, so the largest abscissa of any point is taken.
double largestDrawnVolume(const CurveSet& curves, double volumeFactor) {
    double largest = 0;
    bool any = false;
    for (int k = 1; k <= 6; ++k)
        for (const CurvePoint& p : curves[k]) {
            largest = any ? std::max(largest, p.x) : p.x;
            any = true;
        }
    return largest / volumeFactor;
}

bool withinChart(const PastedPair& p, double largestVolume) {
    return p.volume <= 1.01 * largestVolume && p.pH <= 14;
}

} // namespace

std::optional<std::pair<double, double>> ParsePairLine(std::string_view line) {
    std::size_t begin = 0, end = line.size();
    while (begin < end && isBlankOrControl(line[begin])) ++begin;
    while (end > begin && isBlankOrControl(line[end - 1])) --end;
    const std::string_view trimmed = line.substr(begin, end - begin);
    if (trimmed.size() < 3 || trimmed.size() > kMaxPastedLineLength) return std::nullopt;

    std::size_t i = 0;
    auto nextToken = [&]() {
        while (i < trimmed.size() && isSeparator(trimmed[i])) ++i;
        const std::size_t start = i;
        while (i < trimmed.size() && !isSeparator(trimmed[i])) ++i;
        return trimmed.substr(start, i - start);
    };
    const std::string_view first = nextToken();
    const std::string_view second = nextToken();
    if (first.empty() || second.empty()) return std::nullopt;
    const BoundedNumber a = ParseBoundedNumber(first, 0, 1000);
    const BoundedNumber b = ParseBoundedNumber(second, 0, 1000);
    if (!a.ok || !b.ok) return std::nullopt;
    return std::make_pair(a.value, b.value);
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string pastedCountText(int count, Language language) {
    if (count <= 0) return texts::kNoPointPasted.in(language);
    if (count == 1) return texts::kOnePointPasted.in(language);
    return std::to_string(count) + texts::kPointsPasted.in(language);
}

std::vector<PastedPair> ReadPastedPoints(const std::vector<std::string>& lines, bool volumeFirst,
                                         std::size_t maxPairs) {
    std::vector<PastedPair> points;
    for (std::size_t j = 1; j <= lines.size(); ++j) {
        const auto pair = ParsePairLine(lines[j - 1]);
        if (!pair) {
            if (j <= 20) continue;
            break;
        }
        points.push_back(volumeFirst ? PastedPair{pair->first, pair->second}
                                     : PastedPair{pair->second, pair->first});
        if (points.size() >= maxPairs) break;
    }
    return points;
}

bool CheckPastedRange(const CurveSet& curves, double volumeFactor,
                      const std::vector<PastedPair>& points) {
    if (points.empty()) return false;
    const double largestVolume = largestDrawnVolume(curves, volumeFactor);
    double maxVolume = points.front().volume, maxPH = points.front().pH;
    for (const PastedPair& p : points) {
        maxVolume = std::max(maxVolume, p.volume);
        maxPH = std::max(maxPH, p.pH);
    }
    return maxVolume > 1.01 * largestVolume || maxPH > 14;
}

void PlotPastedPoints(CurveSet& curves, double volumeFactor,
                      const std::vector<PastedPair>& points) {
    const double largestVolume = largestDrawnVolume(curves, volumeFactor);
    for (const PastedPair& p : points)
        if (withinChart(p, largestVolume))
            curves[7].push_back({p.volume * volumeFactor, p.pH});
}

bool volumesLookLikeMillilitres(const std::vector<PastedPair>& points) {
    return std::any_of(points.begin(), points.end(),
                       [](const PastedPair& p) { return p.volume > 1; });
}

} // namespace titralab
