#include "document/IdleRefresh.h"

namespace document {

IdleResult RunIdleRefresh(SpillDocCore& doc, FormState& form, ITreeRefresh* tree) {
    IdleResult r;
    r.outputsClosed = doc.Outputs().RefreshAfterInputChange();
    if (tree) {
        tree->Refresh(doc);
    } else {
        for (int i = ChangedRelease; i <= SolvedTree; ++i) doc.session.m_bChanged[i] = 0;
    }
    r.formChanged = form.Update(doc.scenario, doc.session);
    return r;
}

}  // namespace document
