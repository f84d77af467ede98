#pragma once

#include "model/enums.h"
#include "model/project_record.h"

namespace quibel {

/// What the geometry dialog edits: the analysis type and the block's scalar inputs, in the
/// project's units (lengths, mass, force, mass x length²; angles in degrees).
struct GeometryValues final {
    quibel::AnalysisKind AnalysisKind = quibel::AnalysisKind::Sliding;
    double M = 0, Hd = 0, H = 0, Hr = 0, B = 0, Beta = 0, U = 0, Xu = 0, T = 0;
    double PhiS = 0, PhiD = 0, Im = 0, Xc = 0, Yc = 0, Eu = 0, Ed = 0, Es = 0;

    static GeometryValues of(const TBlocStatic& model);
};

/// Writes values into model: the analysis type, the seventeen values, then GeometryComplete
/// (M, Hd, H, B all positive and Hd >= H), ReservoirPresent (Hr > 0), and ResultsValid
/// cleared. Nothing else is checked: an incomplete geometry is kept and only stops an analysis
/// from starting.
void applyGeometry(const GeometryValues& values, TBlocStatic& model);

} // namespace quibel
