#pragma once
#include "sim/replay/ScriptedHost.h"

// Tests drive the game through the same host as a headless replay.
using FakeHost = ScriptedHost;
