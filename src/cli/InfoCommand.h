#pragma once

#include <iosfwd>
#include <string>

#include "FileInspection.h"

namespace embtool {

// embtool info FILE: anomalies are reported, not errors, so a readable file gives status 0.
int RunInfo(const std::u16string& path, std::ostream& out, std::ostream& err);

// The report's lines: count, size, then one line per anomaly or a line saying there is none.
void PrintInspection(const FileInspection& inspection, std::ostream& out);

}  // namespace embtool
