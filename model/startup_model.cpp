// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/project_record.h"

namespace quibel {

TBlocStatic startupModel() {
    TBlocStatic m;
    m.FileVersion = {1, 0, 3, 1};
    m.AnalysisKind = AnalysisKind::Sliding;
    m.ModelFlags = 0;
    m.UnitSystem = UnitSystem::MKnTon;
    m.H = 20;
    m.Hd = 30;
    m.Hr = 28;
    m.Xc = 5.301;
    m.Yc = 6.964;
    m.B = 16;
    m.M = 398;
    m.U = 1330;
    m.Xu = 5.33;
    m.PhiS = 45;
    m.PhiD = 45;
    m.Beta = 0;
    m.Eu = 1.0;
    m.Ed = 0.3;
    m.Es = 1.0;
    m.Im = 15473.2;
    m.T = 1;
    for (GeneratorTerm& term : m.Histories[0].Terms) {
        term.Shape = TermShape::Sine;
        term.Amplitude = 1.0;
        term.Period = 1.0;
        term.Phase = 0;
        term.StartTime = 0;
        term.EndTime = 10.0;
        term.Active = 0;
    }
    return m;
}

} // namespace quibel
