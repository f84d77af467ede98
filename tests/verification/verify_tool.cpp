// SPDX-License-Identifier: GPL-3.0-or-later
// quibel-verify: the side of scripts/verify.sh that is not the program itself.
//
//   quibel-verify projects DIR            writes the project of every run of the manual into
//                                         DIR and the list of runs, DIR/runs.txt
//   quibel-verify report DIR OUT          reads what quibel-cli wrote into DIR, compares it
//                                         with the independent solutions and writes the
//                                         tables (OUT/*.md) and plots (OUT/*.plot); exit 1
//                                         when a comparison is out of its tolerance
//   quibel-verify splice MANUAL OUT [--check]
//                                         puts the tables of OUT between the markers
//                                         "<!-- table:ID -->" and "<!-- /table -->" of MANUAL;
//                                         with --check changes nothing and exits 1 when the
//                                         manual's tables differ
#include "model/project_file.h"
#include "numeric/error.h"
#include "plot_file.h"
#include "result_files.h"
#include "texts/text_catalogue.h"
#include "verification_cases.h"
#include "verification_tolerances.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

using namespace quibel;
using namespace quibel::verification;
namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string PeriodText(const std::vector<PeriodSet>& sets) {
    std::string out;
    for (const PeriodSet& s : sets)
        out += (out.empty() ? "" : ",") + DecimalText(s.Start) + ":" + DecimalText(s.End) + ":" +
               DecimalText(s.Increment);
    return out;
}

int Projects(const fs::path& dir) {
    fs::create_directories(dir);
    std::string list;
    for (const VerificationCase& c : AllCases()) {
        const CaseRuns runs = c.runs(Scope::Manual);
        for (const AnalysisRequest& a : runs.analyses) {
            WriteToFile(a.model, (dir / ProjectFile(a.name)).string());
            list += "analysis " + a.name + "\n";
        }
        for (const SpectrumRequest& s : runs.spectra) {
            WriteToFile(s.model, (dir / ProjectFile(s.name)).string());
            for (double ratio : s.ratios)
                list += "spectrum " + s.name + " " + PeriodText(s.periods) + " " +
                        DecimalText(s.damping.Start) + ":" + DecimalText(s.damping.End) + ":" +
                        DecimalText(s.damping.Increment) + " " + DecimalText(ratio) + "\n";
        }
    }
    WriteText(dir / "runs.txt", list);
    return 0;
}

int Report(const fs::path& dir, const fs::path& out) {
    fs::create_directories(out);
    std::string summary = "| problem | comparisons | largest difference / tolerance | result |\n"
                          "|---|---|---|---|\n";
    int failed = 0;
    for (const VerificationCase& c : AllCases()) {
        const CaseRuns runs = c.runs(Scope::Manual);
        RunResults results;
        for (const AnalysisRequest& a : runs.analyses) {
            const fs::path file = dir / GridFile(a.name);
            results.grids[a.name] = ReadGridCsv(ReadTextFile(file.string()), file.string());
        }
        for (const SpectrumRequest& s : runs.spectra)
            for (double ratio : s.ratios) {
                const fs::path file = dir / SpectrumFile(s.name, ratio);
                results.spectra[{s.name, ratio}] =
                    ReadSpectrumText(ReadTextFile(file.string()), file.string());
            }
        const CaseReport report = c.evaluate(results, Scope::Manual);
        for (const Table& t : report.tables)
            WriteText(out / (t.id + ".md"), t.markdown());
        for (const Plot& p : report.plots)
            WriteText(out / (p.file + ".plot"), PlotToText(p));
        double worst = 0.0;
        bool ok = true;
        for (const Check& k : report.checks) {
            const double ratio = k.tolerance > 0.0    ? k.difference / k.tolerance
                                 : k.difference > 0.0 ? INFINITY
                                                      : 0.0;
            worst = std::max(worst, ratio);
            if (!k.passed()) {
                ok = false;
                std::cerr << c.id << ": " << k.name << ": difference " << k.difference
                          << " above the tolerance " << k.tolerance << "\n";
            }
        }
        failed += ok ? 0 : 1;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.3f", worst);
        summary += "| " + c.id + " | " + std::to_string(report.checks.size()) + " | " + buf +
                   " | " + (ok ? "within tolerance" : "**out of tolerance**") + " |\n";
        std::cout << c.id << ": " << report.checks.size() << " comparisons, "
                  << (ok ? "all within tolerance" : "SOME OUT OF TOLERANCE") << "\n";
    }
    WriteText(out / "summary.md", summary);
    Table tolerances{"tolerances", {"comparison", "tolerance", "unit"}, {}};
    for (const StatedTolerance& t : kStatedTolerances)
        tolerances.rows.push_back({t.comparison, Significant(t.value, 2), t.unit});
    WriteText(out / "tolerances.md", tolerances.markdown());
    return failed == 0 ? 0 : 1;
}

// Replaces the body of every marked table of the manual with OUT/ID.md.
int Splice(const fs::path& manualPath, const fs::path& out, bool check) {
    const std::string manual = ReadTextFile(manualPath.string());
    std::string result;
    std::string::size_type pos = 0;
    const std::string open = "<!-- table:", close = "<!-- /table -->";
    int tables = 0;
    for (;;) {
        const auto start = manual.find(open, pos);
        if (start == std::string::npos)
            break;
        const auto idEnd = manual.find(" -->", start);
        const auto stop = manual.find(close, idEnd);
        if (idEnd == std::string::npos || stop == std::string::npos)
            throw std::runtime_error(manualPath.string() + ": a table marker is not closed");
        const std::string id = manual.substr(start + open.size(), idEnd - start - open.size());
        const fs::path table = out / (id + ".md");
        result += manual.substr(pos, idEnd + 4 - pos) + "\n" + ReadTextFile(table.string());
        result += close;
        pos = stop + close.size();
        ++tables;
    }
    result += manual.substr(pos);
    if (check) {
        if (result != manual) {
            std::cerr << manualPath.string()
                      << ": the tables differ from those the program gives now\n";
            return 1;
        }
        std::cout << tables << " tables of " << manualPath.string() << " are up to date\n";
        return 0;
    }
    if (result != manual)
        WriteText(manualPath, result);
    std::cout << tables << " tables written into " << manualPath.string() << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 2 && args[0] == "projects")
            return Projects(args[1]);
        if (args.size() == 3 && args[0] == "report")
            return Report(args[1], args[2]);
        if ((args.size() == 3 || (args.size() == 4 && args[3] == "--check")) && args[0] == "splice")
            return Splice(args[1], args[2], args.size() == 4);
    } catch (const Error& e) {
        std::cerr << "error: " << render(Language::English, e.message()) << "\n";
        return 3;
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\n";
        return 3;
    }
    std::cerr << "usage: quibel-verify projects DIR | report DIR OUT | splice MANUAL OUT "
                 "[--check]\n";
    return 1;
}
