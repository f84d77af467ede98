// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/wmf_paint_device.h"
#include "chart/wmf_paint_engine.h"
#include "chart/wmf_writer.h"

#include "wmf_test_reader.h"

#include <QPainter>

#include <gtest/gtest.h>

using quibel::WmfPaintDevice;
using quibel::WmfPaintEngine;
using quibel::WmfWriter;

namespace {
std::string joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& e : v)
        s += e + "; ";
    return s;
}
} // namespace

TEST(WmfWriterTest, HeadersDescribeTheRecords) {
    WmfWriter w(6400, 4800, 1536);
    const WmfWriter::Point pts[] = {{0, 0}, {100, 200}, {300, 50}};
    w.selectObject(w.createPen(WmfWriter::PenStyle::Solid, 16, WmfWriter::rgb(1, 2, 3)));
    w.polyline(pts);
    const WmfContents c = readWmf(w.finish());
    EXPECT_TRUE(c.faults.empty()) << joined(c.faults);
    EXPECT_EQ(c.key, 0x9AC6CDD7u);
    EXPECT_EQ(c.checksum, c.expectedChecksum);
    EXPECT_EQ(c.right, 6400);
    EXPECT_EQ(c.bottom, 4800);
    EXPECT_EQ(c.unitsPerInch, 1536);
    EXPECT_EQ(c.sizeWords, c.actualWords);
    EXPECT_EQ(c.maxRecordWords, c.largestRecordWords);
    EXPECT_EQ(c.records.back().function, 0);
    // Window extent: height first, as the format orders it.
    EXPECT_EQ(c.records[2].function, 0x020C);
    EXPECT_EQ(c.records[2].word(0), 4800);
    EXPECT_EQ(c.records[2].word(1), 6400);
    // COLORREF bytes are red, green, blue, 0.
    const auto penRecord = std::find_if(c.records.begin(), c.records.end(), [](const WmfRecord& r) {
        return r.function == kWmfCreatePen;
    });
    ASSERT_NE(penRecord, c.records.end());
    const WmfRecord& pen = *penRecord;
    EXPECT_EQ(pen.params[6], 1);
    EXPECT_EQ(pen.params[7], 2);
    EXPECT_EQ(pen.params[8], 3);
    EXPECT_EQ(pen.params[9], 0);
}

TEST(WmfWriterTest, ObjectsTakeTheLowestFreeSlot) {
    WmfWriter w(100, 100, 96);
    EXPECT_EQ(w.createPen(WmfWriter::PenStyle::Solid, 1, 0), 0);
    EXPECT_EQ(w.createBrush(WmfWriter::BrushStyle::Solid, 0), 1);
    w.deleteObject(0);
    EXPECT_EQ(w.createFont({}), 0);
    EXPECT_EQ(w.createPen(WmfWriter::PenStyle::Dot, 0, 0), 2);
    EXPECT_EQ(w.objectsInUse(), 3);
    const WmfContents c = readWmf(w.finish());
    EXPECT_TRUE(c.faults.empty()) << joined(c.faults);
    EXPECT_EQ(c.objects, 3);
}

TEST(WmfWriterTest, LongPolylineIsSplitIntoJoinedPieces) {
    std::vector<WmfWriter::Point> pts(40000);
    for (std::size_t i = 0; i < pts.size(); ++i)
        pts[i] = {static_cast<std::int16_t>(i % 30000), static_cast<std::int16_t>(i % 7)};
    WmfWriter w(30000, 100, 96);
    w.polyline(pts);
    const WmfContents c = readWmf(w.finish());
    EXPECT_TRUE(c.faults.empty()) << joined(c.faults);
    std::vector<const WmfRecord*> pieces;
    for (const WmfRecord& r : c.records)
        if (r.function == kWmfPolyline)
            pieces.push_back(&r);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0]->word(0), 32767);
    EXPECT_EQ(pieces[1]->word(0), 40000 - 32766);
    // The second piece starts where the first ends.
    EXPECT_EQ(pieces[1]->word(1), pieces[0]->word(1 + 2 * 32766));
    EXPECT_EQ(pieces[1]->word(2), pieces[0]->word(2 + 2 * 32766));
}

TEST(WmfWriterTest, TextOfOddLengthIsPaddedBeforeItsAdvances) {
    WmfWriter w(100, 100, 96);
    const std::int16_t dx[] = {5, 6, 7};
    w.extTextOut(10, 20, "abc", dx);
    const WmfContents c = readWmf(w.finish());
    EXPECT_TRUE(c.faults.empty()) << joined(c.faults);
    ASSERT_EQ(c.texts(), std::vector<std::string>{"abc"});
    const WmfRecord& r = c.records[c.records.size() - 2];
    EXPECT_EQ(r.word(0), 20); // y first
    EXPECT_EQ(r.word(1), 10);
    EXPECT_EQ(r.word(6), 5); // after 8 bytes of header and 4 of padded text
    EXPECT_EQ(r.word(8), 7);
}

TEST(WmfPaintEngineTest, UnitsPerPixelFitSixteenBits) {
    EXPECT_EQ(WmfPaintEngine::unitsPerPixel({1000, 700}), 16);
    EXPECT_EQ(WmfPaintEngine::unitsPerPixel({3000, 700}), 10);
    EXPECT_EQ(WmfPaintEngine::unitsPerPixel({40000, 10}), 1);
}

TEST(WmfPaintEngineTest, PainterDrawingBecomesRecordsInMetafileUnits) {
    WmfPaintDevice device(QSize(1000, 700), 96);
    {
        QPainter p(&device);
        p.scale(2, 2);
        p.setPen(QPen(Qt::red, 1));
        p.drawLine(QPoint(10, 20), QPoint(30, 40));
        p.setBrush(Qt::yellow);
        p.drawEllipse(QRectF(100, 100, 50, 20));
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(16);
        p.setFont(f);
        p.drawText(QPointF(200, 200), QString::fromUtf8("é€Ω"));
    }
    const WmfContents c = readWmf(device.metafile());
    EXPECT_TRUE(c.faults.empty()) << joined(c.faults);
    EXPECT_EQ(c.unitsPerInch, 96 * 16);
    EXPECT_EQ(c.right, 16000);
    const auto line = std::find_if(c.records.begin(), c.records.end(),
                                   [](const WmfRecord& r) { return r.function == kWmfPolyline; });
    ASSERT_NE(line, c.records.end());
    // (10, 20) painted at scale 2 is pixel (20, 40), 16 units each.
    EXPECT_EQ(line->word(1), 320);
    EXPECT_EQ(line->word(2), 640);
    EXPECT_EQ(line->word(3), 960);
    EXPECT_EQ(line->word(4), 1280);
    EXPECT_EQ(c.count(kWmfEllipse), 1u);
    // Windows-1252: e acute and the euro sign exist, omega does not.
    std::string text;
    for (const std::string& t : c.texts())
        text += t;
    EXPECT_EQ(text, std::string("\xE9\x80?"));
}

TEST(WmfPaintEngineTest, ClippingSavesAndRestoresTheDeviceContext) {
    WmfPaintDevice device(QSize(200, 100), 96);
    {
        QPainter p(&device);
        p.setPen(Qt::black);
        p.drawLine(0, 0, 10, 10);
        p.save();
        p.setClipRect(QRect(10, 10, 50, 50));
        p.setPen(Qt::red); // replaces the pen the saved state holds
        p.drawLine(0, 0, 100, 100);
        p.setPen(Qt::blue);
        p.drawLine(0, 0, 100, 50);
        p.restore();
        p.setPen(Qt::green);
        p.drawLine(0, 0, 20, 20);
    }
    const WmfContents c = readWmf(device.metafile());
    EXPECT_TRUE(c.faults.empty()) << joined(c.faults);
    EXPECT_EQ(c.count(kWmfSaveDc), 1u);
    EXPECT_EQ(c.count(kWmfRestoreDc), 1u);
    ASSERT_EQ(c.count(kWmfIntersectClip), 1u);
    const auto clip = std::find_if(c.records.begin(), c.records.end(), [](const WmfRecord& r) {
        return r.function == kWmfIntersectClip;
    });
    // Bottom, right, top, left, 16 units per pixel.
    EXPECT_EQ(clip->word(0), 60 * 16);
    EXPECT_EQ(clip->word(1), 60 * 16);
    EXPECT_EQ(clip->word(2), 10 * 16);
    EXPECT_EQ(clip->word(3), 10 * 16);
    EXPECT_EQ(c.count(kWmfPolyline), 4u);
}
