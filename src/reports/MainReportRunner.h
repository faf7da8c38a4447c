#pragma once

// The material report started from the material and chart windows (material/ReportCalls.h).

#include "material/ReportCalls.h"

namespace reportcalls {

// The one runner over the material report's default instance.
Runner &mainReportRunner();

} // namespace reportcalls
