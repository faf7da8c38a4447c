#pragma once

namespace controls {
class ReportControls;
}

namespace reports {

// "Page n of m" in the middle of a page footer, at the same place in every printed report.
void addPageOfPages(controls::ReportControls &footer);

} // namespace reports
