#include "cli/model_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quibel::cli {

namespace {

class JsonWriter {
public:
    std::string text;

    void key(const char* k) {
        separator();
        text += '"';
        text += k;
        text += "\":";
        mAfterKey = true; // the value that follows needs no comma
    }
    void number(double v) {
        separator();
        if (std::isnan(v)) {
            text += "\"NaN\"";
        } else if (std::isinf(v)) {
            text += v > 0 ? "\"Infinity\"" : "\"-Infinity\"";
        } else {
            char buf[32];
            auto res = std::to_chars(buf, buf + sizeof buf, v);
            text.append(buf, res.ptr);
        }
    }
    void integer(long long v) {
        separator();
        text += std::to_string(v);
    }
    void null() {
        separator();
        text += "null";
    }
    void string(const std::string& s) {
        separator();
        text += '"';
        for (unsigned char c : s) {
            switch (c) {
            case '"':
                text += "\\\"";
                break;
            case '\\':
                text += "\\\\";
                break;
            case '\n':
                text += "\\n";
                break;
            case '\r':
                text += "\\r";
                break;
            case '\t':
                text += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    text += buf;
                } else {
                    text += static_cast<char>(c);
                }
            }
        }
        text += '"';
    }
    void open(char c) {
        separator();
        text += c;
        mFirst = true;
    }
    void close(char c) {
        text += c;
        mFirst = false;
    }

private:
    void separator() {
        if (mAfterKey) {
            mAfterKey = false;
            mFirst = false;
            return;
        }
        if (!mFirst)
            text += ',';
        mFirst = false;
    }
    bool mFirst = true;
    bool mAfterKey = false;
};

void series(JsonWriter& w, const char* name, const std::optional<TVector>& v) {
    w.key(name);
    if (!v) {
        w.null();
        return;
    }
    w.open('[');
    for (int i = 1; i <= v->size(); ++i)
        w.number(v->get(i));
    w.close(']');
}

void history(JsonWriter& w, const TimeHistoryRecord& h) {
    w.open('{');
    w.key("Source");
    w.integer(static_cast<int>(h.Source));
    w.key("Title");
    w.string(h.Title);
    series(w, "Times", h.Times);
    series(w, "Values", h.Values);
    w.key("Terms");
    w.open('[');
    for (const GeneratorTerm& t : h.Terms) {
        w.open('{');
        w.key("Shape");
        w.integer(static_cast<int>(t.Shape));
        w.key("Amplitude");
        w.number(t.Amplitude);
        w.key("Period");
        w.number(t.Period);
        w.key("Phase");
        w.number(t.Phase);
        w.key("StartTime");
        w.number(t.StartTime);
        w.key("EndTime");
        w.number(t.EndTime);
        w.key("Active");
        w.integer(t.Active);
        w.close('}');
    }
    w.close(']');
    w.key("Scale");
    w.number(h.Scale);
    w.key("Offset");
    w.number(h.Offset);
    w.key("Correction");
    w.integer(static_cast<int>(h.Correction));
    w.key("Duration");
    w.number(h.Duration);
    w.key("PosX");
    w.number(h.PosX);
    w.key("PosY");
    w.number(h.PosY);
    w.close('}');
}

} // namespace

std::string modelToJson(const TBlocStatic& m, const std::array<std::int16_t, 4>& fileVersion) {
    JsonWriter w;
    w.open('{');
    w.key("FileVersion");
    w.open('[');
    for (auto v : fileVersion)
        w.integer(v);
    w.close(']');
    w.key("AnalysisKind");
    w.integer(static_cast<int>(m.AnalysisKind));
    w.key("ModelFlags");
    w.integer(m.ModelFlags);
    w.key("UnitSystem");
    w.integer(static_cast<int>(m.UnitSystem));
    const std::pair<const char*, double> scalars[] = {
        {"H", m.H},       {"Hd", m.Hd},     {"Hr", m.Hr}, {"Xc", m.Xc}, {"Yc", m.Yc},
        {"B", m.B},       {"M", m.M},       {"U", m.U},   {"Xu", m.Xu}, {"PhiS", m.PhiS},
        {"PhiD", m.PhiD}, {"Beta", m.Beta}, {"Ru", m.Ru}, {"Rd", m.Rd}, {"Eu", m.Eu},
        {"Ed", m.Ed},     {"Es", m.Es},     {"Im", m.Im}, {"T", m.T}};
    for (auto [k, v] : scalars) {
        w.key(k);
        w.number(v);
    }
    const AnalysisOptions& o = m.Options;
    w.key("Options");
    w.open('{');
    w.key("Gravity");
    w.number(o.Gravity);
    w.key("TimeStep");
    w.number(o.TimeStep);
    w.key("SaveStep");
    w.number(o.SaveStep);
    const std::pair<const char*, int> bytes[] = {{"NewmarkBeta", o.NewmarkBeta},
                                                 {"UpliftUp", o.UpliftUp},
                                                 {"UpliftDown", o.UpliftDown},
                                                 {"CenterUp", o.CenterUp},
                                                 {"CenterDown", o.CenterDown},
                                                 {"Translational", o.Translational},
                                                 {"Rotational", o.Rotational},
                                                 {"DebugFile", o.DebugFile},
                                                 {"VerticalAcceleration", o.VerticalAcceleration}};
    for (auto [k, v] : bytes) {
        w.key(k);
        w.integer(v);
    }
    w.close('}');
    w.key("Histories");
    w.open('[');
    for (const TimeHistoryRecord& h : m.Histories)
        history(w, h);
    w.close(']');
    w.key("Masses");
    w.open('[');
    for (const AddedMass& a : m.Masses.Items) {
        w.open('{');
        for (auto [k, v] :
             {std::pair{"X", a.X}, {"Y", a.Y}, {"Mass", a.Mass}, {"Inertia", a.Inertia}}) {
            w.key(k);
            w.number(v);
        }
        w.close('}');
    }
    w.close(']');
    w.key("Forces");
    w.open('[');
    for (const AddedForce& f : m.Forces.Items) {
        w.open('{');
        for (auto [k, v] : {std::pair{"X", f.X}, {"Y", f.Y}, {"Fh", f.Fh}, {"Fv", f.Fv}}) {
            w.key(k);
            w.number(v);
        }
        w.close('}');
    }
    w.close(']');
    w.close('}');
    return w.text;
}

} // namespace quibel::cli
