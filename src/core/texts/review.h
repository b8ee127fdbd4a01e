#pragma once

#include <span>

#include "core/string_table.h"

// Texts of the chart review views: the scrolling chart review and the parameter scroll view. English under
// the odd identifier, Russian under the next one.
namespace lumo::txt {

// Chart review views: shared captions
inline constexpr int ReviewCharts = 2101;
inline constexpr int ReviewExitHint = 2103;

// Scrolling chart review
inline constexpr int ScrlResCaption = 2105;
inline constexpr int ScrlResPrintHint = 2107;
inline constexpr int ScrlResCalcPage = 2109;
inline constexpr int ScrlResEditPage = 2111;
inline constexpr int ScrlResSeconds = 2113;
inline constexpr int ScrlResSum = 2115;
inline constexpr int ScrlResGainHint = 2117;
inline constexpr int ScrlResPrintConfirm = 2119;
inline constexpr int ScrlResPreparing = 2121;

// Scrolling chart review: title block of the printout
inline constexpr int ScrlResPrintTitle = 2123;
inline constexpr int ScrlResPrintPolygram = 2125;
inline constexpr int ScrlResPrintExaminee = 2127;
inline constexpr int ScrlResPrintExaminer = 2129;
inline constexpr int ScrlResPrintMethod = 2131;
inline constexpr int ScrlResPrintStart = 2133;
inline constexpr int ScrlResPrintFinish = 2135;
inline constexpr int ScrlResPrintTime = 2137;
inline constexpr int ScrlResPrintReactions = 2139;
inline constexpr int ScrlResPrintDate = 2141;

// Parameter scroll view
inline constexpr int ScrlParCaption = 2151;
inline constexpr int ScrlParScale = 2153;
inline constexpr int ScrlParScaleHint = 2155;
inline constexpr int ScrlParAtAll = 2157;
inline constexpr int ScrlParStandard = 2159;

// Scrolling chart review: controls, messages and the print job
inline constexpr int ScrlResZoom = 2161;
inline constexpr int ScrlResZoomHint = 2163;
inline constexpr int ScrlResExclude = 2165;
inline constexpr int ScrlResExcludeHint = 2167;
inline constexpr int ScrlResChartArea = 2169;
inline constexpr int ScrlResChartAreaHint = 2171;
inline constexpr int ScrlResPosition = 2173;
inline constexpr int ScrlResQuestions = 2175;
inline constexpr int ScrlResHandScoreHint = 2177;
inline constexpr int ScrlResSaveFailed = 2179;
inline constexpr int ScrlResChartFailed = 2181;
inline constexpr int ScrlResPrintAbort = 2183;
inline constexpr int ScrlResPrintJob = 2185;


// Parameter scroll view: scales, controls and messages
inline constexpr int ScrlParX2 = 2301;
inline constexpr int ScrlParX4 = 2303;
inline constexpr int ScrlParX8 = 2305;
inline constexpr int ScrlParGrid = 2307;
inline constexpr int ScrlParGridHint = 2309;
inline constexpr int ScrlParUpper = 2311;
inline constexpr int ScrlParLower = 2313;
inline constexpr int ScrlParException = 2315;
inline constexpr int ScrlParCondition = 2317;
inline constexpr int ScrlParBadWeight = 2319;
inline constexpr int ScrlParReadProblems = 2321;
inline constexpr int ScrlParFewPoints = 2323;
inline constexpr int ScrlParShortTable = 2325;

// Scrolling chart review: the chart written as EDF+
inline constexpr int ScrlResExportEdf = 2327;
inline constexpr int ScrlResExportEdfHint = 2329;
inline constexpr int ScrlResExportCaption = 2331;
inline constexpr int ScrlResExportFilter = 2333;
inline constexpr int ScrlResExportExists = 2335;
inline constexpr int ScrlResExportDone = 2337;
inline constexpr int ScrlResExportFailed = 2339;


std::span<const core::TextPair> reviewTexts();

}  // namespace lumo::txt
