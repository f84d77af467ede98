// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/project_file.h"

#include "model/byte_stream.h"
#include "model/cp1252.h"
#include "model/record_fields.h"
#include "numeric/error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace quibel {

namespace {

void writeTerm(ByteWriter& w, const GeneratorTerm& t) {
    w.u8(static_cast<std::uint8_t>(t.Shape));
    w.zeros(7);
    w.f64(t.Amplitude);
    w.f64(t.Period);
    w.f64(t.Phase);
    w.f64(t.StartTime);
    w.f64(t.EndTime);
    w.u8(t.Active);
    w.zeros(7);
}

void writeHistory(ByteWriter& w, const TimeHistoryRecord& h) {
    w.u8(static_cast<std::uint8_t>(h.Source));
    const std::string title = utf8ToCp1252(h.Title, 255);
    w.u8(static_cast<std::uint8_t>(title.size()));
    w.bytes(title.data(), title.size());
    w.zeros(255 - title.size());
    for (const GeneratorTerm& t : h.Terms)
        writeTerm(w, t);
    w.f64(h.Scale);
    w.f64(h.Offset);
    w.u8(static_cast<std::uint8_t>(h.Correction));
    w.f64(h.Duration);
    w.f64(h.PosX);
    w.f64(h.PosY);
    if (h.Source == HistorySource::Sampled) {
        const int n = h.Times ? h.Times->size() : 0;
        w.i32(n);
        for (int i = 1; i <= n; ++i) {
            w.f64(h.Times->get(i));
            w.f64(h.Values ? h.Values->get(i) : 0.0);
        }
    }
}

[[noreturn]] void damaged() {
    throw Error("file.unable_to_read");
}

void need(bool ok) {
    if (!ok)
        damaged();
}

void readTerm(ByteReader& r, GeneratorTerm& t) {
    std::uint8_t shape = 0;
    need(r.u8(shape));
    t.Shape = static_cast<TermShape>(shape);
    need(r.skip(7));
    need(r.f64(t.Amplitude));
    need(r.f64(t.Period));
    need(r.f64(t.Phase));
    need(r.f64(t.StartTime));
    need(r.f64(t.EndTime));
    need(r.u8(t.Active));
    need(r.skip(7));
}

/// A count read from the file, checked against the bytes that are left, so that a damaged
/// count can never make the reader allocate more than the file could hold.
int readCount(ByteReader& r, std::size_t bytesPerItem) {
    std::int32_t n = 0;
    need(r.i32(n));
    if (n < 0 || static_cast<std::size_t>(n) > r.remaining() / bytesPerItem)
        damaged();
    return n;
}

void readHistory(ByteReader& r, TimeHistoryRecord& h) {
    std::uint8_t source = 0;
    need(r.u8(source));
    h.Source = static_cast<HistorySource>(source);
    std::uint8_t len = 0;
    char title[255];
    need(r.u8(len));
    need(r.bytes(title, 255));
    h.Title = cp1252ToUtf8(std::string_view(title, len));
    for (GeneratorTerm& t : h.Terms)
        readTerm(r, t);
    need(r.f64(h.Scale));
    need(r.f64(h.Offset));
    std::uint8_t correction = 0;
    need(r.u8(correction));
    h.Correction = static_cast<OffsetCorrection>(correction);
    need(r.f64(h.Duration));
    need(r.f64(h.PosX));
    need(r.f64(h.PosY));
    if (source == 1) {
        const int n = readCount(r, 16);
        if (n == 0) {
            // A vector cannot have zero elements: an empty table is held as no series.
            h.Times.reset();
            h.Values.reset();
            return;
        }
        TVector times(n), values(n);
        for (int i = 1; i <= n; ++i) {
            double t = 0, v = 0;
            need(r.f64(t));
            need(r.f64(v));
            times.set(i, t);
            values.set(i, v);
        }
        h.Times = std::move(times);
        h.Values = std::move(values);
    }
}

void readField(ByteReader& r, const RecordField& f, bool oldVersion, TBlocStatic& m) {
    if (!f.member.isChoice()) {
        double v = 0;
        need(r.f64(v));
        f.member.set(m, v);
        return;
    }
    std::uint8_t b = 0;
    if (!(oldVersion && &f == &recordField("VerticalAcceleration")))
        need(r.u8(b));
    f.member.set(m, b);
}

std::string systemMessage(int err) {
    return std::strerror(err);
}

} // namespace

std::vector<std::uint8_t> serializeProject(const TBlocStatic& m) {
    ByteWriter w;
    for (std::int16_t v : {1, 0, 3, 1})
        w.i16(v);
    w.i32(static_cast<std::int32_t>(m.AnalysisKind));
    w.u16(m.ModelFlags);
    w.i32(static_cast<std::int32_t>(m.UnitSystem));
    for (const RecordField& f : recordFields()) {
        if (f.member.isChoice())
            w.u8(static_cast<std::uint8_t>(f.member.get(m)));
        else
            w.f64(f.member.get(m));
    }
    w.zeros(7); // the choices are padded to 16 bytes
    for (const TimeHistoryRecord& h : m.Histories)
        writeHistory(w, h);
    w.i32(m.Masses.Count());
    for (const AddedMass& a : m.Masses.Items)
        for (double v : {a.X, a.Y, a.Mass, a.Inertia})
            w.f64(v);
    w.i32(m.Forces.Count());
    for (const AddedForce& f : m.Forces.Items)
        for (double v : {f.X, f.Y, f.Fh, f.Fv})
            w.f64(v);
    return w.take();
}

FileVersionWords parseProject(std::span<const std::uint8_t> bytes, TBlocStatic& model) {
    ByteReader r(bytes);
    TBlocStatic m = model;
    for (std::int16_t& v : m.FileVersion)
        need(r.i16(v));
    std::int32_t kind = 0;
    need(r.i32(kind));
    if (kind >= 0 && kind <= 2)
        m.AnalysisKind = static_cast<AnalysisKind>(kind);
    need(r.u16(m.ModelFlags));
    std::int32_t units = 0;
    need(r.i32(units));
    if (units < 0 || units > 3)
        damaged();
    m.UnitSystem = static_cast<UnitSystem>(units);
    // Files of version 1.0.1.1 end the options before VerticalAcceleration, with no padding.
    const bool oldVersion = m.FileVersion == std::array<std::int16_t, 4>{1, 0, 1, 1};
    for (const RecordField& f : recordFields())
        readField(r, f, oldVersion, m);
    if (!oldVersion)
        need(r.skip(7));
    for (TimeHistoryRecord& h : m.Histories)
        readHistory(r, h);
    const int masses = readCount(r, 32);
    std::vector<AddedMass> massItems(static_cast<std::size_t>(masses));
    for (AddedMass& a : massItems)
        for (double* v : {&a.X, &a.Y, &a.Mass, &a.Inertia})
            need(r.f64(*v));
    const int forces = readCount(r, 32);
    std::vector<AddedForce> forceItems(static_cast<std::size_t>(forces));
    for (AddedForce& f : forceItems)
        for (double* v : {&f.X, &f.Y, &f.Fh, &f.Fv})
            need(r.f64(*v));
    m.Masses.Items = std::move(massItems);
    m.Forces.Items = std::move(forceItems);
    const FileVersionWords asRead = m.FileVersion;
    m.FileVersion = {1, 0, 3, 1};
    model = std::move(m);
    return asRead;
}

FileVersionWords ReadFromFile(TBlocStatic& model, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        damaged();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        damaged();
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad())
        damaged();
    return parseProject(bytes, model);
}

void WriteToFile(const TBlocStatic& model, const std::string& path) {
    namespace fs = std::filesystem;
    const std::vector<std::uint8_t> bytes = serializeProject(model);
    const fs::path target(path);
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    std::random_device seed;
    const fs::path temp =
        dir / (target.filename().string() + ".tmp" + std::to_string(seed() % 1000000));
    auto fail = [&](int err) {
        std::error_code ignore;
        fs::remove(temp, ignore);
        throw Error(Message("file.unable_to_write", {path, systemMessage(err)}));
    };
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        fail(errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int writeErr = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed)
        fail(written ? errno : writeErr);
    // An existing target must be writable: replacing a read-only file by rename would
    // silently defeat its protection.
    std::error_code ec;
    if (fs::exists(target, ec)) {
        const auto perms = fs::status(target, ec).permissions();
        if ((perms & fs::perms::owner_write) == fs::perms::none)
            fail(EACCES);
    }
    fs::rename(temp, target, ec);
    if (ec)
        fail(ec.value());
}

} // namespace quibel
