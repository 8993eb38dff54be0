// A dialog that registers itself with the program.
#include "ui/inputs/rules/Rules.h"
#include "app/WxDialogRunner.h"
