// A reader of CSV text for the tests: RFC 4180 records of fields, quoted
// fields with doubled quotes and line breaks inside, records ended by CR LF.
// It fails the running test on text a strict reader would not take.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavenko::testing {

inline std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (quoted) {
      if (ch != '"') {
        field += ch;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (ch == '"') {
      EXPECT_TRUE(field.empty()) << "a quote inside an unquoted field at " << i;
      quoted = true;
    } else if (ch == ',') {
      record.push_back(std::move(field));
      field.clear();
    } else if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      record.push_back(std::move(field));
      field.clear();
      records.push_back(std::move(record));
      record.clear();
      ++i;
    } else {
      EXPECT_NE(ch, '\n') << "a bare line feed outside quotes at " << i;
      field += ch;
    }
  }
  EXPECT_FALSE(quoted) << "an unclosed quote";
  EXPECT_TRUE(field.empty() && record.empty()) << "the last record has no line end";
  return records;
}

}  // namespace tavenko::testing
