// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/csv.h"

#include "numeric/error.h"

#include <algorithm>

namespace quibel::cli {

namespace {

class CsvReader {
public:
    explicit CsvReader(std::string_view text) : mText(text) {
        if (mText.starts_with("\xEF\xBB\xBF"))
            mPos = 3;
    }

    // Skips blank and comment lines; false at the end of the text.
    bool nextRecord() {
        while (mPos < mText.size()) {
            std::size_t p = mPos;
            while (p < mText.size() && isBlank(mText[p]))
                ++p;
            if (p < mText.size() && mText[p] != '\n' && mText[p] != '#')
                return true;
            const std::size_t end = mText.find('\n', p);
            mPos = end == std::string_view::npos ? mText.size() : end + 1;
            ++mLine;
        }
        return false;
    }

    // The separator of the line that starts here: the first ';' or tab outside quotes wins.
    char findSeparator() const {
        bool quoted = false;
        bool tab = false;
        for (std::size_t p = mPos; p < mText.size(); ++p) {
            const char c = mText[p];
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && c == '\n')
                break;
            else if (!quoted && c == ';')
                return ';';
            else if (!quoted && c == '\t')
                tab = true;
        }
        return tab ? '\t' : ',';
    }

    CsvRow readRecord() {
        CsvRow row;
        row.line = mLine;
        while (true) {
            row.cells.push_back(readCell());
            if (mPos >= mText.size())
                break;
            const char c = mText[mPos++];
            if (c == '\n') {
                ++mLine;
                break;
            }
            // c is the separator: another cell follows.
        }
        return row;
    }

    char separator = ';';

private:
    bool isBlank(char c) const { return c == ' ' || c == '\r' || (c == '\t' && separator != '\t'); }

    std::string readCell() {
        while (mPos < mText.size() && isBlank(mText[mPos]))
            ++mPos;
        std::string cell;
        if (mPos < mText.size() && mText[mPos] == '"') {
            const int startLine = mLine;
            ++mPos;
            while (true) {
                if (mPos >= mText.size())
                    throw Error(Message("cli.batch.unclosed_quote", {std::to_string(startLine)}));
                const char c = mText[mPos++];
                if (c == '"') {
                    if (mPos < mText.size() && mText[mPos] == '"') {
                        cell += '"';
                        ++mPos;
                        continue;
                    }
                    break;
                }
                if (c == '\n')
                    ++mLine;
                cell += c;
            }
            // Whatever follows the closing quote up to the separator belongs to the cell, as
            // spreadsheets read it; blanks there are dropped.
            std::string rest = readPlain();
            cell += rest;
            return cell;
        }
        return readPlain();
    }

    std::string readPlain() {
        const std::size_t start = mPos;
        while (mPos < mText.size() && mText[mPos] != separator && mText[mPos] != '\n')
            ++mPos;
        std::size_t end = mPos;
        while (end > start && isBlank(mText[end - 1]))
            --end;
        std::size_t begin = start;
        while (begin < end && isBlank(mText[begin]))
            ++begin;
        return std::string(mText.substr(begin, end - begin));
    }

    std::string_view mText;
    std::size_t mPos = 0;
    int mLine = 1;
};

bool allEmpty(const CsvRow& row) {
    return std::all_of(row.cells.begin(), row.cells.end(),
                       [](const std::string& c) { return c.empty(); });
}

} // namespace

CsvTable ParseCsv(std::string_view text) {
    CsvTable table;
    CsvReader reader(text);
    bool haveHeader = false;
    while (reader.nextRecord()) {
        if (!haveHeader) {
            reader.separator = reader.findSeparator();
            table.separator = reader.separator;
        }
        CsvRow row = reader.readRecord();
        // A line of separators only is an empty row of a spreadsheet.
        if (allEmpty(row))
            continue;
        if (!haveHeader) {
            table.header = std::move(row);
            haveHeader = true;
        } else {
            table.rows.push_back(std::move(row));
        }
    }
    return table;
}

bool SameColumnName(std::string_view a, std::string_view b) noexcept {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::string CsvLine(const std::vector<std::string>& cells, char separator) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += separator;
        const std::string& c = cells[i];
        const bool quote =
            c.find_first_of(std::string{separator, '"', '\n', '\r'}) != std::string::npos ||
            (!c.empty() && (c.front() == ' ' || c.back() == ' ' || c.front() == '\t' ||
                            c.back() == '\t' || (i == 0 && c.front() == '#')));
        if (!quote) {
            line += c;
            continue;
        }
        line += '"';
        for (char ch : c) {
            if (ch == '"')
                line += '"';
            line += ch;
        }
        line += '"';
    }
    line += '\n';
    return line;
}

} // namespace quibel::cli
