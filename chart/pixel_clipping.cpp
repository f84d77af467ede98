// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/pixel_clipping.h"

#include <array>

namespace quibel {

bool clipSegment(const QRectF& rect, QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0.0;
    double t1 = 1.0;
    // Each pair (p, q) is one edge: the segment enters where p < 0 and leaves where p > 0.
    const std::array<std::pair<double, double>, 4> edges = {{
        {-dx, a.x() - rect.left()},
        {dx, rect.right() - a.x()},
        {-dy, a.y() - rect.top()},
        {dy, rect.bottom() - a.y()},
    }};
    for (const auto& [p, q] : edges) {
        if (p == 0) {
            if (q < 0)
                return false;
            continue;
        }
        const double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
    }
    const QPointF start = a;
    if (t1 < 1.0)
        b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    if (t0 > 0.0)
        a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    return true;
}

QPolygonF clipPolygon(const QPolygonF& polygon, const QRectF& rect) {
    enum Edge { Left, Right, Top, Bottom };
    auto inside = [&](const QPointF& p, Edge e) {
        switch (e) {
        case Left:
            return p.x() >= rect.left();
        case Right:
            return p.x() <= rect.right();
        case Top:
            return p.y() >= rect.top();
        case Bottom:
            return p.y() <= rect.bottom();
        }
        return true;
    };
    auto crossing = [&](const QPointF& p, const QPointF& q, Edge e) {
        double t = 0.0;
        switch (e) {
        case Left:
            t = (rect.left() - p.x()) / (q.x() - p.x());
            break;
        case Right:
            t = (rect.right() - p.x()) / (q.x() - p.x());
            break;
        case Top:
            t = (rect.top() - p.y()) / (q.y() - p.y());
            break;
        case Bottom:
            t = (rect.bottom() - p.y()) / (q.y() - p.y());
            break;
        }
        return p + (q - p) * t;
    };
    QPolygonF out = polygon;
    for (Edge e : {Left, Right, Top, Bottom}) {
        const QPolygonF in = out;
        out.clear();
        for (qsizetype i = 0; i < in.size(); ++i) {
            const QPointF& cur = in[i];
            const QPointF& prev = in[(i + in.size() - 1) % in.size()];
            if (inside(cur, e)) {
                if (!inside(prev, e))
                    out << crossing(prev, cur, e);
                out << cur;
            } else if (inside(prev, e)) {
                out << crossing(prev, cur, e);
            }
        }
        if (out.isEmpty())
            break;
    }
    return out;
}

} // namespace quibel
