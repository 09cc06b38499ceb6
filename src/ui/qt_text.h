#pragma once
// The one place where the program's Windows-1252 bytes become QString and back.

#include <QString>
#include <string>
#include <string_view>

namespace qlr {

QString ToQString(std::string_view cp1252);
std::string FromQString(const QString& text);  // characters without a Windows-1252 form become "?"

}  // namespace qlr
