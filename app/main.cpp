// The program's entry point: registers the output windows, printouts and
// dialogs the program offers, then runs the application.
#include "app/TavroApp.h"
#include "app/Wiring.h"

wxIMPLEMENT_APP_NO_MAIN(app::CTAVRO2App);

int main(int argc, char** argv) {
    app::RegisterProgramParts();
    return wxEntry(argc, argv);
}
