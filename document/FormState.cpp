#include "document/FormState.h"

#include "document/SpillDoc.h"

namespace document {

DialogKind OilButtonDialog(const SessionState& session) {
    return session.m_bStandardOil ? DialogKind::StandardOils : DialogKind::CustomOils;
}

void RunOilButton(SpillDocCore& doc) {
    if (OilButtonDialog(doc.session) == DialogKind::StandardOils)
        doc.SelectStandardOil();
    else
        doc.SelectCustomOil();
}

bool FormState::Update(const Scenario& scenario, SessionState& session) {
    bool changed = false;
    if (session.m_bNotSolved) {
        const int entered[kFormInputs] = {scenario.m_bReleaseInputPassed, scenario.m_bOilInputPassed,
                                          scenario.m_bWindAndWaveInputPassed, scenario.m_bWaterInputPassed};
        for (int i = 0; i < kFormInputs; ++i) {
            if (entered[i] && !tick[i]) {
                tick[i] = true;
                changed = true;
            }
        }
    }
    if (session.m_bNewGraphsNotice) {
        session.m_bNewGraphsNotice = 0;
        if (!notice) changed = true;
        notice = true;
    }
    return changed;
}

}  // namespace document
