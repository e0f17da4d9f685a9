// The flows' shared stack of state numbers: the flow running at nesting depth d
// owns entry d (0 is the top flow), and 0 is every flow's first state.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr s32 STATE_MAX_DEPTH = 32;

class State {
public:
    // Entry `depth` becomes `state`, and every flow below it starts from its first
    // state the next time it is entered.
    void Transition(s32 depth, s32 state);
    void Advance(s32 depth) { Transition(depth, m_value[depth] + 1); }

    s32 m_value[STATE_MAX_DEPTH] = {};
};
