// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/study/journal.h"

#include "cli/atomic_text_file.h"
#include "numeric/error.h"

#include <cerrno>
#include <sstream>
#include <system_error>

namespace quibel::cli {

namespace fs = std::filesystem;

namespace {

std::string completeLines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    // The rows hold no line break of their own (messages are on one line).
    text.resize(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    return text;
}

} // namespace

StudyJournal ReadStudyJournals(const fs::path& dir, const std::string& header) {
    StudyJournal journal;
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return journal;
    std::set<fs::path> paths;
    for (const fs::directory_entry& e : fs::directory_iterator(dir, ec))
        if (e.path().extension() == ".csv")
            paths.insert(e.path());
    for (const fs::path& path : paths) {
        std::string text = completeLines(path);
        if (text.empty())
            continue;
        if (text.compare(0, header.size(), header) != 0)
            throw Error(Message("study.other_study", {path.string()}));
        // A journal without rows tells the merge nothing (and no count of cases).
        if (text.size() == header.size())
            continue;
        for (std::size_t start = header.size(); start < text.size();) {
            const std::size_t end = text.find('\n', start);
            const std::string line = text.substr(start, end - start);
            // case;row;case_index;...: the index is the third cell (names hold no ";").
            const std::size_t a = line.find(';');
            const std::size_t b = a == std::string::npos ? a : line.find(';', a + 1);
            const std::size_t c = b == std::string::npos ? b : line.find(';', b + 1);
            if (c != std::string::npos)
                journal.done.insert(std::atoi(line.substr(b + 1, c - b - 1).c_str()));
            start = end + 1;
        }
        journal.files.push_back({path.string(), std::move(text)});
    }
    return journal;
}

std::optional<std::string> JournalWriter::open(const fs::path& path, const std::string& header) {
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    const std::string kept = exists ? completeLines(path) : header;
    // Rewriting cuts a partial line an interrupted run left at the end.
    if (std::optional<std::string> failure =
            WriteTextAtomically(path.string(), kept.empty() ? header : kept))
        return failure;
    mOut.open(path, std::ios::binary | std::ios::app);
    if (!mOut)
        return std::generic_category().message(errno);
    return std::nullopt;
}

void JournalWriter::append(const std::string& line) {
    mOut << line << std::flush;
}

} // namespace quibel::cli
