#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vantrels {

// Report texts are Windows-1252 bytes; these convert at the border to Qt.
QString FromReportBytes(std::string_view bytes);
// Characters outside Windows-1252 become '?'.
std::string ToReportBytes(const QString& text);

}  // namespace vantrels
