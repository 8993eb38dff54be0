#include "output/OutputRegistry.h"

#include <map>

namespace output {

namespace {
std::map<document::OutputKind, OutputWindowFactory>& Factories() {
    static std::map<document::OutputKind, OutputWindowFactory> factories;
    return factories;
}
ScenarioPrintoutFactory& PrintoutFactory() {
    static ScenarioPrintoutFactory factory;
    return factory;
}
}  // namespace

void RegisterOutputWindow(document::OutputKind kind, OutputWindowFactory factory) {
    if (factory)
        Factories()[kind] = std::move(factory);
    else
        Factories().erase(kind);
}

OutputWindowFactory FindOutputWindow(document::OutputKind kind) {
    auto it = Factories().find(kind);
    return it == Factories().end() ? OutputWindowFactory{} : it->second;
}

void SetScenarioPrintout(ScenarioPrintoutFactory factory) { PrintoutFactory() = std::move(factory); }
const ScenarioPrintoutFactory& ScenarioPrintout() { return PrintoutFactory(); }

}  // namespace output
