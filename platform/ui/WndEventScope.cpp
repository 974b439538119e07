#include "platform/ui/WndEventScope.h"

namespace {

int g_depth = 0;  // user-interface thread only

}  // namespace

WndEventScope::WndEventScope() { ++g_depth; }
WndEventScope::~WndEventScope() { --g_depth; }
bool WndEventScope::Active() { return g_depth > 0; }
