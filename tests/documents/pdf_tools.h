// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading back the PDF files the tests write, with the poppler tools.

#include <QString>
#include <QStringList>

#include <string>

namespace quibel::test {

/// What a program wrote on its standard output, and its exit code.
struct ToolOutput final {
    int code = -1;
    std::string out;
};

/// Runs program with arguments, with no display in its environment when headless.
ToolOutput runTool(const QString& program, const QStringList& arguments, bool headless = false);

/// The text of a PDF (pdftotext, pages separated by form feeds).
std::string pdfText(const std::string& path);

/// Number of occurrences of needle in haystack.
int occurrences(const std::string& haystack, const std::string& needle);

} // namespace quibel::test
