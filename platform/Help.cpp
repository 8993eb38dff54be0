#include "platform/Help.h"

namespace platform {

namespace {
NullHelp g_null;
IHelp* g_help = &g_null;
}  // namespace

IHelp& DefaultHelp() { return *g_help; }
void SetDefaultHelp(IHelp* help) { g_help = help ? help : &g_null; }

}  // namespace platform
