#include "ui/input/geometry_values.h"

#include "model/model_flags.h"

namespace quibel {

GeometryValues GeometryValues::of(const TBlocStatic& m) {
    GeometryValues v;
    v.AnalysisKind = m.AnalysisKind;
    v.M = m.M;
    v.Hd = m.Hd;
    v.H = m.H;
    v.Hr = m.Hr;
    v.B = m.B;
    v.Beta = m.Beta;
    v.U = m.U;
    v.Xu = m.Xu;
    v.T = m.T;
    v.PhiS = m.PhiS;
    v.PhiD = m.PhiD;
    v.Im = m.Im;
    v.Xc = m.Xc;
    v.Yc = m.Yc;
    v.Eu = m.Eu;
    v.Ed = m.Ed;
    v.Es = m.Es;
    return v;
}

void applyGeometry(const GeometryValues& v, TBlocStatic& m) {
    m.AnalysisKind = v.AnalysisKind;
    m.M = v.M;
    m.Hd = v.Hd;
    m.Hr = v.Hr;
    m.H = v.H;
    m.B = v.B;
    m.PhiS = v.PhiS;
    m.PhiD = v.PhiD;
    m.Beta = v.Beta;
    m.Im = v.Im;
    m.Xc = v.Xc;
    m.Yc = v.Yc;
    m.Eu = v.Eu;
    m.Ed = v.Ed;
    m.Es = v.Es;
    m.U = v.U;
    m.Xu = v.Xu;
    m.T = v.T;
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete,
            m.M > 0 && m.Hd > 0 && m.H > 0 && m.B > 0 && m.Hd >= m.H);
    setFlag(m.ModelFlags, ModelFlag::ReservoirPresent, m.Hr > 0);
    setFlag(m.ModelFlags, ModelFlag::ResultsValid, false);
}

} // namespace quibel
