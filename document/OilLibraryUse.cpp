// The document's calls into the shared oil libraries.
#include "document/SpillDoc.h"
#include "oillib/OilLibrary.h"

namespace document {

int SpillDocCore::LoadStandardIndex() {
    if (!libraries_.standard) return oillib::kResultMissing;
    return libraries_.standard->LoadIndex();
}

std::string SpillDocCore::LibraryFolder() const {
    if (!libraries_.standard) return {};
    return libraries_.standard->GetPath().parent_path().string();
}

std::string SpillDocCore::LibraryDate(oillib::COilLibrary* library) const {
    if (!library) return {};
    // Picks up a file another scenario or program rewrote since.
    if (library->LoadIndex() != oillib::kResultOk) return {};
    return library->GetDate();
}

}  // namespace document
