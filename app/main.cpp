// The program's entry point.
#include "app/TavroApp.h"

wxIMPLEMENT_APP(app::CTAVRO2App);
