// A UTF-8 text of titles, headings, bulleted and numbered lines and paragraphs as an RTF
// document on A4 paper in Chinese fonts, which Word, WPS and LibreOffice open (also under a
// .doc name). Line kinds:
//   "# text" title, "## text" heading, "- text" bullet, "1. text" numbered step, else paragraph;
//   blank lines separate nothing and are dropped.
#pragma once

#include <string>

namespace vx::tools {

std::string rtfDocument(const std::string& utf8Text);

}  // namespace vx::tools
