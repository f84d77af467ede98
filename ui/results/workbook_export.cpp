// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/workbook_export.h"

#include "ui/results/zip_archive.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

namespace quibel {

namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelNs =
    "http://schemas.openxmlformats.org/package/2006/relationships";

// The longest number text a cell holds: the shortest text that reads back as the same double
// has at most 17 digits, a sign, a point and an exponent ("-2.2250738585072014e-308").
constexpr std::size_t kNumberRoom = 32;

/// text with the characters that XML reserves replaced by their entities and the control
/// characters that XML cannot hold left out.
std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t' || ch == '\n' || ch == '\r')
                out += ch;
        }
    }
    return out;
}

/// The letters of column (0-based): A ... Z, AA ... ZZ, AAA ...
std::string columnName(std::size_t column) {
    std::string name;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

/// The number format that shows decimals digits after the separator: "0.000" for 3.
std::string numberFormat(int decimals) {
    return decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
}

/// The titles and units, each text once; the cells refer to them by their index.
class SharedStrings final {
public:
    int indexOf(const std::string& text) {
        const auto [it, added] = mIndex.emplace(text, static_cast<int>(mTexts.size()));
        if (added)
            mTexts.push_back(text);
        ++mCount;
        return it->second;
    }

    std::string xml() const {
        std::string out = kXmlHead;
        out += "<sst xmlns=\"" + std::string(kMainNs) + "\" count=\"" + std::to_string(mCount) +
               "\" uniqueCount=\"" + std::to_string(mTexts.size()) + "\">";
        for (const std::string& t : mTexts) {
            const bool padded = !t.empty() && (t.front() == ' ' || t.back() == ' ');
            out += padded ? "<si><t xml:space=\"preserve\">" : "<si><t>";
            out += escaped(t);
            out += "</t></si>";
        }
        out += "</sst>";
        return out;
    }

private:
    std::map<std::string, int> mIndex;
    std::vector<std::string> mTexts;
    int mCount = 0;
};

/// The cell styles: the default one, then one number format per distinct decimals count.
struct Styles final {
    std::map<int, int> styleOfDecimals; // decimals -> index in cellXfs

    int styleFor(int decimals) {
        return styleOfDecimals.emplace(decimals, static_cast<int>(styleOfDecimals.size()) + 1)
            .first->second;
    }

    std::string xml() const {
        std::string formats, cells;
        for (const auto& [decimals, style] : styleOfDecimals) {
            const std::string id = std::to_string(163 + style); // custom formats start at 164
            formats +=
                "<numFmt numFmtId=\"" + id + "\" formatCode=\"" + numberFormat(decimals) + "\"/>";
            cells += "<xf numFmtId=\"" + id +
                     "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
                     "applyNumberFormat=\"1\"/>";
        }
        const std::string count = std::to_string(styleOfDecimals.size());
        std::string out = kXmlHead;
        out += "<styleSheet xmlns=\"" + std::string(kMainNs) + "\">";
        if (!styleOfDecimals.empty())
            out += "<numFmts count=\"" + count + "\">" + formats + "</numFmts>";
        out += "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/>"
               "<family val=\"2\"/></font></fonts>"
               "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
               "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
               "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
               "</borders>"
               "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
               "borderId=\"0\"/></cellStyleXfs>";
        out += "<cellXfs count=\"" + std::to_string(styleOfDecimals.size() + 1) +
               "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>" +
               cells + "</cellXfs>";
        out += "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
               "</cellStyles></styleSheet>";
        return out;
    }
};

std::string contentTypes() {
    const std::string type = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    std::string out = kXmlHead;
    out += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    out += "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + type + "sheet.main+xml\"/>";
    out += "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" + type +
           "worksheet+xml\"/>";
    out += "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + type + "styles+xml\"/>";
    out += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + type +
           "sharedStrings+xml\"/>";
    out += "<Override PartName=\"/docProps/core.xml\" "
           "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
           "<Override PartName=\"/docProps/app.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\""
           "/></Types>";
    return out;
}

std::string packageRelationships() {
    std::string out = kXmlHead;
    out += "<Relationships xmlns=\"" + std::string(kPackageRelNs) + "\">";
    out += "<Relationship Id=\"rId1\" Type=\"" + std::string(kRelNs) +
           "/officeDocument\" Target=\"xl/workbook.xml\"/>";
    out += "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
           "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>";
    out += "<Relationship Id=\"rId3\" Type=\"" + std::string(kRelNs) +
           "/extended-properties\" Target=\"docProps/app.xml\"/></Relationships>";
    return out;
}

std::string workbookXml() {
    std::string out = kXmlHead;
    out += "<workbook xmlns=\"" + std::string(kMainNs) + "\" xmlns:r=\"" + kRelNs +
           "\"><bookViews><workbookView/></bookViews><sheets>"
           "<sheet name=\"Results\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    return out;
}

std::string workbookRelationships() {
    std::string out = kXmlHead;
    out += "<Relationships xmlns=\"" + std::string(kPackageRelNs) + "\">";
    out += "<Relationship Id=\"rId1\" Type=\"" + std::string(kRelNs) +
           "/worksheet\" Target=\"worksheets/sheet1.xml\"/>";
    out += "<Relationship Id=\"rId2\" Type=\"" + std::string(kRelNs) +
           "/styles\" Target=\"styles.xml\"/>";
    out += "<Relationship Id=\"rId3\" Type=\"" + std::string(kRelNs) +
           "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
    return out;
}

std::string coreProperties() {
    char created[32] = "1980-01-01T00:00:00Z";
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    if (gmtime_r(&now, &utc))
        std::strftime(created, sizeof created, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string out = kXmlHead;
    out += "<cp:coreProperties "
           "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
           "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
           "xmlns:dcterms=\"http://purl.org/dc/terms/\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
           "<dc:creator>QUIBEL</dc:creator>"
           "<dcterms:created xsi:type=\"dcterms:W3CDTF\">";
    out += created;
    out += "</dcterms:created></cp:coreProperties>";
    return out;
}

std::string appProperties() {
    std::string out = kXmlHead;
    out += "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "extended-properties\"><Application>QUIBEL</Application></Properties>";
    return out;
}

char* put(char* p, std::string_view text) noexcept {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

/// The fixed texts of a column's cells, around the row number and the value.
struct CellParts final {
    std::string open;      // <c r="B
    std::string number;    // " s="2"><v>
    std::string notNumber; // " s="2" t="e"><v>#NUM!
};

/// Per column the shared strings of its title and unit (-1 when empty) and its cell style.
struct SheetIndexes final {
    std::vector<int> title, unit, style;
};

SheetIndexes indexGrid(const ResultGrid& grid, SharedStrings& strings, Styles& styles) {
    SheetIndexes out;
    for (const GridColumn& c : grid.columns) {
        out.title.push_back(c.title.empty() ? -1 : strings.indexOf(c.title));
        out.unit.push_back(c.unit.empty() ? -1 : strings.indexOf(c.unit));
        out.style.push_back(styles.styleFor(c.decimals));
    }
    return out;
}

/// The worksheet: its head, the title and unit rows as shared strings, then the data rows
/// streamed into the archive. Returns false when cancelled or failed (error set then).
bool writeSheet(ZipArchive& zip, const ResultGrid& grid, const SheetIndexes& indexes,
                const ExportProgress& progress, bool* cancelled) {
    const std::size_t columns = grid.columns.size();
    const int rows = grid.rows();
    std::vector<CellParts> parts(columns);
    std::vector<std::string> letters(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        letters[c] = columnName(c);
        const std::string style = std::to_string(indexes.style[c]);
        parts[c] = {"<c r=\"" + letters[c], "\" s=\"" + style + "\"><v>",
                    "\" s=\"" + style + "\" t=\"e\"><v>#NUM!"};
    }
    // The data rows: a row's text is at most this long.
    std::size_t rowRoom = 32;
    for (const CellParts& p : parts)
        rowRoom += p.open.size() + 16 + p.notNumber.size() + kNumberRoom + 8;
    if (rowRoom > ZipArchive::kMaxRoom)
        return false;
    // Only a sheet that may pass 4 GiB needs the large member format.
    const double bound = (static_cast<double>(rows) + 3) * static_cast<double>(rowRoom);
    if (!zip.beginMember("xl/worksheets/sheet1.xml", bound >= 4.0e9))
        return false;

    std::string head = kXmlHead;
    head += "<worksheet xmlns=\"" + std::string(kMainNs) + "\" xmlns:r=\"" + kRelNs + "\">";
    head += columns > 0
                ? "<dimension ref=\"A1:" + letters.back() + std::to_string(rows + 2) + "\"/>"
                : "<dimension ref=\"A1\"/>";
    head += "<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
            "<sheetFormatPr defaultRowHeight=\"15\"/>";
    if (columns > 0) {
        // Wide enough for the column's numbers: a sign, a few digits, the point and decimals.
        head += "<cols>";
        for (std::size_t c = 0; c < columns; ++c) {
            const int width = std::max(10, grid.columns[c].decimals + 6);
            const std::string n = std::to_string(c + 1);
            head += "<col min=\"" + n + "\" max=\"" + n + "\" width=\"" + std::to_string(width) +
                    "\" customWidth=\"1\"/>";
        }
        head += "</cols>";
    }
    head += "<sheetData>";
    // The title row, then the unit row (a column without unit has no cell there).
    for (int r = 0; r < 2 && columns > 0; ++r) {
        head += "<row r=\"" + std::to_string(r + 1) + "\">";
        for (std::size_t c = 0; c < columns; ++c) {
            const int text = r == 0 ? indexes.title[c] : indexes.unit[c];
            if (text < 0)
                continue;
            head += "<c r=\"" + letters[c] + std::to_string(r + 1) + "\" t=\"s\"><v>" +
                    std::to_string(text) + "</v></c>";
        }
        head += "</row>";
    }
    for (std::size_t at = 0; at < head.size(); at += ZipArchive::kMaxRoom) {
        const std::string_view piece = std::string_view(head).substr(at, ZipArchive::kMaxRoom);
        zip.commit(put(zip.room(piece.size()), piece));
    }

    constexpr int kProgressRows = 4096;
    const auto total = static_cast<std::size_t>(rows);
    for (int r = 0; r < rows; ++r) {
        if (r % kProgressRows == 0 && progress && !progress(static_cast<std::size_t>(r), total)) {
            *cancelled = true;
            return false;
        }
        char number[16];
        const auto rowEnd = std::to_chars(number, number + sizeof number, r + 3).ptr;
        const std::string_view rowText(number, static_cast<std::size_t>(rowEnd - number));
        char* p = zip.room(rowRoom);
        p = put(p, "<row r=\"");
        p = put(p, rowText);
        p = put(p, "\">");
        const auto index = static_cast<std::size_t>(r);
        for (std::size_t c = 0; c < columns; ++c) {
            const CellParts& cell = parts[c];
            const double value = grid.columns[c].values[index];
            p = put(p, cell.open);
            p = put(p, rowText);
            // -0 is written 0, and a value that is no number, which a number cell cannot hold,
            // becomes the error #NUM!.
            if (!std::isfinite(value)) {
                p = put(p, cell.notNumber);
            } else {
                p = put(p, cell.number);
                if (value == 0.0)
                    *p++ = '0';
                else
                    p = std::to_chars(p, p + kNumberRoom, value).ptr;
            }
            p = put(p, "</v></c>");
        }
        p = put(p, "</row>");
        zip.commit(p);
    }
    static constexpr std::string_view kTail = "</sheetData></worksheet>";
    zip.commit(put(zip.room(kTail.size()), kTail));
    return zip.endMember();
}

} // namespace

bool WriteGridWorkbook(const ResultGrid& grid, const std::string& path, std::string* error,
                       const ExportProgress& progress) {
    auto fail = [error](std::string reason) {
        if (error)
            *error = std::move(reason);
        return false;
    };
    if (grid.rows() + 2 > kWorkbookMaxRows)
        return fail("the results have more rows than a worksheet holds");

    // The workbook is built beside its target and takes its name only when complete.
    const std::string part = path + ".part";
    bool cancelled = false;
    bool created = false; // a file that was there and could not be opened is not ours to remove
    std::string reason;
    {
        ZipArchive zip(part);
        created = zip.ok();
        SharedStrings strings;
        Styles styles;
        const SheetIndexes indexes = indexGrid(grid, strings, styles);
        // The small parts first, the worksheet streamed last.
        const bool written = zip.ok() && zip.addMember("[Content_Types].xml", contentTypes()) &&
                             zip.addMember("_rels/.rels", packageRelationships()) &&
                             zip.addMember("docProps/app.xml", appProperties()) &&
                             zip.addMember("docProps/core.xml", coreProperties()) &&
                             zip.addMember("xl/workbook.xml", workbookXml()) &&
                             zip.addMember("xl/_rels/workbook.xml.rels", workbookRelationships()) &&
                             zip.addMember("xl/styles.xml", styles.xml()) &&
                             zip.addMember("xl/sharedStrings.xml", strings.xml()) &&
                             writeSheet(zip, grid, indexes, progress, &cancelled) && zip.close();
        if (!written && !cancelled)
            reason = zip.error().empty() ? std::string("cannot write the workbook") : zip.error();
    }
    std::error_code ignore;
    if (cancelled || !reason.empty()) {
        if (created)
            std::filesystem::remove(part, ignore);
        return fail(cancelled ? std::string() : reason);
    }
    std::error_code ec;
    std::filesystem::rename(part, path, ec);
    if (ec) {
        std::filesystem::remove(part, ignore);
        return fail(ec.message());
    }
    return true;
}

} // namespace quibel
