#pragma once
// Control identifiers of the main window and the resolution picker. They are stable so that
// automation (and the Windows tests) can find every control by id.

namespace ctl {

// Main window frame.
constexpr int Image2 = 1001;  // Exit
constexpr int Image3 = 1002;  // Minimize
constexpr int BenchButton = 1003;

// Group bar: group headers and their items.
constexpr int RzGroupBar1 = 1010;
constexpr int RzGroup1 = 1011;  // "Options"
constexpr int RzGroup3 = 1012;  // "Help"
constexpr int RzGroup1Items0 = 1020;  // "Paths & information"
constexpr int RzGroup1Items1 = 1021;  // "Resolution"
constexpr int RzGroup1Items2 = 1022;  // "Demos & Quality"
constexpr int RzGroup1Items3 = 1023;  // "Filters"
constexpr int RzGroup3Items0 = 1030;  // "Benchmark help"
constexpr int RzGroup3Items2 = 1032;  // "Update benchmark"
constexpr int RzGroup3Items3 = 1033;  // "About..."
constexpr int RzGroup3Items4 = 1034;  // "Homepage"

// Page area and its six pages (page n has id PageBase + n).
constexpr int PageControl = 1100;
constexpr int PageBase = 1101;

// Page 0: paths and information.
constexpr int PreyPathEdit = 1200;
constexpr int RzToolButton2 = 1201;
constexpr int ResEdit = 1202;
constexpr int RzToolButton1 = 1203;
constexpr int OpenResFolder = 1204;
constexpr int NoteEdit = 1205;

// Page 1: resolution. The nine items of `res` are ResItemBase + table index.
constexpr int res = 1300;
constexpr int ResItemBase = 1301;
constexpr int cusresbox = 1310;
constexpr int CusWidth = 1311;
constexpr int CusHeight = 1312;
constexpr int CusPossibilities = 1313;
constexpr int AspectBox = 1320;
constexpr int AspectItemBase = 1321;

// Page 2: demos and quality.
constexpr int demo = 1400;
constexpr int DemoItemBase = 1401;
constexpr int DemoEdit = 1404;
constexpr int DemoEditButton = 1405;
constexpr int ShaderModeBox = 1410;
constexpr int ShaderItemBase = 1411;

// Page 3: proxy and update.
constexpr int ProxyGroup = 1500;
constexpr int ProxyServerEdit = 1501;
constexpr int ProxyPortEdit = 1502;
constexpr int ProxyUsernameEdit = 1503;
constexpr int ProxyPassEdit = 1504;
constexpr int UseProxyBox = 1505;
constexpr int RzToolButton3 = 1506;

// Page 4: about.
constexpr int Image5 = 1600;
constexpr int Label6 = 1601;
constexpr int AboutMemo = 1602;

// Page 5: filters.
constexpr int FiltersGroup = 1700;
constexpr int AFBox = 1701;
constexpr int AABox = 1702;
constexpr int BoostGroup = 1703;
constexpr int BoostCheckBox = 1704;
constexpr int BoostNotice = 1705;

// Progress panel.
constexpr int Panel1 = 1800;
constexpr int Label3 = 1801;
constexpr int Label2 = 1802;

// PopupMenu1 commands.
constexpr int Newbatch1 = 1901;
constexpr int Viewbatch1 = 1902;
constexpr int Savebatch1 = 1903;
constexpr int Addsettings1 = 1904;

// Resolution picker.
constexpr int PickerClose = 2001;  // the picker's RzToolButton1
constexpr int RzCheckList1 = 2002;
constexpr int RzButton1 = 2003;

// Labels without events.
constexpr int StaticLabel = 2100;

// Demos & Quality page: the time limit of one game run, in minutes.
constexpr int TimeLimitGroup = 2310;
constexpr int TimeLimitEdit = 2311;
constexpr int TimeLimitSpin = 2312;
// Page 2: the runs per resolution and the warm-up run.
constexpr int RunsGroup = 1440;
constexpr int RepeatsBox = 1441;
constexpr int WarmUpCheckBox = 1442;
// Page 0: the batch list writes its lines with /QUIET.
constexpr int BatchQuietCheckBox = 1443;
// Demos & Quality page: the High performance power plan during a pass.
constexpr int HighPerfCheckBox = 1444;
// Demos & Quality page: every frame's time recorded.
constexpr int FrameTimesCheckBox = 1445;
// Page 6: results, the passes found in the results folder.
constexpr int RzGroup1Items4 = 2200;  // "Results"
constexpr int ResultsLabel = 2201;
constexpr int ResultsList = 2202;
constexpr int ResultsCompare = 2203;
constexpr int ResultsOpenFolder = 2204;
constexpr int ResultsWindowOpen = 2205;  // "Open in window"
// The results window: the same list with a computer column and a filter.
constexpr int ResultsFilterLabel = 2210;
constexpr int ResultsFilter = 2211;
constexpr int ResultsWindowLabel = 2212;
constexpr int ResultsWindowList = 2213;
constexpr int ResultsWindowCompare = 2214;
constexpr int ResultsWindowOpenReport = 2215;
constexpr int ResultsWindowOpenFolder = 2216;
// Progress panel: the time the current run has taken so far.
constexpr int ElapsedLabel = 2320;
// Progress panel: ends the interactive pass under way.
constexpr int ProgressCancel = 2400;

}  // namespace ctl
