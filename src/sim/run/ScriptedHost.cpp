#include "sim/run/ScriptedHost.h"

void ScriptedHost::hold(const std::vector<Key>& held)
{
    releaseAll();
    for (Key key : held) press(key);
}
