// Measured (volume, pH) pairs pasted from a spreadsheet: reading, checking and drawing them.
#pragma once

#include "core/base/Language.h"
#include "core/base/PastedPair.h"
#include "core/curves/Curves.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab {

constexpr int kMaxPastedPairs = 200;
// A line is read when, stripped of its leading and trailing blanks and control characters,
// it holds 3 to this many characters.
constexpr std::size_t kMaxPastedLineLength = 200;
// The most of a paste that is kept, bytes of UTF-8: far more than 200 pairs need.
constexpr std::size_t kMaxPastedTextBytes = 256 * 1024;

// The two numbers of one pasted line, in the order they stand; none when the line is no pair.
std::optional<std::pair<double, double>> ParsePairLine(std::string_view line);

// Splits clipboard text into lines (CR LF, LF or CR).
std::vector<std::string> SplitLines(std::string_view text);

// What a paste says: how many points were read, or that none was.
std::string pastedCountText(int count, Language language);

// Reads the pasted lines: unreadable lines among the first 20 are skipped, a later one ends
// the reading; at most `maxPairs` pairs are kept (the chart draws kMaxPastedPairs).
std::vector<PastedPair> ReadPastedPoints(const std::vector<std::string>& lines, bool volumeFirst,
                                         std::size_t maxPairs = kMaxPastedPairs);

// True when some pasted point lies beyond the chart: a volume above 1.01 times the largest
// drawn volume, or a pH above 14.
bool CheckPastedRange(const CurveSet& curves, double volumeFactor,
                      const std::vector<PastedPair>& points);

// Adds the points that lie within the chart to Series7.
void PlotPastedPoints(CurveSet& curves, double volumeFactor, const std::vector<PastedPair>& points);

// The unit of pasted volumes is a property of the points, decided from them alone when they
// are pasted or opened (never from the curve being drawn or fitted), shown, and changeable.
// Measured volumes are written in millilitres or litres: a titration never pours a litre of
// titrant, nor is read to the millilitre with all its volumes under 1 mL, so the volumes are
// millilitres when the largest of them exceeds 1, else litres.
bool volumesLookLikeMillilitres(const std::vector<PastedPair>& points);
} // namespace titralab
