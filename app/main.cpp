// The program's entry point: registers the output windows, printouts and
// dialogs the program offers, then runs the application. -h or --help
// prints the usage without needing a display.
#include <cstdio>

#include "app/TavroApp.h"
#include "app/Wiring.h"

wxIMPLEMENT_APP_NO_MAIN(app::CTAVRO2App);

int main(int argc, char** argv) {
    if (app::AsksForHelp(argc, argv)) {
        std::fputs(app::UsageText().utf8_str(), stdout);
        return 0;
    }
    app::RegisterProgramParts();
    return wxEntry(argc, argv);
}
