#include "base/field.h"

namespace qlr {
namespace {

// Index of the quote that closes a quoted field opened at `open`, passing over
// doubled quotes; npos when the field is never closed.
size_t ClosingQuote(std::string_view line, size_t open, char quote) {
  for (size_t i = open + 1; i < line.size(); ++i) {
    if (line[i] != quote) continue;
    if (i + 1 < line.size() && line[i + 1] == quote) {
      ++i;
      continue;
    }
    return i;
  }
  return std::string_view::npos;
}

// Position of the delimiter that ends the field beginning at pos; npos when
// the field runs to the end of the line.
size_t FieldEnd(std::string_view line, size_t pos, char quote, char delimiter) {
  size_t from = pos;
  if (pos < line.size() && line[pos] == quote) {
    size_t close = ClosingQuote(line, pos, quote);
    if (close == std::string_view::npos) return std::string_view::npos;
    from = close + 1;
  }
  return line.find(delimiter, from);
}

// Start of the field after the one that begins at pos.
size_t SkipField(std::string_view line, size_t pos, char quote, char delimiter) {
  size_t d = FieldEnd(line, pos, quote, delimiter);
  return d == std::string_view::npos ? line.size() : d + 1;
}

std::string QuotedField(std::string_view line, size_t pos, char quote) {
  std::string field;
  for (size_t i = pos + 1; i < line.size(); ++i) {
    if (line[i] != quote) {
      field += line[i];
    } else if (i + 1 < line.size() && line[i + 1] == quote) {
      field += quote;
      ++i;
    } else {
      break;
    }
  }
  return field;
}

}  // namespace

std::string GetField(std::string_view line, int n, char quote, char delimiter) {
  size_t pos = 0;
  for (int i = 1; i < n; ++i) {
    if (pos >= line.size()) return {};
    pos = SkipField(line, pos, quote, delimiter);
  }
  if (pos >= line.size()) return {};
  if (line[pos] == quote) return QuotedField(line, pos, quote);
  size_t d = line.find(delimiter, pos);
  return std::string(line.substr(pos, d == std::string_view::npos ? line.npos : d - pos));
}

std::vector<std::string> GetFields(std::string_view line, char quote, char delimiter) {
  std::vector<std::string> fields;
  for (size_t pos = 0;;) {
    if (pos < line.size() && line[pos] == quote) {
      fields.push_back(QuotedField(line, pos, quote));
    } else {
      size_t d = line.find(delimiter, pos);
      fields.emplace_back(line.substr(pos, d == std::string_view::npos ? line.npos : d - pos));
    }
    size_t end = FieldEnd(line, pos, quote, delimiter);
    if (end == std::string_view::npos) return fields;
    pos = end + 1;
  }
}

std::string DoubleQuotes(std::string_view text) {
  std::string r;
  r.reserve(text.size());
  for (char c : text) {
    r += c;
    if (c == '"') r += '"';
  }
  return r;
}

std::string QuoteText(std::string_view text) {
  std::string r = "\"";
  r.append(text);
  r += '"';
  return r;
}

}  // namespace qlr
