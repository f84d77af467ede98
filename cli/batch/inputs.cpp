// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/inputs.h"

#include "model/project_file.h"
#include "numeric/error.h"
#include "signals/earthquake_database.h"
#include "signals/history_text_import.h"
#include "signals/records/record_file.h"
#include "signals/records/record_samples.h"
#include "signals/xls_workbook.h"

#include <filesystem>

namespace quibel::cli {

// An opened workbook with its tree in both languages, so that a worksheet can be named by
// either title.
struct BatchInputs::Workbook {
    std::unique_ptr<XlsWorkbook> book;
    DatabaseCatalogue english;
    DatabaseCatalogue french;
};

namespace {

// What was read, or the reason it could not be, rethrown for every case that asks again.
template <class T, class Load>
std::shared_ptr<const T> loadOnce(std::variant<std::shared_ptr<const T>, Message>& slot, bool fresh,
                                  const std::string& path, Load load) {
    if (fresh) {
        try {
            slot = std::shared_ptr<const T>(load());
        } catch (const Error& e) {
            slot = e.message();
        }
    }
    if (const Message* failure = std::get_if<Message>(&slot))
        throw BatchFileError(path, *failure);
    return std::get<std::shared_ptr<const T>>(slot);
}

// Titles are held to 255 bytes in the project file; a cut never splits a UTF-8 character.
std::string titleOf(std::string title) {
    constexpr std::size_t kMax = 255;
    if (title.size() <= kMax)
        return title;
    std::size_t end = kMax;
    while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80)
        --end;
    title.resize(end);
    return title;
}

// The worksheet titles of a tree, in sheet order: every worksheet has its node, followed by
// the nodes of its records.
std::vector<std::string> sheetTitles(const DatabaseCatalogue& tree) {
    std::vector<std::string> titles;
    for (const DatabaseNode& n : tree.Nodes)
        if (!n.isRecord())
            titles.push_back(n.Text);
    return titles;
}

// A record file as the time-history dialog loads it: its first component, titled from its
// header.
std::shared_ptr<const LoadedRecord> readRecordFile(const RecordSource& source) {
    const RecordData data = ReadRecordFile(source.path, {source.timeStep}, source.reader);
    return std::make_shared<LoadedRecord>(
        LoadedRecord{RecordSamples(data.Components.front()), titleOf(RecordTitle(data, 0))});
}

} // namespace

BatchInputs::BatchInputs() = default;
BatchInputs::~BatchInputs() = default;

std::shared_ptr<const TBlocStatic> BatchInputs::project(const std::string& path) {
    const std::lock_guard lock(mMutex);
    const auto [it, fresh] = mProjects.try_emplace(path, Message());
    return loadOnce(it->second, fresh, path, [&] {
        auto model = std::make_shared<TBlocStatic>(startupModel());
        ReadFromFile(*model, path);
        model->FileName = path;
        return model;
    });
}

std::shared_ptr<const LoadedRecord> BatchInputs::record(const RecordSource& source) {
    if (source.kind == RecordSource::Kind::Database)
        return databaseRecord(source);
    const std::lock_guard lock(mMutex);
    const bool reader = source.kind == RecordSource::Kind::RecordFile;
    const bool stepped = reader || source.format == HistoryFileFormat::AmplitudesOnly;
    const auto key = std::make_tuple(
        source.path, reader ? source.reader : std::to_string(static_cast<int>(source.format)),
        stepped ? source.timeStep : 0.0);
    const auto [it, fresh] = mTextRecords.try_emplace(key, Message());
    return loadOnce(it->second, fresh, source.path, [&]() -> std::shared_ptr<const LoadedRecord> {
        if (reader)
            return readRecordFile(source);
        return std::make_shared<LoadedRecord>(
            LoadedRecord{ImportHistoryFile(source.path, source.format, source.timeStep),
                         titleOf(std::filesystem::path(source.path).filename().string())});
    });
}

std::shared_ptr<const LoadedRecord> BatchInputs::databaseRecord(const RecordSource& source) {
    const std::lock_guard lock(mMutex);
    const auto key = std::make_tuple(source.path, source.sheet, source.record);
    const auto [it, fresh] = mDatabaseRecords.try_emplace(key, Message());
    return loadOnce(it->second, fresh, source.path, [&] {
        const auto [bookIt, freshBook] = mWorkbooks.try_emplace(source.path, Message());
        if (freshBook) {
            try {
                auto w = std::make_shared<Workbook>();
                w->book = XlsWorkbook::open(source.path);
                w->english = ReadDatabaseCatalogue(*w->book, Language::English);
                w->french = ReadDatabaseCatalogue(*w->book, Language::French);
                bookIt->second = std::move(w);
            } catch (const Error& e) {
                bookIt->second = e.message();
            }
        }
        if (const Message* failure = std::get_if<Message>(&bookIt->second))
            throw Error(*failure);
        const Workbook& w = *std::get<std::shared_ptr<Workbook>>(bookIt->second);

        const std::vector<std::string> english = sheetTitles(w.english);
        const std::vector<std::string> french = sheetTitles(w.french);
        int sheet = 0;
        for (std::size_t j = 0; j < english.size() && sheet == 0; ++j) {
            const int number = static_cast<int>(j + 1);
            if (source.sheet == english[j] || (j < french.size() && source.sheet == french[j]) ||
                source.sheet == w.book->sheetName(number))
                sheet = number;
        }
        if (sheet == 0)
            throw Error(Message("cli.batch.no_sheet", {source.sheet, source.path}));
        for (const DatabaseNode& n : w.english.Nodes)
            if (n.isRecord() && n.Sheet == sheet && n.Text == source.record)
                return std::make_shared<LoadedRecord>(
                    LoadedRecord{ReadDatabaseRecord(*w.book, sheet, n.Record), n.Text});
        throw Error(Message("cli.batch.no_record", {source.record, source.sheet, source.path}));
    });
}

} // namespace quibel::cli
